#include "preview/PreviewTestSupport.h"
#include "common/ScopedOverride.h"
#include "support/TestMedia.h"
#include "preview/MpvPreview.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using PreviewTest::Clip;
using PreviewTest::Pump;
using PreviewTest::WaitUntil;

namespace {

// The loader's style: WS_CLIPCHILDREN | WS_CLIPSIBLINGS.
constexpr std::int32_t kClipStyles = 0x06000000;
constexpr std::int32_t kCaptionStyle = 0x00C00000; // WS_CAPTION

class MpvPreviewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new QTemporaryDir();
        ASSERT_TRUE(s_folder->isValid());
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }

    static QString MakeClip(const QString &sName, double dSeconds, const QStringList &extraArgs = {})
    {
        const QString sPath = Clip(*s_folder, sName, dSeconds, extraArgs);
        EXPECT_FALSE(sPath.isEmpty()) << "ffmpeg could not make " << sName.toStdString();
        return sPath;
    }

    static double Position(VideoPreview &graph)
    {
        double dPosition = -1.0;
        EXPECT_EQ(graph.GetCurrentPosition(dPosition), PreviewResult::Ok);
        return dPosition;
    }

    static double Duration(VideoPreview &graph)
    {
        double dDuration = -1.0;
        EXPECT_EQ(graph.GetDuration(dDuration), PreviewResult::Ok);
        return dDuration;
    }

    static QTemporaryDir *s_folder;
};

QTemporaryDir *MpvPreviewTest::s_folder = nullptr;

} // namespace

TEST_F(MpvPreviewTest, RendersAClipWithItsDurationKnownAtOnce)
{
    EXPECT_FALSE(MpvPreview::CanDrawVideo()) << "the widget tests run on the offscreen platform";

    const QString sClip = MakeClip(QStringLiteral("two.mp4"), 2.0);
    MpvPreview graph;
    ASSERT_EQ(graph.RenderFile(sClip), PreviewResult::Ok);
    const double dDuration = Duration(graph);
    EXPECT_NEAR(dDuration, 2.0, 0.05);
    EXPECT_NEAR(dDuration, TestMedia::Probe(sClip).dDuration, 0.05);
    EXPECT_DOUBLE_EQ(Position(graph), 0.0);

    // A rendered graph stands still until it is run.
    Pump(300);
    EXPECT_DOUBLE_EQ(Position(graph), 0.0);

    // One file per graph.
    EXPECT_EQ(graph.RenderFile(sClip), PreviewResult::Failed);
    EXPECT_NEAR(Duration(graph), 2.0, 0.05);
}

TEST_F(MpvPreviewTest, ARecordingWhoseContainerStatesNoDurationHasItsWholeLengthAtOnce)
{
    // As a browser's recorder writes it: ffprobe says duration=N/A.
    const QString sClip = MakeClip(QStringLiteral("live.webm"), 6.0,
                                   {"-c:v", "libvpx-vp9", "-deadline", "realtime", "-cpu-used", "8", "-c:a",
                                    "libopus", "-live", "1", "-f", "webm"});
    ASSERT_EQ(TestMedia::Probe(sClip).dDuration, 0.0);
    MpvPreview graph;
    ASSERT_EQ(graph.RenderFile(sClip), PreviewResult::Ok);
    EXPECT_NEAR(Duration(graph), 6.0, 0.1);
    // A seek past what has been played is not cut short.
    ASSERT_EQ(graph.PutCurrentPosition(4.0), PreviewResult::Ok);
    EXPECT_DOUBLE_EQ(Position(graph), 4.0);
}

TEST_F(MpvPreviewTest, EveryOperationFailsBeforeAFileIsRendered)
{
    MpvPreview graph;
    double dValue = 0.0;
    QWidget owner;
    EXPECT_EQ(graph.Run(), PreviewResult::Failed);
    EXPECT_EQ(graph.Pause(), PreviewResult::Failed);
    EXPECT_EQ(graph.Stop(), PreviewResult::Failed);
    EXPECT_EQ(graph.GetDuration(dValue), PreviewResult::Failed);
    EXPECT_EQ(graph.GetCurrentPosition(dValue), PreviewResult::Failed);
    EXPECT_EQ(graph.PutCurrentPosition(0.0), PreviewResult::Failed);
    EXPECT_EQ(graph.PutRate(1.0), PreviewResult::Failed);
    EXPECT_EQ(graph.PutVolume(0), PreviewResult::Failed);
    EXPECT_EQ(graph.PutBalance(0), PreviewResult::Failed);
    EXPECT_EQ(graph.PutLeft(0), PreviewResult::Failed);
    EXPECT_EQ(graph.PutTop(0), PreviewResult::Failed);
    EXPECT_EQ(graph.PutWidth(318), PreviewResult::Failed);
    EXPECT_EQ(graph.PutHeight(189), PreviewResult::Failed);
    EXPECT_EQ(graph.PutWindowStyle(kClipStyles), PreviewResult::Failed);
    EXPECT_EQ(graph.PutOwner(&owner), PreviewResult::Failed);
    EXPECT_EQ(graph.HideCursor(false), PreviewResult::Failed);
    EXPECT_EQ(graph.VideoWindow(), nullptr);
}

