// Loading and previewing a video, and the selection marks: the real preview graph (libmpv into
// its null outputs) where playback matters, a scripted graph where the order of the steps does.
#include "FakePreview.h"
#include "WorkflowFixture.h"

#include "common/modFunctions.h"
#include "slider/Slider.h"
#include "support/TestMedia.h"
#include "widgets/MyButton.h"
#include "widgets/PictureBox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

class LoadVideo : public WorkflowFixture {
protected:
    // The position the window's graph reports, -1 when it cannot.
    static double Position(frmMain &w)
    {
        double dPosition = -1.0;
        if (w.objMediaPosition)
            w.objMediaPosition->GetCurrentPosition(dPosition);
        return dPosition;
    }

    // Scripted graphs in place of libmpv's, for a test that puts them there; they outlive the window.
    std::unique_ptr<FakeGraphs> m_graphs;
};

// The same with a scripted graph: a 200 s stream that stands still unless the test moves it.
class ScriptedPreview : public WorkflowFixture {
protected:
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        m_sClip = Clip("short.mp4", 0.4);
        ASSERT_FALSE(m_sClip.isEmpty());
    }
    // Starts the window and loads the clip through the dialog, then forgets the calls so far.
    frmMain &StartLoaded()
    {
        frmMain &w = Start();
        AddThroughDialog(w, m_sClip);
        m_graphs.log.clear();
        return w;
    }

    FakeGraphs m_graphs;
    QString m_sClip;
};

TEST_F(LoadVideo, TheDialogLoadsThePickedFileAndPlaysIt)
{
    const QString sClip = Clip("four.mp4", 4.0);
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = Start();
    w.show();
    AddThroughDialog(w, sClip);

    ASSERT_EQ(m_lsDialogTitles, QStringList{"Select a video file"});
    ASSERT_EQ(m_lastFilters.size(), 6);
    EXPECT_EQ(m_lastFilters[0].sDescription, "Common Video Files");
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
    EXPECT_FALSE(w.bNoVideo);
    EXPECT_EQ(w.sVideoFile, sClip);
    EXPECT_EQ(w.sDurationText, "00:00:04");
    EXPECT_EQ(w.lblTime->text(), "00:00:00/00:00:04");
    EXPECT_EQ(w.Slider->Max(), 4);
    EXPECT_EQ(w.Slider->Value(), 0);
    EXPECT_TRUE(w.Slider->SliderEnabled());
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_TRUE(w.tmrVideo->isActive());
    EXPECT_EQ(w.tmrVideo->interval(), 1000);

    // Once a second the label and the thumb follow the playing video.
    ASSERT_TRUE(WaitUntil([&] { return w.Slider->Value() >= 1; }, 10000));
    EXPECT_TRUE(w.lblTime->text().endsWith("/00:00:04"));
    EXPECT_NE(w.lblTime->text(), "00:00:00/00:00:04");

    // A cancelled dialog changes nothing: the video plays on and its marks stay.
    w.cmdStartSelect_Click();
    const int iMark = w.Slider->SelectStart();
    AddThroughDialog(w, QString());
    EXPECT_EQ(m_lsDialogTitles.size(), 2);
    EXPECT_FALSE(w.bNoVideo);
    EXPECT_EQ(w.sVideoFile, sClip);
    EXPECT_EQ(w.Slider->SelectStart(), iMark);
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_TRUE(w.tmrVideo->isActive());
}

TEST_F(LoadVideo, ADropTakesTheFirstFileWhenItIsAVideoInAnyCase)
{
    const QString sClip = Clip("drop.ts", 2.0);
    ASSERT_FALSE(sClip.isEmpty());
    const QString sUpper = m_work.filePath("clip.TS");
    ASSERT_TRUE(QFile::copy(sClip, sUpper));
    const QString sNotes = m_work.filePath("notes.txt");
    QFile notes(sNotes);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a video");
    notes.close();

    frmMain &w = Start();
    w.show();
    EXPECT_TRUE(w.picVideoWindow->acceptDrops());

    // Not a video, not first, not a file: nothing happens and nothing is said.
    DropFiles(w, {sNotes});
    DropFiles(w, {sNotes, sUpper});
    QMimeData text;
    text.setText(sUpper);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.picVideoWindow, &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_TRUE(w.bNoVideo);
    EXPECT_TRUE(w.sVideoFile.isEmpty());

    DropFiles(w, {sUpper, sNotes});
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
    EXPECT_FALSE(w.bNoVideo);
    EXPECT_EQ(w.sVideoFile, sUpper);
    EXPECT_EQ(w.Slider->Max(), 2);
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_TRUE(m_lsDialogTitles.isEmpty());
}

