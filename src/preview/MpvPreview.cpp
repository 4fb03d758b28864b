#include "preview/MpvPreview.h"

#include "preview/MpvRenderContext.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <cmath>
#include <utility>

namespace {

// Loading waits for the file to open and its first frame to decode; a seek for its frame. Both
// are bounded so that a stuck file cannot freeze the window.
constexpr int kLoadTimeoutMs = 15000;
constexpr int kSeekTimeoutMs = 10000;

// The first sound server or device that works; silent where there is none.
constexpr const char *kAudioOutputs = "pipewire,pulse,alsa,null";
constexpr const char *kAudioOutputNone = "null";

QList<QPair<QByteArray, QByteArray>> g_testOptions;

PreviewResult Result(bool bOk)
{
    return bOk ? PreviewResult::Ok : PreviewResult::Failed;
}

// A WebM written while it was recorded (a browser's recorder) states no duration: mpv's would
// grow only as far as it has played, and seeks would stop there. For WebM, mpv finds the length
// from the last video packet instead. Not for other Matroska files: theirs is stated, and the last
// video packet may end before the sound does.
const QString kProbedSuffix = QStringLiteral("webm");

// The program's mpv options for a file, then the tests' own.
MpvSession::Options SessionOptions(const QFileInfo &file)
{
    MpvSession::Options options{
        // The picture goes to the null output until a video window has a render context: vo=libmpv
        // without one fails, and mpv then drops the video track for good.
        {"vo", MpvRenderContext::kVideoOutputNone},
        // Without a display (the offscreen platform) the preview is silent as well.
        {"ao", MpvVideoOutput::CanDrawVideo() ? kAudioOutputs : kAudioOutputNone},
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
        // One decoding thread plays 1080p H.264 several times faster than real time; mpv's default
        // (one per core and one more) holds frames for every thread (about 10 MB at 720p) and
        // costs switching between them. Where one thread falls behind (4K, HEVC), frames are
        // dropped before they are decoded rather than the picture lagging behind the sound.
        {"vd-lavc-threads", "1"},
        {"framedrop", "decoder+vo"},
    };
    if (file.suffix().compare(kProbedSuffix, Qt::CaseInsensitive) == 0)
        options.append(qMakePair(QByteArray("demuxer-mkv-probe-video-duration"), QByteArray("yes")));
    return options + g_testOptions;
}

} // namespace

MpvPreview::MpvPreview() = default;

MpvPreview::~MpvPreview()
{
    // The render context goes first; mpv aborts when its core is destroyed under a live one.
    m_output.DestroyWindow();
    m_session.Terminate();
}

bool MpvPreview::CanDrawVideo()
{
    return MpvVideoOutput::CanDrawVideo();
}

QList<QPair<QByteArray, QByteArray>> MpvPreview::SetOptionsForTests(const QList<QPair<QByteArray, QByteArray>> &options)
{
    return std::exchange(g_testOptions, options);
}

QWidget *MpvPreview::VideoWindow() const
{
    return m_output.Window();
}

PreviewResult MpvPreview::RenderFile(const QString &sFile)
{
    // A graph renders one file, once.
    if (m_session.Handle() || m_session.State() != MpvSession::LoadState::Empty)
        return PreviewResult::Failed;
    const QFileInfo info(sFile);
    if (!m_session.Create(SessionOptions(info)))
        return PreviewResult::Failed;

    // mpv also opens URLs, devices and "protocol://" names; the graph plays a file, named by
    // its absolute path so that nothing in it reads as a protocol.
    if (sFile.isEmpty() || !info.isFile())
        return PreviewResult::Failed;
    if (m_session.LoadFile(QFile::encodeName(info.absoluteFilePath()), kLoadTimeoutMs) &&
        m_session.ReadTracks(m_tracks) && (m_tracks.bVideo || m_tracks.bAudio)) {
        m_position.Opened();
        return PreviewResult::Ok;
    }
    m_session.GiveUp();
    return PreviewResult::Failed;
}