TEST_F(MpvPreviewTest, RefusesWhatIsNotAVideoAsAFailureNotAMissingStep)
{
    const QString sText = s_folder->filePath(QStringLiteral("notes.txt"));
    QFile text(sText);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("These are notes, not a video.\n");
    text.close();

    // Bytes that no demuxer recognises, under a video's name.
    const QString sJunk = s_folder->filePath(QStringLiteral("junk.mp4"));
    QFile junk(sJunk);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    for (int i = 0; i < 4096; ++i)
        junk.write(QByteArray::number(i * 2654435761u % 977));
    junk.close();

    ASSERT_TRUE(QDir(s_folder->path()).mkpath(QStringLiteral("folder.mp4")));

    const QStringList files{sText, sJunk, s_folder->filePath(QStringLiteral("missing.mp4")),
                            s_folder->filePath(QStringLiteral("folder.mp4")), QString()};
    for (const QString &sFile : files) {
        SCOPED_TRACE(sFile.toStdString());
        MpvPreview graph;
        EXPECT_EQ(graph.RenderFile(sFile), PreviewResult::Failed);
        double dValue = 0.0;
        EXPECT_EQ(graph.GetDuration(dValue), PreviewResult::Failed);
        EXPECT_EQ(graph.Run(), PreviewResult::Failed);
        EXPECT_EQ(graph.PutVolume(0), PreviewResult::Failed);
    }
}

TEST_F(MpvPreviewTest, ASeekIsDoneWhenItReturns)
{
    MpvPreview graph;
    ASSERT_EQ(graph.RenderFile(MakeClip(QStringLiteral("two.mp4"), 2.0)), PreviewResult::Ok);
    const double dDuration = Duration(graph);

    // Stopped: each seek reads back exactly, at once, and stays so, also between two frames
    // (25 per second).
    for (double dTarget : {1.0, 0.4, 1.5, 0.0, 0.75, 1.0}) {
        SCOPED_TRACE(dTarget);
        ASSERT_EQ(graph.PutCurrentPosition(dTarget), PreviewResult::Ok);
        EXPECT_DOUBLE_EQ(Position(graph), dTarget);
        Pump(100);
        EXPECT_DOUBLE_EQ(Position(graph), dTarget);
    }

    // Outside the stream: the nearer end.
    ASSERT_EQ(graph.PutCurrentPosition(5.0), PreviewResult::Ok);
    EXPECT_DOUBLE_EQ(Position(graph), dDuration);
    ASSERT_EQ(graph.PutCurrentPosition(-3.0), PreviewResult::Ok);
    EXPECT_DOUBLE_EQ(Position(graph), 0.0);
    EXPECT_EQ(graph.PutCurrentPosition(std::numeric_limits<double>::quiet_NaN()), PreviewResult::Failed);

    // Playing: the read that follows a seek starts from the sought place.
    ASSERT_EQ(graph.Run(), PreviewResult::Ok);
    ASSERT_EQ(graph.PutCurrentPosition(1.2), PreviewResult::Ok);
    const double dAfter = Position(graph);
    EXPECT_GE(dAfter, 1.2 - 0.001);
    EXPECT_LT(dAfter, 1.2 + 0.3);
    ASSERT_EQ(graph.PutCurrentPosition(0.2), PreviewResult::Ok);
    EXPECT_NEAR(Position(graph), 0.2, 0.3);
    EXPECT_EQ(graph.Pause(), PreviewResult::Ok);
}

