#pragma once

#include <QImage>
#include <QWidget>

struct mpv_handle;
class MpvVideoSurface;

// The video window of a graph on a display: a widget holding the native MpvVideoSurface that mpv's
// render API draws on, filling the whole widget. The widget takes the place, the mouse pointer
// and the life of the video window among the window's widgets; the surface does the drawing.
class MpvVideoWidget : public QWidget {
    Q_OBJECT

public:
    // mpv must outlive the widget's render context; the graph frees it before it destroys mpv.
    MpvVideoWidget(mpv_handle *mpv, QWidget *parent);
    ~MpvVideoWidget() override;

    bool HasRenderContext() const;

    // Frees the render context now (no-op when there is none).
    void ReleaseRenderContext();

    // Draws a frame that mpv has handed over since the last drawing, without waiting for the
    // event loop. mpv holds its video output until the frame is drawn; a caller that waits on mpv
    // on the GUI thread (a seek) calls this meanwhile.
    void DrawPendingFrame();

    // The picture as it is drawn now (null before the surface has been shown).
    QImage grabFramebuffer();

signals:
    // mpv may now draw here.
    void RenderContextCreated();
    // The render context is about to be freed: mpv must stop drawing here first.
    void RenderContextReleasing();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The native surface is stacked above every widget that is not native, whatever Qt's order
    // says; so the widgets that Qt stacks above this one (the panels that slide over the preview)
    // are cut out of the surface, which then shows only the part of the picture left in sight.
    void WatchCoveringWidgets();
    void UpdateCover();
    QRegion UncoveredRegion() const;

    MpvVideoSurface *m_objSurface;
    QWidget *m_objContainer;
};
