#include "ui/MpvPreview.h"

#include "ui/MpvVideoWidget.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <mpv/client.h>

namespace {

// Loading waits for the file to open and its first frame to decode; a seek for its frame. Both
// are bounded so that a stuck file cannot freeze the window.
constexpr int kLoadTimeoutMs = 15000;
constexpr int kSeekTimeoutMs = 10000;
constexpr int kOutputSwitchTimeoutMs = 5000;
// Marks the reply to the switch away from the video window.
constexpr std::uint64_t kOutputSwitchReply = 1;
// While a video window draws, the wait looks this often for frames that mpv waits to see drawn.
constexpr int kDrawPollMs = 5;

// The outputs mpv starts with. The picture goes to the null output until a video window has a
// render context: vo=libmpv without one fails, and mpv then drops the video track for good.
constexpr const char *kVideoOutputNone = "null";
constexpr const char *kVideoOutputRender = "libmpv";
// The first sound server or device that works; silent where there is none.
constexpr const char *kAudioOutputs = "pipewire,pulse,alsa,null";
constexpr const char *kAudioOutputNone = "null";

QList<QPair<QByteArray, QByteArray>> g_testOptions;

} // namespace

MpvPreview::MpvPreview() = default;

MpvPreview::~MpvPreview()
{
    if (m_mpv)
        mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    // The render context goes first; mpv aborts when its core is destroyed under a live one.
    DestroyVideoWindow();
    if (m_mpv)
        mpv_terminate_destroy(m_mpv);
}

bool MpvPreview::CanDrawVideo()
{
    const QString sPlatform = QGuiApplication::platformName();
    return sPlatform != QLatin1String("offscreen") && sPlatform != QLatin1String("minimal");
}

void MpvPreview::SetOptionsForTests(const QList<QPair<QByteArray, QByteArray>> &options)
{
    g_testOptions = options;
}

QWidget *MpvPreview::VideoWindow() const
{
    return m_objVideoWindow.data();
}

bool MpvPreview::CreateCore()
{
    // mpv_create returns nullptr under a locale whose decimal point is not "."
    // (setlocale(LC_NUMERIC, "C") belongs after QApplication).
    m_mpv = mpv_create();
    if (!m_mpv)
        return false;

    QList<QPair<QByteArray, QByteArray>> options{
        {"vo", kVideoOutputNone},
        // Without a display (the offscreen platform) the preview is silent as well.
        {"ao", CanDrawVideo() ? kAudioOutputs : kAudioOutputNone},
        {"hwdec", "no"},
        {"gpu-hwdec-interop", "no"},
        // Halt on the last frame at the end instead of unloading the file.
        {"keep-open", "yes"},
        // A rendered graph stands still until it is run.
        {"pause", "yes"},
        // The picture fills the video window; the aspect ratio is not kept.
        {"keepaspect", "no"},
        // Frames are handed to the render API at their display time, which never blocks it.
        {"video-timing-offset", "0"},
        {"osd-level", "0"},
        {"osd-bar", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        // Play the file itself: no playlists, references or neighbouring subtitle files.
        {"access-references", "no"},
        {"sub-auto", "no"},
        // The picture is a 318x189 preview of 720p or 1080p video, drawn in software where there
        // is no GPU: one bilinear pass is as good as any scaler at that size, and mpv then draws
        // in a single pass. These are this mpv's defaults, pinned because later versions default
        // to costlier downscaling and dithering.
        {"scale", "bilinear"},
        {"dscale", "bilinear"},
        {"cscale", "bilinear"},
        {"correct-downscaling", "no"},
        {"linear-downscaling", "no"},
        {"sigmoid-upscaling", "no"},
        {"dither-depth", "no"},
        {"deband", "no"},
        {"interpolation", "no"},
        // Two decoding threads keep 1080p in time on two cores; more (mpv's default is one per
        // core and one more) each hold frames of their own, for nothing at this size.
        {"vd-lavc-threads", "2"},
    };
    options += g_testOptions;
    for (const auto &option : std::as_const(options)) {
        if (mpv_set_option_string(m_mpv, option.first.constData(), option.second.constData()) < 0)
            return false;
    }
    if (mpv_initialize(m_mpv) < 0)
        return false;

    // Called on mpv's threads: only queue the draining of mpv's events on the GUI thread.
    mpv_set_wakeup_callback(
        m_mpv,
        [](void *pContext) {
            QMetaObject::invokeMethod(static_cast<MpvPreview *>(pContext), &MpvPreview::DrainEvents,
                                      Qt::QueuedConnection);
        },
        this);
    return true;
}

void MpvPreview::DrainEvents()
{
    while (m_mpv) {
        const mpv_event *event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        HandleEvent(*event);
    }
}

void MpvPreview::HandleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_FILE_LOADED:
        m_bFileLoaded = true;
        break;
    case MPV_EVENT_END_FILE:
    case MPV_EVENT_SHUTDOWN:
        // With keep-open the file ends only when mpv gives it up.
        m_bFileLoaded = false;
        m_bFileEnded = true;
        break;
    case MPV_EVENT_SEEK:
        // The restart that completes this seek comes after it; an earlier one does not count.
        m_bSeekStarted = true;
        m_bRestarted = false;
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        m_bRestarted = true;
        break;
    case MPV_EVENT_SET_PROPERTY_REPLY:
        if (event.reply_userdata == kOutputSwitchReply)
            m_bOutputSwitched = true;
        break;
    default:
        break;
    }
}