TEST_F(MpvPreviewTest, RunsPausesAndStopsWhereItIs)
{
    MpvPreview graph;
    ASSERT_EQ(graph.RenderFile(MakeClip(QStringLiteral("four.mp4"), 4.0)), PreviewResult::Ok);

    ASSERT_EQ(graph.Run(), PreviewResult::Ok);
    ASSERT_TRUE(WaitUntil([&] { return Position(graph) > 0.3; }, 20000));
    ASSERT_EQ(graph.Pause(), PreviewResult::Ok);
    const double dPaused = Position(graph);
    Pump(400);
    EXPECT_DOUBLE_EQ(Position(graph), dPaused);

    ASSERT_EQ(graph.Run(), PreviewResult::Ok);
    ASSERT_TRUE(WaitUntil([&] { return Position(graph) > dPaused + 0.3; }, 20000));
    ASSERT_EQ(graph.Stop(), PreviewResult::Ok);
    const double dStopped = Position(graph);
    EXPECT_GT(dStopped, dPaused);
    EXPECT_LT(dStopped, Duration(graph));
    Pump(400);
    EXPECT_DOUBLE_EQ(Position(graph), dStopped) << "Stop halts where it is; rewinding is the caller's";

    EXPECT_EQ(graph.PutRate(1.0), PreviewResult::Ok);
    EXPECT_EQ(graph.PutRate(2.0), PreviewResult::Ok);
    EXPECT_EQ(graph.PutRate(0.0), PreviewResult::Failed);
    EXPECT_EQ(graph.PutRate(-1.0), PreviewResult::Failed);
    EXPECT_EQ(graph.PutRate(std::numeric_limits<double>::infinity()), PreviewResult::Failed);
}

TEST_F(MpvPreviewTest, APlayedOutStreamReadsItsDurationAsItsPosition)
{
    struct Case {
        QString sName;
        double dSeconds;
        QStringList extraArgs;
    };
    const QList<Case> cases{
        {QStringLiteral("short.mp4"), 1.5, {}},
        {QStringLiteral("silent.mp4"), 1.5, {QStringLiteral("-an")}},
        {QStringLiteral("tiny.mp4"), 0.4, {}},
        {QStringLiteral("short.mkv"), 1.2, {}},
        {QStringLiteral("short.ts"), 1.2, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sName.toStdString());
        MpvPreview graph;
        ASSERT_EQ(graph.RenderFile(MakeClip(c.sName, c.dSeconds, c.extraArgs)), PreviewResult::Ok);
        const double dDuration = Duration(graph);
        EXPECT_NEAR(dDuration, c.dSeconds, 0.05);

        ASSERT_EQ(graph.Run(), PreviewResult::Ok);
        EXPECT_TRUE(WaitUntil([&] { return Position(graph) == dDuration; }, 20000))
            << "position " << Position(graph) << " of " << dDuration;
        Pump(300);
        EXPECT_DOUBLE_EQ(Position(graph), dDuration);
        EXPECT_EQ(static_cast<int>(Position(graph)), static_cast<int>(Duration(graph)));

        // Run at the end stays at the end; the caller rewinds first.
        ASSERT_EQ(graph.Run(), PreviewResult::Ok);
        Pump(200);
        EXPECT_DOUBLE_EQ(Position(graph), dDuration);

        ASSERT_EQ(graph.Stop(), PreviewResult::Ok);
        ASSERT_EQ(graph.PutCurrentPosition(0.0), PreviewResult::Ok);
        EXPECT_DOUBLE_EQ(Position(graph), 0.0);
        ASSERT_EQ(graph.Run(), PreviewResult::Ok);
        EXPECT_TRUE(WaitUntil([&] { return Position(graph) > 0.0; }, 20000));
        EXPECT_EQ(graph.Pause(), PreviewResult::Ok);
    }

    // A seek to the end counts as the end too, even where mpv stays short of it on the last
    // frame (a stream without sound).
    MpvPreview graph;
    ASSERT_EQ(graph.RenderFile(MakeClip(QStringLiteral("silent.mp4"), 1.5, {QStringLiteral("-an")})),
              PreviewResult::Ok);
    const double dDuration = Duration(graph);
    ASSERT_EQ(graph.PutCurrentPosition(dDuration), PreviewResult::Ok);
    EXPECT_DOUBLE_EQ(Position(graph), dDuration);
    ASSERT_EQ(graph.PutCurrentPosition(1.0), PreviewResult::Ok);
    EXPECT_NEAR(Position(graph), 1.0, 0.001);
}

