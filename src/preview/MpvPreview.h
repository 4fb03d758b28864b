#pragma once

#include "preview/VideoPreview.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

struct mpv_handle;
struct mpv_event;
class MpvVideoWidget;

// A preview graph over libmpv: one mpv core per graph, playing with keep-open so that it halts
// on the last frame instead of unloading the file.
//
// libmpv does everything asynchronously; this class waits (bounded, on mpv's own event queue,
// never on Qt's) wherever the graph's operations promise an answer at once: RenderFile returns
// once the file is loaded and its first frame decoded, PutCurrentPosition once the seek is done.
// Meanwhile it draws the video window's frames itself: mpv's video output waits for them, and the
// GUI thread is the one that draws.
//
// The picture: on a display the video window is an MpvVideoWidget drawing through mpv's render
// API; on Qt's offscreen platform, where QOpenGLWidget cannot work, it is a plain black widget
// and mpv decodes into its null output.
//
// Needs the C numeric locale (setlocale(LC_NUMERIC, "C") after QApplication is made): mpv
// refuses to start under a locale with a decimal comma.
class MpvPreview : public QObject, public VideoPreview {
    Q_OBJECT

public:
    MpvPreview();
    ~MpvPreview() override;

    PreviewResult RenderFile(const QString &sFile) override;
    PreviewResult Run() override;
    PreviewResult Pause() override;
    PreviewResult Stop() override;

    PreviewResult GetDuration(double &dDuration) override;
    PreviewResult GetCurrentPosition(double &dPosition) override;
    PreviewResult PutCurrentPosition(double dPosition) override;
    PreviewResult PutRate(double dRate) override;

    PreviewResult PutVolume(std::int32_t lVolume) override;
    PreviewResult PutBalance(std::int32_t lBalance) override;

    PreviewResult PutLeft(int iLeft) override;
    PreviewResult PutTop(int iTop) override;
    PreviewResult PutWidth(int iWidth) override;
    PreviewResult PutHeight(int iHeight) override;
    PreviewResult PutWindowStyle(std::int32_t lStyle) override;
    PreviewResult PutOwner(QWidget *objOwner) override;
    PreviewResult HideCursor(bool bHide) override;

    // The video window while it has an owner (an MpvVideoWidget on a display, a plain widget on
    // the offscreen platform), else nullptr.
    QWidget *VideoWindow() const;

    // Whether this platform can draw the picture (false on the offscreen and minimal platforms).
    static bool CanDrawVideo();

    // mpv options that the graphs made from now on set after their own (e.g. "ao" = "null" so a
    // test plays silently); an empty list puts the program's options back.
    static void SetOptionsForTests(const QList<QPair<QByteArray, QByteArray>> &options);

private:
    bool CreateCore();
    void DrainEvents();
    void HandleEvent(const mpv_event &event);
    bool WaitFor(const std::function<bool()> &done, int iTimeoutMs);
    bool ReadTracks();
    bool ReadDouble(const char *sProperty, double &dValue) const;
    bool ReadFlag(const char *sProperty, bool &bValue) const;
    bool SetFlag(const char *sProperty, bool bValue);
    PreviewResult PlaceVideoWindow();
    void DestroyVideoWindow();
    void UseVideoWindow();
    void LeaveVideoWindow();

    mpv_handle *m_mpv = nullptr;
    QPointer<QWidget> m_objVideoWindow;
    QPointer<MpvVideoWidget> m_objVideoWidget; // the same widget when it draws through mpv
    QRect m_rectVideo;
    bool m_bHideCursor = false;

    bool m_bRendered = false;      // RenderFile has been called on this graph
    bool m_bFileLoaded = false;    // mpv holds the file (cleared again if mpv drops it)
    bool m_bFileEnded = false;     // mpv gave the file up (failed to load, or lost it)
    bool m_bSeekStarted = false;   // mpv began the seek that is awaited
    bool m_bRestarted = false;     // playback restarted since the flags were cleared
    bool m_bOutputSwitched = false; // mpv has answered the switch away from the video window
    bool m_bHasVideo = false;
    bool m_bHasAudio = false;
    bool m_bSoughtToEnd = false;   // the last seek went to the end of the stream
    bool m_bHoldSought = false;    // paused since a seek: the position is the sought one
    double m_dSought = 0.0;
    double m_dDuration = 0.0;
};
