#include "preview/MpvVideoSurface.h"

#include "preview/CurrentContextScope.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <mpv/render_gl.h>

MpvVideoSurface::MpvVideoSurface(mpv_handle *mpv) : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), m_mpv(mpv)
{
    setFlag(Qt::WindowTransparentForInput);
}

MpvVideoSurface::~MpvVideoSurface()
{
    ReleaseRenderContext();
    // QOpenGLWindow destroys its context after this destructor: its aboutToBeDestroyed must not
    // reach this half-destroyed object.
    if (QOpenGLContext *objContext = context())
        disconnect(objContext, nullptr, this, nullptr);
}

void *MpvVideoSurface::GetProcAddress(void *, const char *sName)
{
    QOpenGLContext *objContext = QOpenGLContext::currentContext();
    return objContext ? reinterpret_cast<void *>(objContext->getProcAddress(sName)) : nullptr;
}

void MpvVideoSurface::OnRenderUpdate(void *pContext)
{
    // Called on one of mpv's threads, where no mpv call is allowed: only note the frame and ask
    // for a repaint on the GUI thread. A queued call to a surface that is gone by then is dropped.
    auto *objSurface = static_cast<MpvVideoSurface *>(pContext);
    objSurface->m_bFramePending = true;
    QMetaObject::invokeMethod(objSurface, qOverload<>(&QPaintDeviceWindow::update), Qt::QueuedConnection);
}

void MpvVideoSurface::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &MpvVideoSurface::ReleaseRenderContext,
            Qt::UniqueConnection);
    if (m_render)
        return;

    mpv_opengl_init_params glInit{&MpvVideoSurface::GetProcAddress, nullptr};
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
    mpv_render_context_set_update_callback(m_render, &MpvVideoSurface::OnRenderUpdate, this);
    emit RenderContextCreated();
}

void MpvVideoSurface::paintGL()
{
    Render();
}

void MpvVideoSurface::DrawPendingFrame()
{
    if (!m_render || !m_bFramePending)
        return;
    // Drawn even where the window is not on the screen (minimised): mpv waits for the frame all
    // the same.
    makeCurrent();
    Render();
    if (isExposed())
        context()->swapBuffers(this);
}

QImage MpvVideoSurface::GrabPicture()
{
    if (!isValid())
        return QImage();
    // The back buffer holds nothing defined after a swap: draw the frame again and read it back.
    makeCurrent();
    Render();
    return grabFramebuffer();
}

void MpvVideoSurface::Render()
{
    m_bFramePending = false;
    if (!m_render) {
        QOpenGLFunctions *gl = context()->functions();
        gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal dRatio = devicePixelRatio();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()), qRound(width() * dRatio),
                       qRound(height() * dRatio), 0};
    if (fbo.w <= 0 || fbo.h <= 0)
        return;
    // The window's framebuffer has its origin at the bottom.
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

void MpvVideoSurface::ReleaseRenderContext()
{
    if (!m_render)
        return;
    emit RenderContextReleasing();
    // The render context must be freed with the GL context it was made in current.
    const CurrentContextScope current(context(), this);
    mpv_render_context_set_update_callback(m_render, nullptr, nullptr);
    mpv_render_context_free(m_render);
    m_render = nullptr;
}
