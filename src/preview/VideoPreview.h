#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class QString;
class QWidget;

// What a preview operation answers. A caller that builds a graph step by step skips a step that
// is not implemented and gives the file up on any other failure, so the two are kept apart, as the
// classic media framework kept E_NOTIMPL apart from its other failure codes.
enum class PreviewResult {
    Ok,
    NotImplemented,
    Failed,
};

// One preview graph: the media framework's filter graph seen through its media control,
// position, audio and video-window operations. A graph renders one file; every load makes a new
// graph and releases the old one.
//
// Every operation answers at once. In particular a seek has been carried out when
// PutCurrentPosition returns (a position read right after it gives the sought position), the
// duration is known as soon as RenderFile has returned, and a stream that has played to its end
// reads its duration as its position.
class VideoPreview {
public:
    // put_WindowStyle bits of the classic window styles.
    static constexpr std::int32_t kWindowStyleChild = 0x40000000;        // WS_CHILD
    static constexpr std::int32_t kWindowStyleClipSiblings = 0x04000000; // WS_CLIPSIBLINGS
    static constexpr std::int32_t kWindowStyleClipChildren = 0x02000000; // WS_CLIPCHILDREN

    // Volume in hundredths of a decibel: 0 is full volume, -10000 is silence.
    static constexpr std::int32_t kVolumeFull = 0;
    static constexpr std::int32_t kVolumeSilent = -10000;
    // Balance in hundredths of a decibel taken off the other channel: 0 is centred, -10000 is
    // the left channel alone, 10000 the right channel alone.
    static constexpr std::int32_t kBalanceCentre = 0;
    static constexpr std::int32_t kBalanceLeft = -10000;
    static constexpr std::int32_t kBalanceRight = 10000;

    virtual ~VideoPreview();

    // Media control. RenderFile builds the graph for a file and leaves it stopped at 0; a graph
    // renders only one file.
    virtual PreviewResult RenderFile(const QString &sFile) = 0;
    virtual PreviewResult Run() = 0;
    virtual PreviewResult Pause() = 0;
    // Halts playback where it is; the position is not changed.
    virtual PreviewResult Stop() = 0;

    // Position, in seconds. A position put outside 0 .. duration is taken as the nearer end.
    virtual PreviewResult GetDuration(double &dDuration) = 0;
    virtual PreviewResult GetCurrentPosition(double &dPosition) = 0;
    virtual PreviewResult PutCurrentPosition(double dPosition) = 0;
    // 1.0 is normal speed.
    virtual PreviewResult PutRate(double dRate) = 0;

    // Audio. A graph without sound answers NotImplemented, as does an off-centre balance.
    virtual PreviewResult PutVolume(std::int32_t lVolume) = 0;
    virtual PreviewResult PutBalance(std::int32_t lBalance) = 0;

    // The video window: a child of its owner, placed in the owner's pixels. It shows once it has
    // an owner; until then the position and size are only kept. A graph without a picture fails
    // these.
    virtual PreviewResult PutLeft(int iLeft) = 0;
    virtual PreviewResult PutTop(int iTop) = 0;
    virtual PreviewResult PutWidth(int iWidth) = 0;
    virtual PreviewResult PutHeight(int iHeight) = 0;
    // Only child and clipping styles are implemented: a child widget clips its siblings and
    // children anyway. Any other style bit answers NotImplemented.
    virtual PreviewResult PutWindowStyle(std::int32_t lStyle) = 0;
    // nullptr takes the video window away.
    virtual PreviewResult PutOwner(QWidget *objOwner) = 0;
    // false keeps the mouse pointer visible over the video.
    virtual PreviewResult HideCursor(bool bHide) = 0;
};

// A new, empty graph: libmpv's, unless a test has put its own maker in place.
std::unique_ptr<VideoPreview> NewVideoPreview();

// Tests replace the graphs that NewVideoPreview makes; an empty function puts libmpv's back.
std::function<std::unique_ptr<VideoPreview>()>
SetVideoPreviewFactoryForTests(std::function<std::unique_ptr<VideoPreview>()> factory);