TEST_F(LoadVideo, ARejectedFileStopsThePreviewAndLeavesNoVideo)
{
    const QString sClip = Clip("four.mp4", 4.0);
    ASSERT_FALSE(sClip.isEmpty());
    const QString sBad = m_work.filePath("broken.mp4");
    QFile bad(sBad);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(4096, 'x'));
    bad.close();

    frmMain &w = Start();
    w.show();
    AddThroughDialog(w, sClip);
    ASSERT_FALSE(w.bNoVideo);
    w.Slider->setValue(2);
    w.cmdStartSelect_Click();
    w.Slider->setValue(3);
    w.cmdEndSelect_Click();
    w.progress->show();

    AddThroughDialog(w, sBad);
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_EQ(m_messages.Messages()[0].sText, "File is not supported");
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(w.bNoVideo);
    EXPECT_EQ(w.sVideoFile, sBad);
    // The old preview was stopped, the marks and labels cleared, the task display hidden.
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    EXPECT_FALSE(w.tmrVideo->isActive());
    EXPECT_EQ(w.lblTime->text(), "00:00/00:00");
    EXPECT_EQ(w.Slider->SelectStart(), 0);
    EXPECT_EQ(w.Slider->SelectEnd(), 0);
    EXPECT_EQ(w.lblStartSelect->text(), "00.00.00");
    EXPECT_EQ(w.lblEndSelect->text(), "00.00.00");
    EXPECT_FALSE(w.progress->isVisible());
    EXPECT_FALSE(w.lblProgress->isVisible());
    EXPECT_TRUE(w.Slider->SliderEnabled());

    // Play, Stop and the marks do nothing; Convert says there is no video.
    w.cmdPlay_Click();
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    w.cmdStartSelect_Click();
    EXPECT_EQ(w.lblStartSelect->text(), "00.00.00");
    w.Slider->setSelectStart(1);
    w.Slider->setSelectEnd(2);
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    ASSERT_EQ(m_messages.Messages().size(), 2);
    EXPECT_EQ(m_messages.Messages()[1].sText, "No video file loaded");
    EXPECT_EQ(m_messages.Messages()[1].icon, MsgIcon::Information);
}

TEST_F(LoadVideo, AVideoShorterThanASecond)
{
    const QString sClip = Clip("short.mp4", 0.4);
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = Start();
    AddThroughDialog(w, sClip);
    ASSERT_FALSE(w.bNoVideo);
    EXPECT_EQ(w.sDurationText, "00:00:00");
    EXPECT_EQ(w.lblTime->text(), "00:00:00/00:00:00");
    // The slider keeps Max above Min.
    EXPECT_EQ(w.Slider->Max(), 1);

    // Long after the end, the thumb never reached Max: the timer runs on, the caption says Pause.
    ASSERT_TRUE(WaitUntil([&] { return Position(w) >= 0.39; }, 10000));
    w.tmrVideo_Timer();
    Pump(1200);
    EXPECT_TRUE(w.tmrVideo->isActive());
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_EQ(w.Slider->Value(), 0);
    EXPECT_EQ(w.lblTime->text(), "00:00:00/00:00:00");
}

TEST_F(LoadVideo, ARecordingThatStatesNoDurationIsShownAndCutAtItsRealLength)
{
    // As a browser's recorder writes it: ffprobe says duration=N/A.
    const QString sLive = Clip("live.webm", 6.0,
                               {"-c:v", "libvpx-vp9", "-deadline", "realtime", "-cpu-used", "8", "-c:a",
                                "libopus", "-live", "1", "-f", "webm"});
    ASSERT_FALSE(sLive.isEmpty());
    ASSERT_EQ(TestMedia::Probe(sLive).dDuration, 0.0);
    // A player knows no more of such a file than it has read: about a second when it opens it.
    m_graphs = std::make_unique<FakeGraphs>();
    m_graphs->dDuration = 1.087;

    frmMain &w = Start();
    w.show();
    OutputToWorkFolder(w);
    DropFiles(w, {sLive});
    ASSERT_FALSE(w.bNoVideo);
    EXPECT_EQ(w.Slider->Max(), 6);
    EXPECT_EQ(w.sDurationText, "00:00:06");
    EXPECT_TRUE(w.lblTime->text().endsWith("/00:00:06")) << w.lblTime->text().toStdString();

    DragSliderTo(w, 2);
    QTest::mouseClick(w.cmdStartSelect, Qt::LeftButton);
    DragSliderTo(w, 6);
    QTest::mouseClick(w.cmdEndSelect, Qt::LeftButton);
    ASSERT_EQ(w.lblEndSelect->text(), "00:00:06");
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
    const QStringList lsOutputs = QDir(m_work.path()).entryList(QDir::Files);
    ASSERT_EQ(lsOutputs.size(), 1) << lsOutputs.join(", ").toStdString();
    EXPECT_NEAR(TestMedia::Probe(m_work.filePath(lsOutputs.first())).dDuration, 4.0, 0.3);
}

