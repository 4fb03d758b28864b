#pragma once

#include "preview/VideoPreview.h"

#include "preview/ClassicPosition.h"
#include "preview/MpvSession.h"
#include "preview/MpvVideoOutput.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QRect>
#include <QString>

// A preview graph over libmpv: one mpv core per graph, playing with keep-open so that it halts
// on the last frame instead of unloading the file. Made of three parts: the MpvSession (the core
// and the waits that make it answer at once: RenderFile returns once the file is loaded and its
// first frame decoded, PutCurrentPosition once the seek is done), the ClassicPosition (the
// position as the classic graph reads it) and the MpvVideoOutput (the picture and its window).
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
    static QList<QPair<QByteArray, QByteArray>> SetOptionsForTests(const QList<QPair<QByteArray, QByteArray>> &options);

private:
    // A picture operation on a loaded file with a picture moves the window to rect.
    PreviewResult PlaceVideoWindow(const QRect &rect);
    bool HasPicture() const { return m_session.IsReady() && m_tracks.bVideo; }

    // Declared in this order: the output (and its render context) goes before the session.
    MpvSession m_session;
    ClassicPosition m_position{m_session};
    MpvVideoOutput m_output{m_session};
    MpvSession::Tracks m_tracks;
};
