#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

class MpvSession;
class MpvVideoWidget;
class QWidget;

// The picture of an mpv session and the video window it shows in. On a display the window is an
// MpvVideoWidget drawing through mpv's render API; on Qt's offscreen and minimal platforms, where
// OpenGL windows cannot work, it is a plain black widget and mpv decodes into its null output.
// mpv draws into the render API only while the widget's surface has a render context attached
// (MpvRenderContext switches mpv's output with it).
class MpvVideoOutput : public QObject {
    Q_OBJECT

public:
    explicit MpvVideoOutput(MpvSession &session) : m_session(session) {}
    ~MpvVideoOutput() override;

    // Whether this platform can draw the picture.
    static bool CanDrawVideo();

    // The video window while it has an owner, else nullptr.
    QWidget *Window() const;
    // Shows the video window in objOwner (nullptr takes it away).
    void SetOwner(QWidget *objOwner);
    // The window's place in its owner's pixels, kept while there is no window.
    QRect Place() const { return m_rect; }
    void SetPlace(const QRect &rect);
    void HideCursor(bool bHide);
    // Takes the window away; the render context goes before the widget and before mpv.
    void DestroyWindow();

private:
    MpvSession &m_session;
    QPointer<QWidget> m_objWindow;
    QPointer<MpvVideoWidget> m_objWidget; // the same widget when it draws through mpv
    QRect m_rect;
    bool m_bHideCursor = false;
};