TEST_F(LoadVideo, APlayedOutVideoPlaysAgainFromTheStart)
{
    const QString sClip = Clip("two.mp4", 2.0);
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = Start();
    AddThroughDialog(w, sClip);
    ASSERT_FALSE(w.bNoVideo);
    ASSERT_EQ(w.Slider->Max(), 2);

    // The timer gives up following once the thumb reaches Max; the graph plays on to its end.
    ASSERT_TRUE(WaitUntil([&] { return !w.tmrVideo->isActive(); }, 15000));
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    EXPECT_EQ(w.Slider->Value(), 2);
    double dDuration = 0.0;
    ASSERT_EQ(w.objMediaPosition->GetDuration(dDuration), PreviewResult::Ok);
    ASSERT_TRUE(WaitUntil([&] { return Position(w) == dDuration; }, 10000));

    w.cmdPlay_Click();
    EXPECT_LT(Position(w), 1.0);
    EXPECT_EQ(w.Slider->Value(), 0);
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_TRUE(w.tmrVideo->isActive());
    // It plays: the position moves on from the start.
    EXPECT_TRUE(WaitUntil([&] { return Position(w) > 0.3; }, 10000));
}

TEST_F(LoadVideo, ReleasingTheSliderSeeksTheVideo)
{
    const QString sClip = Clip("four.mp4", 4.0);
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = Start();
    w.show();
    AddThroughDialog(w, sClip);
    ASSERT_FALSE(w.bNoVideo);
    w.cmdPlay_Click(); // pause
    ASSERT_EQ(w.cmdPlay->Caption(), "Play");

    DragSliderTo(w, 2);
    EXPECT_EQ(w.Slider->Value(), 2);
    EXPECT_DOUBLE_EQ(Position(w), 2.0);
    EXPECT_EQ(w.lblTime->text(), "00:00:02/00:00:04");

    // A value set otherwise (the keyboard, the timer) does not move the video.
    QTest::keyClick(w.Slider, Qt::Key_Right);
    EXPECT_EQ(w.Slider->Value(), 3);
    EXPECT_DOUBLE_EQ(Position(w), 2.0);

    // A seek to the last whole second stands at the end: Play starts again from 0.
    DragSliderTo(w, 4);
    ASSERT_EQ(w.Slider->Value(), 4);
    EXPECT_EQ(w.lblTime->text(), "00:00:04/00:00:04");
    w.cmdPlay_Click();
    EXPECT_LT(Position(w), 1.0);
    EXPECT_EQ(w.Slider->Value(), 0);
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
}

