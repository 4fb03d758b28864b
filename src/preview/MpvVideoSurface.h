#pragma once

#include "preview/MpvRenderContext.h"

#include <QOpenGLWindow>
#include <atomic>

class MpvSession;

// The native window that mpv's render API draws the picture on, filling it (the graph sets
// keepaspect=no, so the picture is stretched to it). A window of its own, not a QOpenGLWidget:
// a QOpenGLWidget makes Qt compose the whole top-level window through OpenGL for every video frame,
// which under software OpenGL costs more than decoding the video; this window swaps only its own
// pixels. It takes no input: clicks, drops and the mouse pointer belong to the widgets below it.
//
// mpv draws here while the render context is attached: from initializeGL, where the GL context is
// made, until Detach, which the owner calls before it lets the surface go; the GL context going
// (Qt's own teardown) and the destructor detach too, where nobody did before.
class MpvVideoSurface : public QOpenGLWindow {
    Q_OBJECT

public:
    // The session must outlive the surface's render context.
    explicit MpvVideoSurface(MpvSession &session);
    ~MpvVideoSurface() override;

    bool HasRenderContext() const { return m_render.IsAttached(); }
    void Detach();
    // Draws and shows a frame that mpv has handed over since the last drawing, without waiting
    // for the event loop.
    void DrawPendingFrame();
    // The picture as it is drawn now.
    QImage GrabPicture();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void OnRenderUpdate(void *pContext);
    void Render();

    MpvRenderContext m_render;
    std::atomic<bool> m_bFramePending{false}; // set on mpv's render thread
};
