#include "preview/MpvSession.h"

#include "preview/MpvVideoWidget.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <cmath>
#include <malloc.h>
#include <mpv/client.h>

namespace {
// While a video widget draws, a wait looks this often for frames that mpv waits to see drawn.
constexpr int kDrawPollMs = 5;
} // namespace

MpvSession::~MpvSession()
{
    Terminate();
}

void MpvSession::Terminate()
{
    if (!m_mpv)
        return;
    mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    mpv_terminate_destroy(m_mpv);
    m_mpv = nullptr;
    m_load = LoadState::Lost;
    // The core's threads have ended, but glibc keeps what they freed (their demuxer buffers and
    // decoded frames) in its arenas for reuse: every load makes a new core, and without handing
    // those pages back the program grew by a few MB a load.
    malloc_trim(0);
}

bool MpvSession::Create(const Options &options)
{
    // mpv_create returns nullptr under a locale whose decimal point is not "."
    // (setlocale(LC_NUMERIC, "C") belongs after QApplication).
    // A session that could not start has nothing to load.
    m_load = LoadState::Lost;
    m_mpv = mpv_create();
    if (!m_mpv)
        return false;
    for (const auto &option : options) {
        if (mpv_set_option_string(m_mpv, option.first.constData(), option.second.constData()) < 0)
            return false;
    }
    if (mpv_initialize(m_mpv) < 0)
        return false;
    m_load = LoadState::Empty;

    // Called on mpv's threads: only queue the draining of mpv's events on the GUI thread.
    mpv_set_wakeup_callback(
        m_mpv,
        [](void *pContext) {
            QMetaObject::invokeMethod(static_cast<MpvSession *>(pContext), &MpvSession::DrainEvents,
                                      Qt::QueuedConnection);
        },
        this);
    return true;
}

void MpvSession::DrainEvents()
{
    while (m_mpv) {
        const mpv_event *event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        HandleEvent(*event);
    }
}

void MpvSession::HandleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_FILE_LOADED:
        if (m_load == LoadState::Loading)
            m_load = LoadState::Opened;
        break;
    case MPV_EVENT_END_FILE:
    case MPV_EVENT_SHUTDOWN:
        // With keep-open the file ends only when mpv gives it up.
        m_load = LoadState::Lost;
        break;
    case MPV_EVENT_SEEK:
        // The restart that completes this seek comes after it; an earlier one does not count.
        if (m_seek == SeekState::Sent || m_seek == SeekState::Started)
            m_seek = SeekState::Started;
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_load == LoadState::Opened)
            m_load = LoadState::Ready;
        if (m_seek == SeekState::Started)
            m_seek = SeekState::Done;
        break;
    case MPV_EVENT_SET_PROPERTY_REPLY:
        m_iLastAnswered = std::max(m_iLastAnswered, event.reply_userdata);
        break;
    default:
        break;
    }
}

bool MpvSession::WaitFor(const std::function<bool()> &done, int iTimeoutMs)
{
    const QDeadlineTimer deadline(iTimeoutMs);
    while (!done()) {
        qint64 iWaitMs = deadline.remainingTime();
        if (iWaitMs <= 0)
            return false;
        const bool bDrawing = m_objDrawing && m_objDrawing->HasRenderContext();
        if (bDrawing)
            iWaitMs = std::min<qint64>(iWaitMs, kDrawPollMs);
        const mpv_event *event = mpv_wait_event(m_mpv, static_cast<double>(iWaitMs) / 1000.0);
        if (event->event_id != MPV_EVENT_NONE)
            HandleEvent(*event);
        if (bDrawing && m_objDrawing)
            m_objDrawing->DrawPendingFrame();
    }
    return true;
}

bool MpvSession::LoadFile(const QByteArray &sPath, int iTimeoutMs)
{
    if (!m_mpv || m_load != LoadState::Empty)
        return false;
    const char *loadCommand[]{"loadfile", sPath.constData(), nullptr};
    m_load = LoadState::Loading;
    if (mpv_command(m_mpv, loadCommand) >= 0 &&
        WaitFor([this] { return m_load == LoadState::Ready || m_load == LoadState::Lost; }, iTimeoutMs) &&
        m_load == LoadState::Ready)
        return true;
    GiveUp();
    return false;
}

