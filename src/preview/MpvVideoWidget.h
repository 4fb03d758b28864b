#pragma once

#include <QOpenGLWidget>
#include <atomic>

struct mpv_handle;
struct mpv_render_context;

// The surface that mpv's render API draws the picture on, filling the whole widget (the graph
// sets keepaspect=no, so the picture is stretched to it).
//
// The render context lives as long as the widget's GL context: made in initializeGL, freed before
// that context goes (reparenting into another window replaces it) and in the destructor. Around
// both moments the widget tells its graph, which must switch mpv to this output only while the
// render context exists, and away from it before the context is freed.
class MpvVideoWidget : public QOpenGLWidget {
    Q_OBJECT

public:
    // mpv must outlive the widget's render context; the graph frees it before it destroys mpv.
    MpvVideoWidget(mpv_handle *mpv, QWidget *parent);
    ~MpvVideoWidget() override;

    bool HasRenderContext() const { return m_render != nullptr; }

    // Frees the render context now (no-op when there is none).
    void ReleaseRenderContext();

    // Draws a frame that mpv has handed over since the last drawing, without waiting for the
    // event loop. mpv holds its video output until the frame is drawn; a caller that waits on mpv
    // on the GUI thread (a seek) calls this meanwhile.
    void DrawPendingFrame();

signals:
    // mpv may now draw here.
    void RenderContextCreated();
    // The render context is about to be freed: mpv must stop drawing here first.
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