TEST_F(MpvPreviewTest, EveryLoadIsAGraphOfItsOwn)
{
    const QString sLong = MakeClip(QStringLiteral("two.mp4"), 2.0);
    const QString sShort = MakeClip(QStringLiteral("short.mkv"), 1.2);

    auto objFirst = NewVideoPreview();
    ASSERT_NE(dynamic_cast<MpvPreview *>(objFirst.get()), nullptr);
    ASSERT_EQ(objFirst->RenderFile(sLong), PreviewResult::Ok);
    ASSERT_EQ(objFirst->PutCurrentPosition(1.5), PreviewResult::Ok);

    // The next load is built while the old graph still stands.
    auto objSecond = NewVideoPreview();
    ASSERT_EQ(objSecond->RenderFile(sShort), PreviewResult::Ok);
    EXPECT_NEAR(Duration(*objSecond), 1.2, 0.05);
    EXPECT_DOUBLE_EQ(Position(*objSecond), 0.0);
    EXPECT_NEAR(Duration(*objFirst), 2.0, 0.05);
    EXPECT_NEAR(Position(*objFirst), 1.5, 0.001);

    objFirst->Run();
    objFirst.reset();
    ASSERT_EQ(objSecond->PutCurrentPosition(0.6), PreviewResult::Ok);
    EXPECT_NEAR(Position(*objSecond), 0.6, 0.001);

    // The same file again starts from nothing.
    auto objThird = NewVideoPreview();
    ASSERT_EQ(objThird->RenderFile(sLong), PreviewResult::Ok);
    EXPECT_DOUBLE_EQ(Position(*objThird), 0.0);
    EXPECT_NEAR(Duration(*objThird), 2.0, 0.05);
}

TEST_F(MpvPreviewTest, TestsCanPutTheirOwnGraphsInPlace)
{
    class NamedGraph : public MpvPreview {};
    int iMade = 0;
    {
        const ScopedOverride factory(SetVideoPreviewFactoryForTests, [&iMade]() -> std::unique_ptr<VideoPreview> {
            ++iMade;
            return std::make_unique<NamedGraph>();
        });
        auto objGraph = NewVideoPreview();
        EXPECT_EQ(iMade, 1);
        EXPECT_NE(dynamic_cast<NamedGraph *>(objGraph.get()), nullptr);
    }
    auto objReal = NewVideoPreview();
    EXPECT_EQ(iMade, 1);
    EXPECT_EQ(dynamic_cast<NamedGraph *>(objReal.get()), nullptr);
    EXPECT_NE(dynamic_cast<MpvPreview *>(objReal.get()), nullptr);
}