PreviewResult MpvPreview::Run()
{
    if (!m_session.IsReady() || !m_session.SetFlag("pause", false))
        return PreviewResult::Failed;
    m_position.Running();
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::Pause()
{
    return Result(m_session.IsReady() && m_session.SetFlag("pause", true));
}

PreviewResult MpvPreview::Stop()
{
    return Pause();
}

PreviewResult MpvPreview::GetDuration(double &dDuration)
{
    return Result(m_session.IsReady() && m_position.Duration(dDuration));
}

PreviewResult MpvPreview::GetCurrentPosition(double &dPosition)
{
    return Result(m_session.IsReady() && m_position.Position(dPosition));
}

PreviewResult MpvPreview::PutCurrentPosition(double dPosition)
{
    return Result(m_session.IsReady() && std::isfinite(dPosition) && m_position.Seek(dPosition, kSeekTimeoutMs));
}

PreviewResult MpvPreview::PutRate(double dRate)
{
    if (!m_session.IsReady() || !std::isfinite(dRate) || dRate <= 0.0)
        return PreviewResult::Failed;
    return Result(m_session.SetDouble("speed", dRate));
}

PreviewResult MpvPreview::PutVolume(std::int32_t lVolume)
{
    if (!m_session.IsReady() || lVolume < kVolumeSilent || lVolume > kVolumeFull)
        return PreviewResult::Failed;
    if (!m_tracks.bAudio)
        return PreviewResult::NotImplemented;
    // lVolume is hundredths of a decibel, an amplitude of 10^(lVolume / 2000). mpv's volume v
    // scales the amplitude by (v / 100)^3, so v = 100 * 10^(lVolume / 6000).
    const double dMpvVolume = lVolume <= kVolumeSilent ? 0.0 : 100.0 * std::pow(10.0, lVolume / 6000.0);
    return Result(m_session.SetDouble("volume", dMpvVolume));
}

PreviewResult MpvPreview::PutBalance(std::int32_t lBalance)
{
    if (!m_session.IsReady() || lBalance < kBalanceLeft || lBalance > kBalanceRight)
        return PreviewResult::Failed;
    // mpv plays the channels as the file has them, which is the centred balance.
    if (!m_tracks.bAudio || lBalance != kBalanceCentre)
        return PreviewResult::NotImplemented;
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::PlaceVideoWindow(const QRect &rect)
{
    if (!HasPicture())
        return PreviewResult::Failed;
    m_output.SetPlace(rect);
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::PutLeft(int iLeft)
{
    QRect rect = m_output.Place();
    rect.moveLeft(iLeft);
    return PlaceVideoWindow(rect);
}

PreviewResult MpvPreview::PutTop(int iTop)
{
    QRect rect = m_output.Place();
    rect.moveTop(iTop);
    return PlaceVideoWindow(rect);
}

PreviewResult MpvPreview::PutWidth(int iWidth)
{
    if (iWidth < 0)
        return PreviewResult::Failed;
    QRect rect = m_output.Place();
    rect.setWidth(iWidth);
    return PlaceVideoWindow(rect);
}

PreviewResult MpvPreview::PutHeight(int iHeight)
{
    if (iHeight < 0)
        return PreviewResult::Failed;
    QRect rect = m_output.Place();
    rect.setHeight(iHeight);
    return PlaceVideoWindow(rect);
}

PreviewResult MpvPreview::PutWindowStyle(std::int32_t lStyle)
{
    if (!HasPicture())
        return PreviewResult::Failed;
    constexpr std::int32_t lChildStyles = kWindowStyleChild | kWindowStyleClipSiblings | kWindowStyleClipChildren;
    return (lStyle & ~lChildStyles) == 0 ? PreviewResult::Ok : PreviewResult::NotImplemented;
}

PreviewResult MpvPreview::PutOwner(QWidget *objOwner)
{
    if (!HasPicture())
        return PreviewResult::Failed;
    m_output.SetOwner(objOwner);
    return PreviewResult::Ok;
}

PreviewResult MpvPreview::HideCursor(bool bHide)
{
    if (!HasPicture())
        return PreviewResult::Failed;
    m_output.HideCursor(bHide);
    return PreviewResult::Ok;
}