TEST_F(ScriptedPreview, LoadingBuildsTheGraphInItsOrder)
{
    frmMain &w = Start();
    AddThroughDialog(w, m_sClip);
    const QStringList lsExpected{
        "g1.RenderFile",      "g1.PutVolume 0",     "g1.PutBalance 0",     "g1.PutTop 0",
        "g1.PutWindowStyle 0x6000000",              "g1.PutLeft 0",        "g1.PutHeight 189",
        "g1.PutWidth 318",    "g1.PutOwner picVideoWindow",                "g1.HideCursor false",
        "g1.PutRate 1",       "g1.GetDuration",     "g1.Run",              "g1.GetDuration"};
    EXPECT_EQ(m_graphs.log, lsExpected);
    EXPECT_FALSE(w.bNoVideo);
    EXPECT_EQ(w.Slider->Max(), 200);
    EXPECT_EQ(w.sDurationText, "00:03:20");
    EXPECT_EQ(w.lblTime->text(), "00:00:00/00:03:20");

    // The next load: the old graph stops first and lives until the new one takes the picture.
    m_graphs.log.clear();
    AddThroughDialog(w, m_sClip);
    ASSERT_GE(m_graphs.log.size(), 7);
    EXPECT_EQ(m_graphs.log.mid(0, 7), QStringList({"g1.Stop", "g1.PutCurrentPosition 0", "g2.RenderFile",
                                                   "g2.PutVolume 0", "g2.PutBalance 0", "g1.~", "g2.PutTop 0"}));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(ScriptedPreview, AStepThatIsNotImplementedIsPassedOver)
{
    m_graphs.results["PutVolume"] = PreviewResult::NotImplemented;
    m_graphs.results["PutWindowStyle"] = PreviewResult::NotImplemented;
    m_graphs.results["HideCursor"] = PreviewResult::NotImplemented;
    frmMain &w = Start();
    AddThroughDialog(w, m_sClip);
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    EXPECT_FALSE(w.bNoVideo);
    EXPECT_TRUE(m_graphs.log.contains("g1.PutBalance 0"));
    EXPECT_EQ(m_graphs.log.last(), "g1.GetDuration");
}

TEST_F(ScriptedPreview, AnyOtherFailureEndsTheLoadAtOnce)
{
    m_graphs.results["PutTop"] = PreviewResult::Failed;
    frmMain &w = Start();
    w.Slider->setSliderEnabled(false);
    AddThroughDialog(w, m_sClip);
    ASSERT_EQ(m_messages.Texts(), QStringList{"File is not supported"});
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m_graphs.log.last(), "g1.PutTop 0");
    EXPECT_TRUE(w.bNoVideo);
    EXPECT_FALSE(w.tmrVideo->isActive());
    // The slider is enabled whatever the load did.
    EXPECT_TRUE(w.Slider->SliderEnabled());

    // A failure after the graph runs leaves what was done: the timer on, "Pause".
    m_messages.Clear();
    m_graphs.results.clear();
    m_graphs.durationResults = {PreviewResult::Ok, PreviewResult::Failed};
    AddThroughDialog(w, m_sClip);
    EXPECT_EQ(m_messages.Texts(), QStringList{"File is not supported"});
    EXPECT_TRUE(w.bNoVideo);
    EXPECT_TRUE(w.tmrVideo->isActive());
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_EQ(w.lblTime->text(), "00:00/00:00");
}

TEST_F(ScriptedPreview, PlayPauseAndStop)
{
    frmMain &w = StartLoaded();
    ASSERT_EQ(w.cmdPlay->Caption(), "Pause");

    w.cmdPlay_Click();
    EXPECT_EQ(m_graphs.log, QStringList{"g1.Pause"});
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    EXPECT_FALSE(w.tmrVideo->isActive());

    // The end test truncates: 199.6 of 200.4 is not the end, 200.2 of 200.9 is.
    m_graphs.log.clear();
    m_graphs.dDuration = 200.4;
    m_graphs.dPosition = 199.6;
    w.cmdPlay_Click();
    EXPECT_EQ(m_graphs.log, QStringList({"g1.GetDuration", "g1.GetCurrentPosition", "g1.Run"}));
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_TRUE(w.tmrVideo->isActive());
    w.cmdPlay_Click();
    m_graphs.log.clear();
    m_graphs.dDuration = 200.9;
    m_graphs.dPosition = 200.2;
    w.Slider->setValue(150);
    w.cmdPlay_Click();
    EXPECT_EQ(m_graphs.log, QStringList({"g1.GetDuration", "g1.GetCurrentPosition", "g1.Stop",
                                         "g1.PutCurrentPosition 0", "g1.Run"}));
    EXPECT_EQ(w.Slider->Value(), 0);

    // Stop rewinds and leaves the time label as it was.
    w.lblTime->setText("00:01:00/00:03:20");
    m_graphs.log.clear();
    w.Slider->setValue(60);
    w.cmdStop_Click();
    EXPECT_EQ(m_graphs.log, QStringList({"g1.Stop", "g1.PutCurrentPosition 0"}));
    EXPECT_EQ(w.Slider->Value(), 0);
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    EXPECT_FALSE(w.tmrVideo->isActive());
    EXPECT_EQ(w.lblTime->text(), "00:01:00/00:03:20");

    // While no video is ready, Play and Stop do nothing.
    w.bNoVideo = true;
    m_graphs.log.clear();
    w.cmdPlay_Click();
    w.cmdStop_Click();
    EXPECT_TRUE(m_graphs.log.isEmpty());
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
}