void MpvSession::GiveUp()
{
    // A load still under way would go on after the graph gave it up.
    if (m_mpv) {
        const char *stopCommand[]{"stop", nullptr};
        mpv_command(m_mpv, stopCommand);
    }
    m_load = LoadState::Lost;
}

bool MpvSession::Seek(double dTarget, int iTimeoutMs)
{
    if (!IsReady())
        return false;
    // Events already queued belong to earlier work.
    DrainEvents();
    const QByteArray sTarget = QByteArray::number(dTarget, 'f', 6);
    const char *seekCommand[]{"seek", sTarget.constData(), "absolute+exact", nullptr};
    m_seek = SeekState::Sent;
    const bool bDone = mpv_command(m_mpv, seekCommand) >= 0 &&
                       WaitFor([this] { return m_load == LoadState::Lost || m_seek == SeekState::Done; },
                               iTimeoutMs) &&
                       m_load != LoadState::Lost;
    m_seek = SeekState::Idle;
    return bDone;
}

bool MpvSession::SwitchOutput(const char *sOutput, int iTimeoutMs)
{
    if (!m_mpv)
        return false;
    const std::uint64_t iRequest = ++m_iLastRequest;
    if (mpv_set_property_async(m_mpv, iRequest, "vo", MPV_FORMAT_STRING, &sOutput) < 0)
        return false;
    return WaitFor([this, iRequest] { return m_iLastAnswered >= iRequest; }, iTimeoutMs);
}

bool MpvSession::SetOutput(const char *sOutput)
{
    return m_mpv && mpv_set_property_string(m_mpv, "vo", sOutput) >= 0;
}

bool MpvSession::ReadTracks(Tracks &tracks) const
{
    std::int64_t iCount = 0;
    if (!m_mpv || mpv_get_property(m_mpv, "track-list/count", MPV_FORMAT_INT64, &iCount) < 0)
        return false;
    tracks = Tracks();
    for (std::int64_t i = 0; i < iCount; ++i) {
        const QByteArray sTrack = "track-list/" + QByteArray::number(i) + '/';
        char *sType = mpv_get_property_string(m_mpv, (sTrack + "type").constData());
        const QByteArray sTypeText(sType ? sType : "");
        mpv_free(sType);
        bool bAlbumArt = false;
        ReadFlag((sTrack + "albumart").constData(), bAlbumArt);
        if (sTypeText == "video" && !bAlbumArt)
            tracks.bVideo = true;
        else if (sTypeText == "audio")
            tracks.bAudio = true;
    }
    return true;
}

bool MpvSession::ReadDouble(const char *sProperty, double &dValue) const
{
    double dRead = 0.0;
    if (!m_mpv || mpv_get_property(m_mpv, sProperty, MPV_FORMAT_DOUBLE, &dRead) < 0 || !std::isfinite(dRead))
        return false;
    dValue = dRead;
    return true;
}

bool MpvSession::ReadFlag(const char *sProperty, bool &bValue) const
{
    int iFlag = 0;
    if (!m_mpv || mpv_get_property(m_mpv, sProperty, MPV_FORMAT_FLAG, &iFlag) < 0)
        return false;
    bValue = iFlag != 0;
    return true;
}

bool MpvSession::SetFlag(const char *sProperty, bool bValue)
{
    int iFlag = bValue ? 1 : 0;
    return m_mpv && mpv_set_property(m_mpv, sProperty, MPV_FORMAT_FLAG, &iFlag) >= 0;
}

bool MpvSession::SetDouble(const char *sProperty, double dValue)
{
    return m_mpv && mpv_set_property(m_mpv, sProperty, MPV_FORMAT_DOUBLE, &dValue) >= 0;
}

void MpvSession::SetDrawingWidget(MpvVideoWidget *objWidget)
{
    m_objDrawing = objWidget;
}