bool MpvPreview::WaitFor(const std::function<bool()> &done, int iTimeoutMs)
{
    // Waits on mpv's event queue only: nothing of the window runs meanwhile. The GUI thread is
    // also mpv's render thread, and mpv's video output stands still until its frame is drawn, so
    // the wait draws the video window's frames itself.
    const QDeadlineTimer deadline(iTimeoutMs);
    while (!done()) {
        qint64 iWaitMs = deadline.remainingTime();
        if (iWaitMs <= 0)
            return false;
        const bool bDrawing = m_objVideoWidget && m_objVideoWidget->HasRenderContext();
        if (bDrawing)
            iWaitMs = std::min<qint64>(iWaitMs, kDrawPollMs);
        const mpv_event *event = mpv_wait_event(m_mpv, static_cast<double>(iWaitMs) / 1000.0);
        if (event->event_id != MPV_EVENT_NONE)
            HandleEvent(*event);
        if (bDrawing && m_objVideoWidget)
            m_objVideoWidget->DrawPendingFrame();
    }
    return true;
}

bool MpvPreview::ReadDouble(const char *sProperty, double &dValue) const
{
    double dRead = 0.0;
    if (!m_mpv || mpv_get_property(m_mpv, sProperty, MPV_FORMAT_DOUBLE, &dRead) < 0 || !std::isfinite(dRead))
        return false;
    dValue = dRead;
    return true;
}

bool MpvPreview::ReadFlag(const char *sProperty, bool &bValue) const
{
    int iFlag = 0;
    if (!m_mpv || mpv_get_property(m_mpv, sProperty, MPV_FORMAT_FLAG, &iFlag) < 0)
        return false;
    bValue = iFlag != 0;
    return true;
}

bool MpvPreview::SetFlag(const char *sProperty, bool bValue)
{
    int iFlag = bValue ? 1 : 0;
    return m_mpv && mpv_set_property(m_mpv, sProperty, MPV_FORMAT_FLAG, &iFlag) >= 0;
}

