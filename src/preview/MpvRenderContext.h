#pragma once

struct mpv_render_context;
class MpvSession;
class QOpenGLContext;
class QWindow;

// The one place where mpv's video output meets a GL context, in both directions:
// - Attach, with the GL context current: make mpv's render context and switch mpv's video output
//   to it.
// - Detach: switch mpv's video output away (mpv lets go only after the frame it has handed over is
//   drawn, and the session's wait draws it), then free the render context with the GL context
//   current, on its window or, where the window has gone, on an offscreen surface.
// Both are called directly by the surface that owns the GL context; mpv's session must outlive
// the render context.
class MpvRenderContext {
public:
    // The outputs mpv starts with and switches between.
    static constexpr const char *kVideoOutputNone = "null";
    static constexpr const char *kVideoOutputRender = "libmpv";

    explicit MpvRenderContext(MpvSession &session) : m_session(session) {}
    MpvRenderContext(const MpvRenderContext &) = delete;
    MpvRenderContext &operator=(const MpvRenderContext &) = delete;

    bool IsAttached() const { return m_render != nullptr; }
    // onUpdate is called on one of mpv's threads, where no mpv call is allowed, with pContext.
    bool Attach(void (*onUpdate)(void *), void *pContext);
    void Detach(QOpenGLContext *objContext, QWindow *objWindow);
    // Draws mpv's current frame into a framebuffer of the current GL context (origin at the
    // bottom), never holding the GUI thread until the frame's display time.
    void Render(int iFramebuffer, int iWidth, int iHeight);

private:
    MpvSession &m_session;
    mpv_render_context *m_render = nullptr;
};