TEST_F(ScriptedPreview, TheTimerFollowsThePositionUntilTheThumbReachesTheEnd)
{
    frmMain &w = StartLoaded();
    m_graphs.dPosition = 65.4;
    w.tmrVideo_Timer();
    EXPECT_EQ(w.lblTime->text(), "00:01:05/00:03:20");
    EXPECT_EQ(w.Slider->Value(), 65);
    // Halves go to the even second.
    m_graphs.dPosition = 66.5;
    w.tmrVideo_Timer();
    EXPECT_EQ(w.lblTime->text(), "00:01:06/00:03:20");
    EXPECT_TRUE(w.tmrVideo->isActive());

    // A position that cannot be read leaves the label and the thumb.
    m_graphs.results["GetCurrentPosition"] = PreviewResult::Failed;
    w.tmrVideo_Timer();
    EXPECT_EQ(w.lblTime->text(), "00:01:06/00:03:20");
    EXPECT_TRUE(w.tmrVideo->isActive());

    // At the end the display stops following; the graph is not paused.
    m_graphs.results.clear();
    m_graphs.dPosition = 200.0;
    m_graphs.log.clear();
    w.tmrVideo_Timer();
    EXPECT_EQ(w.Slider->Value(), 200);
    EXPECT_FALSE(w.tmrVideo->isActive());
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    EXPECT_EQ(m_graphs.log, QStringList{"g1.GetCurrentPosition"});
}