bool MpvPreview::ReadTracks()
{
    std::int64_t iCount = 0;
    if (mpv_get_property(m_mpv, "track-list/count", MPV_FORMAT_INT64, &iCount) < 0)
        return false;
    for (std::int64_t i = 0; i < iCount; ++i) {
        const QByteArray sTrack = "track-list/" + QByteArray::number(i) + '/';
        char *sType = mpv_get_property_string(m_mpv, (sTrack + "type").constData());
        const QByteArray sTypeText(sType ? sType : "");
        mpv_free(sType);
        bool bAlbumArt = false;
        ReadFlag((sTrack + "albumart").constData(), bAlbumArt);
        if (sTypeText == "video" && !bAlbumArt)
            m_bHasVideo = true;
        else if (sTypeText == "audio")
            m_bHasAudio = true;
    }
    return true;
}

PreviewResult MpvPreview::RenderFile(const QString &sFile)
{
    if (m_bRendered)
        return PreviewResult::Failed;
    m_bRendered = true;
    if (!CreateCore())
        return PreviewResult::Failed;

    // mpv also opens URLs, devices and "protocol://" names; the graph plays a file, named by
    // its absolute path so that nothing in it reads as a protocol.
    const QFileInfo info(sFile);
    if (sFile.isEmpty() || !info.isFile())
        return PreviewResult::Failed;
    const QByteArray sPath = QFile::encodeName(info.absoluteFilePath());
    const char *loadCommand[]{"loadfile", sPath.constData(), nullptr};
    if (mpv_command(m_mpv, loadCommand) < 0)
        return PreviewResult::Failed;

    const bool bReady = WaitFor([this] { return m_bFileEnded || (m_bFileLoaded && m_bRestarted); },
                                kLoadTimeoutMs);
    if (bReady && !m_bFileEnded && ReadTracks() && (m_bHasVideo || m_bHasAudio)) {
        double dDuration = 0.0;
        if (ReadDouble("duration", dDuration))
            m_dDuration = dDuration;
        return PreviewResult::Ok;
    }
    // A load still under way would go on after the graph gave it up.
    const char *stopCommand[]{"stop", nullptr};
    mpv_command(m_mpv, stopCommand);
    m_bFileLoaded = false;
    return PreviewResult::Failed;
}

