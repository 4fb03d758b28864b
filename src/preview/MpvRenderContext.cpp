#include "preview/MpvRenderContext.h"

#include "preview/CurrentContextScope.h"
#include "preview/MpvSession.h"

#include <QOpenGLContext>
#include <mpv/render_gl.h>

namespace {
constexpr int kOutputSwitchTimeoutMs = 5000;

void *GetProcAddress(void *, const char *sName)
{
    QOpenGLContext *objContext = QOpenGLContext::currentContext();
    return objContext ? reinterpret_cast<void *>(objContext->getProcAddress(sName)) : nullptr;
}
} // namespace

bool MpvRenderContext::Attach(void (*onUpdate)(void *), void *pContext)
{
    if (m_render)
        return true;
    mpv_opengl_init_params glInit{&GetProcAddress, nullptr};
    int iAdvancedControl = 0;
    mpv_render_param params[]{
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_ADVANCED_CONTROL, &iAdvancedControl},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&m_render, m_session.Handle(), params) < 0) {
        m_render = nullptr;
        return false;
    }
    mpv_render_context_set_update_callback(m_render, onUpdate, pContext);
    // The render context is fresh: mpv has no frame waiting to be drawn, and setting the output
    // returns at once.
    m_session.SetOutput(kVideoOutputRender);
    return true;
}

void MpvRenderContext::Detach(QOpenGLContext *objContext, QWindow *objWindow)
{
    if (!m_render)
        return;
    m_session.SwitchOutput(kVideoOutputNone, kOutputSwitchTimeoutMs);
    const CurrentContextScope current(objContext, objWindow);
    mpv_render_context_set_update_callback(m_render, nullptr, nullptr);
    mpv_render_context_free(m_render);
    m_render = nullptr;
}

void MpvRenderContext::Render(int iFramebuffer, int iWidth, int iHeight)
{
    if (!m_render || iWidth <= 0 || iHeight <= 0)
        return;
    mpv_opengl_fbo fbo{iFramebuffer, iWidth, iHeight, 0};
    int iFlipY = 1;
    // The graph hands frames over on time instead (video-timing-offset=0).
    int iBlockForTargetTime = 0;
    mpv_render_param params[]{
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &iFlipY},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &iBlockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_render, params);
}