TEST_F(ScriptedPreview, TheSeekUsesTheReleasedValueAlsoWhenTheSliderIsDisabled)
{
    frmMain &w = Start();
    w.show();
    // Before any video there is no graph to seek.
    DragSliderTo(w, 0);
    EXPECT_TRUE(m_graphs.log.isEmpty());

    AddThroughDialog(w, m_sClip);
    m_graphs.log.clear();
    w.Slider->setValue(42);
    w.Slider->setSliderEnabled(false);
    QTest::mouseRelease(w.Slider, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(m_graphs.log, QStringList({"g1.PutCurrentPosition 42", "g1.GetCurrentPosition"}));
    EXPECT_EQ(w.lblTime->text(), "00:00:42/00:03:20");
}

TEST_F(ScriptedPreview, SelectionMarksTakeTheThumbsSecond)
{
    frmMain &w = Start();
    // Before a video is loaded the marks do nothing; a reset works anyway.
    w.Slider->setValue(5);
    w.cmdStartSelect_Click();
    w.cmdEndSelect_Click();
    EXPECT_EQ(w.Slider->SelectStart(), 0);
    EXPECT_EQ(w.lblStartSelect->text(), "00:00:00");
    w.cmdDeleteSelect_Click();
    EXPECT_EQ(w.lblStartSelect->text(), "00.00.00");
    EXPECT_EQ(w.lblEndSelect->text(), "00.00.00");

    AddThroughDialog(w, m_sClip);
    m_graphs.log.clear();
    w.Slider->setValue(65);
    QTest::mouseClick(w.cmdStartSelect, Qt::LeftButton);
    EXPECT_EQ(w.Slider->SelectStart(), 65);
    EXPECT_EQ(w.lblStartSelect->text(), "00:01:05");
    // End before start is accepted here; the task refuses it.
    w.Slider->setValue(10);
    QTest::mouseClick(w.cmdEndSelect, Qt::LeftButton);
    EXPECT_EQ(w.Slider->SelectEnd(), 10);
    EXPECT_EQ(w.lblEndSelect->text(), "00:00:10");
    w.Slider->setValue(20);
    QTest::mouseClick(w.cmdStartSelect, Qt::LeftButton);
    EXPECT_EQ(w.Slider->SelectStart(), 20);

    // A reset while playing clears the marks and leaves playback alone.
    QTest::mouseClick(w.cmdDeleteSelect, Qt::LeftButton);
    EXPECT_EQ(w.Slider->SelectStart(), 0);
    EXPECT_EQ(w.Slider->SelectEnd(), 0);
    EXPECT_EQ(w.lblStartSelect->text(), "00.00.00");
    EXPECT_EQ(w.lblEndSelect->text(), "00.00.00");
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_TRUE(m_graphs.log.isEmpty());
    EXPECT_EQ(w.cmdStartSelect->Caption(), "Start Selection ");
    EXPECT_EQ(w.cmdEndSelect->Caption(), "End Selection");
    EXPECT_EQ(w.cmdDeleteSelect->Caption(), "Reset Selection");
}

// An encoder whose check of a file named "slow..." never writes and never ends; other files it
// takes at once.
const QByteArray kSlowCheckEncoder = "case \"$*\" in *slow*) exec sleep 20;; esac\necho 'Input #0, mov,mp4'";

TEST_F(ScriptedPreview, TheNewestLoadWinsOverAnOlderOneStillBeingChecked)
{
    UseFakeEncoder(kSlowCheckEncoder);
    const QString sSlow = m_work.filePath("slow.mp4");
    const QString sFast = m_work.filePath("fast.mp4");
    for (const QString &sFile : {sSlow, sFast}) {
        QFile file(sFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    frmMain &w = Start();
    w.show();
    // A drop while a file picked in the dialog is checked, then a dialog load while a dropped
    // file is checked.
    for (const bool bDropSecond : {true, false}) {
        const int iGraphsBefore = m_graphs.iMade;
        QTimer::singleShot(300, [&] {
            if (bDropSecond)
                DropFiles(w, {sFast});
            else
                AddThroughDialog(w, sFast);
        });
        if (bDropSecond)
            AddThroughDialog(w, sSlow);
        else
            DropFiles(w, {sSlow});

        // The older load ended quietly: no message, no preview of its own, the newer one's state.
        EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
        EXPECT_EQ(w.sVideoFile, sFast);
        EXPECT_FALSE(w.bNoVideo);
        EXPECT_EQ(m_graphs.iMade, iGraphsBefore + 1);
        EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
        // Its check was stopped, its encoder ended and reaped.
        EXPECT_EQ(ChildProcesses(), 0);
    }
}

TEST_F(ScriptedPreview, AFileWhoseNameIsNotTextIsToldApartFromAnUnsupportedOne)
{
    // "caf\xe9.mp4": the name in Latin-1, as an old USB stick holds it; Qt gives it as "caf\ufffd.mp4"
    // (so do a file manager's drop and the dialog).
    const QByteArray name = QFile::encodeName(m_work.path()) + "/caf\xe9.mp4";
    QFile clip(m_sClip);
    ASSERT_TRUE(clip.open(QIODevice::ReadOnly));
    const QByteArray content = clip.readAll();
    const auto ReadRaw = [&name] {
        QByteArray bytes;
        FILE *file = std::fopen(name.constData(), "rb");
        for (int c; file && (c = std::fgetc(file)) != EOF;)
            bytes.append(static_cast<char>(c));
        if (file)
            std::fclose(file);
        return bytes;
    };
    FILE *file = std::fopen(name.constData(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(content.constData(), 1, content.size(), file), static_cast<size_t>(content.size()));
    std::fclose(file);

    frmMain &w = Start();
    const int iGraphsBefore = m_graphs.iMade;
    AddThroughDialog(w, QFile::decodeName(name));
    ASSERT_EQ(m_messages.Texts().size(), 1);
    EXPECT_TRUE(m_messages.Texts().at(0).startsWith("The name of this file cannot be read as text"))
        << m_messages.Texts().at(0).toStdString();
    EXPECT_TRUE(w.bNoVideo);
    EXPECT_EQ(m_graphs.iMade, iGraphsBefore);
    EXPECT_EQ(ReadRaw(), content);
}

TEST_F(ScriptedPreview, ClosingDuringACheckThatNeverEndsStopsItAndSavesTheSettings)
{
    UseFakeEncoder("exec sleep 20");
    frmMain &w = Start();
    w.show();
    w.txtOutPath->setText(m_work.filePath("chosen"));
    QTimer::singleShot(300, [&] { w.close(); });
    AddThroughDialog(w, m_sClip);

    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ChildProcesses(), 0);
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
    // The load ended with the close: no preview was built after it.
    EXPECT_EQ(m_graphs.iMade, 0);
    EXPECT_EQ(w.objMediaControl, nullptr);
    frmMain again;
    EXPECT_EQ(again.txtOutPath->text(), m_work.filePath("chosen"));
}

} // namespace
