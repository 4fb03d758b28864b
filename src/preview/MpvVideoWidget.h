#pragma once

#include <QImage>
#include <QWidget>

class MpvSession;
class MpvVideoSurface;

// The video window of a graph on a display: a widget holding the native MpvVideoSurface that mpv's
// render API draws on, filling the whole widget. The widget takes the place, the mouse pointer
// and the life of the video window among the window's widgets; the surface does the drawing.
class MpvVideoWidget : public QWidget {
    Q_OBJECT

public:
    // The session must outlive the widget's render context; the graph detaches it before it
    // ends the session.
    MpvVideoWidget(MpvSession &session, QWidget *parent);
    ~MpvVideoWidget() override;

    bool HasRenderContext() const;

    // Takes mpv's video output off the surface and frees the render context now (no-op when
    // there is none).
    void DetachVideo();

    // Draws a frame that mpv has handed over since the last drawing, without waiting for the
    // event loop. mpv holds its video output until the frame is drawn; a caller that waits on mpv
    // on the GUI thread (a seek) calls this meanwhile.
    void DrawPendingFrame();

    // The picture as it is drawn now (null before the surface has been shown).
    QImage grabFramebuffer();

signals:
    // For observers (a benchmark): DetachVideo begins. Nothing of the teardown depends on it.
    void VideoLeaving();

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