PreviewResult MpvPreview::Run()
{
    if (!m_bFileLoaded || !SetFlag("pause", false))
        return PreviewResult::Failed;
    m_bHoldSought = false;
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::Pause()
{
    return m_bFileLoaded && SetFlag("pause", true) ? PreviewResult::Ok : PreviewResult::Failed;
}

PreviewResult MpvPreview::Stop()
{
    return Pause();
}

PreviewResult MpvPreview::GetDuration(double &dDuration)
{
    if (!m_bFileLoaded)
        return PreviewResult::Failed;
    // mpv may refine the duration while it plays; the one read at load stands in otherwise.
    double dRead = 0.0;
    if (ReadDouble("duration", dRead))
        m_dDuration = dRead;
    else if (m_dDuration <= 0.0)
        return PreviewResult::Failed;
    dDuration = m_dDuration;
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::GetCurrentPosition(double &dPosition)
{
    if (!m_bFileLoaded)
        return PreviewResult::Failed;
    double dDuration = 0.0;
    const bool bHasDuration = GetDuration(dDuration) == PreviewResult::Ok;

    // At the end mpv stands on the last frame's time (or past it, where the sound runs longer),
    // and after a seek to the end on the last frame without reaching the end at all; the graph
    // reads the end of the stream as its duration.
    bool bAtEnd = m_bSoughtToEnd;
    bool bEofReached = false;
    if (ReadFlag("eof-reached", bEofReached) && bEofReached)
        bAtEnd = true;
    if (bAtEnd && bHasDuration) {
        dPosition = dDuration;
        return PreviewResult::Ok;
    }

    // Standing after a seek, mpv reads the time of the frame it shows, the first one at or after
    // the sought place; the graph reads the place it was sent to until it runs again.
    if (m_bHoldSought) {
        dPosition = m_dSought;
        return PreviewResult::Ok;
    }
    double dTime = 0.0;
    if (!ReadDouble("time-pos", dTime))
        return PreviewResult::Failed;
    dTime = std::max(dTime, 0.0);
    if (bHasDuration)
        dTime = std::min(dTime, dDuration);
    dPosition = dTime;
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::PutCurrentPosition(double dPosition)
{
    if (!m_bFileLoaded || !std::isfinite(dPosition))
        return PreviewResult::Failed;
    double dDuration = 0.0;
    const bool bHasDuration = GetDuration(dDuration) == PreviewResult::Ok;
    double dTarget = std::max(dPosition, 0.0);
    const bool bToEnd = bHasDuration && dTarget >= dDuration;
    if (bToEnd)
        dTarget = dDuration;

    // mpv only queues a seek; the graph answers once mpv has begun it and restarted playback at
    // the new place. Events already queued belong to earlier work.
    DrainEvents();
    bool bPaused = false;
    ReadFlag("pause", bPaused);
    m_bHoldSought = false;
    m_bSeekStarted = false;
    m_bRestarted = false;
    const QByteArray sTarget = QByteArray::number(dTarget, 'f', 6);
    const char *seekCommand[]{"seek", sTarget.constData(), "absolute+exact", nullptr};
    if (mpv_command(m_mpv, seekCommand) < 0)
        return PreviewResult::Failed;
    const bool bDone = WaitFor([this] { return m_bFileEnded || (m_bSeekStarted && m_bRestarted); },
                               kSeekTimeoutMs);
    if (!bDone || m_bFileEnded)
        return PreviewResult::Failed;
    m_bSoughtToEnd = bToEnd;
    m_bHoldSought = bPaused;
    m_dSought = dTarget;
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::PutRate(double dRate)
{
    if (!m_bFileLoaded || !std::isfinite(dRate) || dRate <= 0.0)
        return PreviewResult::Failed;
    return mpv_set_property(m_mpv, "speed", MPV_FORMAT_DOUBLE, &dRate) >= 0 ? PreviewResult::Ok
                                                                            : PreviewResult::Failed;
}

PreviewResult MpvPreview::PutVolume(std::int32_t lVolume)
{
    if (!m_bFileLoaded || lVolume < kVolumeSilent || lVolume > kVolumeFull)
        return PreviewResult::Failed;
    if (!m_bHasAudio)
        return PreviewResult::NotImplemented;
    // lVolume is hundredths of a decibel, an amplitude of 10^(lVolume / 2000). mpv's volume v
    // scales the amplitude by (v / 100)^3, so v = 100 * 10^(lVolume / 6000).
    double dMpvVolume = lVolume <= kVolumeSilent ? 0.0 : 100.0 * std::pow(10.0, lVolume / 6000.0);
    return mpv_set_property(m_mpv, "volume", MPV_FORMAT_DOUBLE, &dMpvVolume) >= 0 ? PreviewResult::Ok
                                                                                  : PreviewResult::Failed;
}

PreviewResult MpvPreview::PutBalance(std::int32_t lBalance)
{
    if (!m_bFileLoaded || lBalance < kBalanceLeft || lBalance > kBalanceRight)
        return PreviewResult::Failed;
    // mpv plays the channels as the file has them, which is the centred balance.
    if (!m_bHasAudio || lBalance != kBalanceCentre)
        return PreviewResult::NotImplemented;
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::PutLeft(int iLeft)
{
    if (!m_bFileLoaded || !m_bHasVideo)
        return PreviewResult::Failed;
    m_rectVideo.moveLeft(iLeft);
    return PlaceVideoWindow();
}

PreviewResult MpvPreview::PutTop(int iTop)
{
    if (!m_bFileLoaded || !m_bHasVideo)
        return PreviewResult::Failed;
    m_rectVideo.moveTop(iTop);
    return PlaceVideoWindow();
}

PreviewResult MpvPreview::PutWidth(int iWidth)
{
    if (!m_bFileLoaded || !m_bHasVideo || iWidth < 0)
        return PreviewResult::Failed;
    m_rectVideo.setWidth(iWidth);
    return PlaceVideoWindow();
}

PreviewResult MpvPreview::PutHeight(int iHeight)
{
    if (!m_bFileLoaded || !m_bHasVideo || iHeight < 0)
        return PreviewResult::Failed;
    m_rectVideo.setHeight(iHeight);
    return PlaceVideoWindow();
}

PreviewResult MpvPreview::PutWindowStyle(std::int32_t lStyle)
{
    if (!m_bFileLoaded || !m_bHasVideo)
        return PreviewResult::Failed;
    constexpr std::int32_t lChildStyles = kWindowStyleChild | kWindowStyleClipSiblings | kWindowStyleClipChildren;
    return (lStyle & ~lChildStyles) == 0 ? PreviewResult::Ok : PreviewResult::NotImplemented;
}

PreviewResult MpvPreview::PutOwner(QWidget *objOwner)
{
    if (!m_bFileLoaded || !m_bHasVideo)
        return PreviewResult::Failed;
    if (m_objVideoWindow && m_objVideoWindow->parentWidget() == objOwner)
        return PreviewResult::Ok;
    DestroyVideoWindow();
    if (!objOwner)
        return PreviewResult::Ok;

    QWidget *objWindow = nullptr;
    if (CanDrawVideo()) {
        auto *objWidget = new MpvVideoWidget(m_mpv, objOwner);
        connect(objWidget, &MpvVideoWidget::RenderContextCreated, this,
                [this] { UseVideoWindow(); });
        connect(objWidget, &MpvVideoWidget::RenderContextReleasing, this,
                [this] { LeaveVideoWindow(); });
        m_objVideoWidget = objWidget;
        objWindow = objWidget;
    } else {
        objWindow = new QWidget(objOwner);
        objWindow->setAutoFillBackground(true);
        QPalette palette = objWindow->palette();
        palette.setColor(QPalette::Window, Qt::black);
        objWindow->setPalette(palette);
    }
    m_objVideoWindow = objWindow;
    PlaceVideoWindow();
    if (m_bHideCursor)
        objWindow->setCursor(Qt::BlankCursor);
    // Drops and clicks go on to the owner: the video window takes neither.
    objWindow->setAcceptDrops(false);
    objWindow->show();
    objWindow->raise();
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::HideCursor(bool bHide)
{
    if (!m_bFileLoaded || !m_bHasVideo)
        return PreviewResult::Failed;
    m_bHideCursor = bHide;
    if (m_objVideoWindow) {
        if (bHide)
            m_objVideoWindow->setCursor(Qt::BlankCursor);
        else
            m_objVideoWindow->unsetCursor();
    }
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::PlaceVideoWindow()
{
    if (m_objVideoWindow)
        m_objVideoWindow->setGeometry(m_rectVideo);
    return PreviewResult::Ok;
}

void MpvPreview::DestroyVideoWindow()
{
    if (m_objVideoWidget)
        m_objVideoWidget->ReleaseRenderContext();
    delete m_objVideoWindow.data();
    m_objVideoWindow = nullptr;
    m_objVideoWidget = nullptr;
}

void MpvPreview::UseVideoWindow()
{
    // The render context is fresh: mpv has no frame waiting to be drawn, and setting the output
    // returns at once.
    if (m_mpv)
        mpv_set_property_string(m_mpv, "vo", kVideoOutputRender);
}

void MpvPreview::LeaveVideoWindow()
{
    if (!m_mpv)
        return;
    // mpv closes its video output only after the frame it has handed over is drawn, and the
    // drawing is ours: switch asynchronously and draw until mpv answers.
    const char *sOutput = kVideoOutputNone;
    m_bOutputSwitched = false;
    if (mpv_set_property_async(m_mpv, kOutputSwitchReply, "vo", MPV_FORMAT_STRING, &sOutput) < 0)
        return;
    WaitFor([this] { return m_bOutputSwitched; }, kOutputSwitchTimeoutMs);
}
