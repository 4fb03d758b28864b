#include "preview/MpvVideoWidget.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <mpv/render_gl.h>

MpvVideoWidget::MpvVideoWidget(mpv_handle *mpv, QWidget *parent)
    : QOpenGLWidget(parent), m_mpv(mpv)
{
}

MpvVideoWidget::~MpvVideoWidget()
{
    ReleaseRenderContext();
    // QOpenGLWidget destroys its context after this destructor: its aboutToBeDestroyed must not
    // reach this half-destroyed object.
    if (QOpenGLContext *objContext = context())
        disconnect(objContext, nullptr, this, nullptr);
}

void *MpvVideoWidget::GetProcAddress(void *, const char *sName)
{
    QOpenGLContext *objContext = QOpenGLContext::currentContext();
    return objContext ? reinterpret_cast<void *>(objContext->getProcAddress(sName)) : nullptr;
}

void MpvVideoWidget::OnRenderUpdate(void *pContext)
{
    // Called on one of mpv's threads, where no mpv call is allowed: only note the frame and ask
    // for a repaint on the GUI thread. A queued call to a widget that is gone by then is dropped.
    auto *objWidget = static_cast<MpvVideoWidget *>(pContext);
    objWidget->m_bFramePending = true;
    QMetaObject::invokeMethod(objWidget, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

void MpvVideoWidget::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &MpvVideoWidget::ReleaseRenderContext,
            Qt::UniqueConnection);
    if (m_render)
        return;

    mpv_opengl_init_params glInit{&MpvVideoWidget::GetProcAddress, nullptr};
    int iAdvancedControl = 0;
    mpv_render_param params[]{
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_ADVANCED_CONTROL, &iAdvancedControl},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&m_render, m_mpv, params) < 0) {
        m_render = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(m_render, &MpvVideoWidget::OnRenderUpdate, this);
    emit RenderContextCreated();
}

void MpvVideoWidget::paintGL()
{
    Render();
}

void MpvVideoWidget::DrawPendingFrame()
{
    if (!m_render || !m_bFramePending)
        return;
    makeCurrent();
    Render();
    doneCurrent();
    update();
}

void MpvVideoWidget::Render()
{
    m_bFramePending = false;
    if (!m_render) {
        QOpenGLFunctions *gl = context()->functions();
        gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal dRatio = devicePixelRatioF();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), qRound(width() * dRatio),
                       qRound(height() * dRatio), 0};
    if (fbo.w <= 0 || fbo.h <= 0)
        return;
    // The widget's framebuffer has its origin at the bottom.
    int iFlipY = 1;
    // Never hold the GUI thread until a frame's display time; the graph hands frames over on
    // time instead (video-timing-offset=0).
    int iBlockForTargetTime = 0;
    mpv_render_param params[]{
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &iFlipY},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &iBlockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_render, params);
}

void MpvVideoWidget::ReleaseRenderContext()
{
    if (!m_render)
        return;
    emit RenderContextReleasing();
    // The render context must be freed with the GL context it was made in current.
    makeCurrent();
    mpv_render_context_set_update_callback(m_render, nullptr, nullptr);
    mpv_render_context_free(m_render);
    m_render = nullptr;
    doneCurrent();
}