TEST_F(MpvPreviewTest, PlacesItsVideoWindowOverTheOwner)
{
    QWidget window;
    window.resize(400, 300);
    auto *objOwner = new QWidget(&window);
    objOwner->setGeometry(20, 10, 318, 189);
    window.show();

    auto objGraph = std::make_unique<MpvPreview>();
    ASSERT_EQ(objGraph->RenderFile(MakeClip(QStringLiteral("two.mp4"), 2.0)), PreviewResult::Ok);

    // The loader's order: the place first, the owner last.
    EXPECT_EQ(objGraph->PutTop(0), PreviewResult::Ok);
    EXPECT_EQ(objGraph->PutWindowStyle(kClipStyles), PreviewResult::Ok);
    EXPECT_EQ(objGraph->PutLeft(0), PreviewResult::Ok);
    EXPECT_EQ(objGraph->PutHeight(189), PreviewResult::Ok);
    EXPECT_EQ(objGraph->PutWidth(318), PreviewResult::Ok);
    EXPECT_EQ(objGraph->VideoWindow(), nullptr);
    ASSERT_EQ(objGraph->PutOwner(objOwner), PreviewResult::Ok);

    QWidget *objVideo = objGraph->VideoWindow();
    ASSERT_NE(objVideo, nullptr);
    EXPECT_EQ(objVideo->parentWidget(), objOwner);
    EXPECT_EQ(objVideo->geometry(), QRect(0, 0, 318, 189));
    EXPECT_TRUE(objVideo->isVisible());
    EXPECT_FALSE(objVideo->acceptDrops()) << "drops must reach the preview area under the video";

    EXPECT_EQ(objGraph->HideCursor(true), PreviewResult::Ok);
    EXPECT_EQ(objVideo->cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(objGraph->HideCursor(false), PreviewResult::Ok);
    EXPECT_FALSE(objVideo->testAttribute(Qt::WA_SetCursor));

    EXPECT_EQ(objGraph->PutLeft(5), PreviewResult::Ok);
    EXPECT_EQ(objVideo->geometry(), QRect(5, 0, 318, 189));
    EXPECT_EQ(objGraph->PutWidth(-1), PreviewResult::Failed);
    EXPECT_EQ(objGraph->PutHeight(-1), PreviewResult::Failed);
    EXPECT_EQ(objGraph->PutWindowStyle(kCaptionStyle), PreviewResult::NotImplemented);
    EXPECT_EQ(objGraph->PutWindowStyle(kClipStyles | VideoPreview::kWindowStyleChild), PreviewResult::Ok);

    // The same owner again keeps the window; none takes it away.
    EXPECT_EQ(objGraph->PutOwner(objOwner), PreviewResult::Ok);
    EXPECT_EQ(objGraph->VideoWindow(), objVideo);
    EXPECT_EQ(objGraph->PutOwner(nullptr), PreviewResult::Ok);
    EXPECT_EQ(objGraph->VideoWindow(), nullptr);
    EXPECT_TRUE(objOwner->findChildren<QWidget *>().isEmpty());

    // The graph going first takes its window with it.
    ASSERT_EQ(objGraph->PutOwner(objOwner), PreviewResult::Ok);
    EXPECT_EQ(objOwner->findChildren<QWidget *>().size(), 1);
    objGraph.reset();
    EXPECT_TRUE(objOwner->findChildren<QWidget *>().isEmpty());

    // The owner going first leaves a graph that still answers.
    MpvPreview graph;
    ASSERT_EQ(graph.RenderFile(MakeClip(QStringLiteral("two.mp4"), 2.0)), PreviewResult::Ok);
    ASSERT_EQ(graph.PutOwner(objOwner), PreviewResult::Ok);
    ASSERT_EQ(graph.Run(), PreviewResult::Ok);
    delete objOwner;
    EXPECT_EQ(graph.VideoWindow(), nullptr);
    EXPECT_GE(Position(graph), 0.0);
    EXPECT_EQ(graph.Pause(), PreviewResult::Ok);
}

TEST_F(MpvPreviewTest, SoundAndPictureStepsFollowWhatTheFileHolds)
{
    QWidget owner;

    // Picture without sound: the sound steps are missing, not failing.
    MpvPreview silent;
    ASSERT_EQ(silent.RenderFile(MakeClip(QStringLiteral("silent.mp4"), 1.5, {QStringLiteral("-an")})),
              PreviewResult::Ok);
    EXPECT_EQ(silent.PutVolume(VideoPreview::kVolumeFull), PreviewResult::NotImplemented);
    EXPECT_EQ(silent.PutBalance(VideoPreview::kBalanceCentre), PreviewResult::NotImplemented);
    EXPECT_EQ(silent.PutOwner(&owner), PreviewResult::Ok);

    // Sound without picture: no video window to place.
    MpvPreview sound;
    ASSERT_EQ(sound.RenderFile(MakeClip(QStringLiteral("sound.m4a"), 1.5, {QStringLiteral("-vn")})),
              PreviewResult::Ok);
    EXPECT_NEAR(Duration(sound), 1.5, 0.05);
    EXPECT_EQ(sound.PutTop(0), PreviewResult::Failed);
    EXPECT_EQ(sound.PutOwner(&owner), PreviewResult::Failed);
    EXPECT_EQ(sound.HideCursor(false), PreviewResult::Failed);
    EXPECT_EQ(sound.VideoWindow(), nullptr);

    // Volume and balance within their ranges, in hundredths of a decibel.
    EXPECT_EQ(sound.PutVolume(VideoPreview::kVolumeFull), PreviewResult::Ok);
    EXPECT_EQ(sound.PutVolume(-600), PreviewResult::Ok);
    EXPECT_EQ(sound.PutVolume(VideoPreview::kVolumeSilent), PreviewResult::Ok);
    EXPECT_EQ(sound.PutVolume(1), PreviewResult::Failed);
    EXPECT_EQ(sound.PutVolume(-10001), PreviewResult::Failed);
    EXPECT_EQ(sound.PutBalance(VideoPreview::kBalanceCentre), PreviewResult::Ok);
    EXPECT_EQ(sound.PutBalance(VideoPreview::kBalanceRight), PreviewResult::NotImplemented);
    EXPECT_EQ(sound.PutBalance(VideoPreview::kBalanceLeft - 1), PreviewResult::Failed);
    EXPECT_EQ(sound.PutBalance(VideoPreview::kBalanceRight + 1), PreviewResult::Failed);
}
