#pragma once

#include <QOpenGLWindow>
#include <atomic>

struct mpv_handle;
struct mpv_render_context;

// The native window that mpv's render API draws the picture on, filling it (the graph sets
// keepaspect=no, so the picture is stretched to it). A window of its own, not a QOpenGLWidget:
// a QOpenGLWidget makes Qt compose the whole top-level window through OpenGL for every video frame,
// which under software OpenGL costs more than decoding the video; this window swaps only its own
// pixels. It takes no input: clicks, drops and the mouse pointer belong to the widgets below it.
//
// The render context lives as long as the window's GL context: made in initializeGL, freed before
// that context goes and in the destructor. Around both moments the surface tells its graph, which
// must switch mpv to this output only while the render context exists, and away from it before
// the context is freed.
class MpvVideoSurface : public QOpenGLWindow {
    Q_OBJECT

public:
    // mpv must outlive the render context; the graph frees it before it destroys mpv.
    explicit MpvVideoSurface(mpv_handle *mpv);
    ~MpvVideoSurface() override;

    bool HasRenderContext() const { return m_render != nullptr; }
    void ReleaseRenderContext();
    // Draws and shows a frame that mpv has handed over since the last drawing, without waiting
    // for the event loop.
    void DrawPendingFrame();
    // The picture as it is drawn now.
    QImage GrabPicture();

signals:
    void RenderContextCreated();
    void RenderContextReleasing();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void *GetProcAddress(void *pContext, const char *sName);
    static void OnRenderUpdate(void *pContext);
    void Render();

    mpv_handle *m_mpv;
    mpv_render_context *m_render = nullptr;
    std::atomic<bool> m_bFramePending{false}; // set on mpv's render thread
};
