// The cut task through the real window, as a user drives it: a generated clip, the real encoder
// in the program's folder, ffprobe on what comes out.
#include "FakePreview.h"
#include "WorkflowFixture.h"

#include "platform/modDriveType.h"
#include "ui/modProgramEnd.h"
#include "slider/Slider.h"
#include "support/TestMedia.h"
#include "widgets/ComboList.h"
#include "widgets/MyButton.h"
#include "widgets/PictureBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <unistd.h>

namespace {

class CutTask : public WorkflowFixture {
protected:
    static constexpr int kCutStart = 2;
    static constexpr int kCutEnd = 12;

    // The everyday choice: H.264/AAC at 720p in MP4.
    static void ChooseEverydayPreset(frmMain &w)
    {
        Choose(*w.cmbCategory, "Everyday");
        Choose(*w.cmbOutVCodec, "H.264/AAC 720p (HD)");
        Choose(*w.cmbOutFormat, "mp4");
    }
    static void Choose(ComboList &list, const QString &sItem)
    {
        for (int i = 0; i < list.ListCount(); ++i) {
            if (list.List(i) == sItem) {
                list.setListIndex(i);
                return;
            }
        }
        ADD_FAILURE() << "no item " << sItem.toStdString();
    }

    // The window started, the clip dropped on it, the marks set at 2 s and 12 s by dragging the
    // thumb, and the everyday preset chosen: ready for Start.
    // The clip the tasks cut: its picture is noisy, so that even on an idle machine the encoder
    // takes long enough to report progress (it does twice a second) before it ends.
    static QString Road() { return Clip("road.mp4", 14.0, {"-vf", "noise=alls=60:allf=t+u"}); }

    frmMain &ReadyToCut(const QString &sClip)
    {
        frmMain &w = Start();
        w.show();
        OutputToWorkFolder(w);
        ChooseEverydayPreset(w);
        DropFiles(w, {sClip});
        EXPECT_FALSE(w.bNoVideo);
        DragSliderTo(w, kCutStart);
        QTest::mouseClick(w.cmdStartSelect, Qt::LeftButton);
        DragSliderTo(w, kCutEnd);
        QTest::mouseClick(w.cmdEndSelect, Qt::LeftButton);
        return w;
    }

    // Runs action once, from the event loop, when the bar first shows a percentage between 0 and
    // 100 during the task; records every value the bar shows.
    void WhileRunning(frmMain &w, std::function<void()> action)
    {
        QObject::connect(w.progress, &QProgressBar::valueChanged, w.progress, [this, action](int iValue) {
            m_lsShown << iValue;
            if (iValue > 0 && iValue < 100 && !m_bActed) {
                m_bActed = true;
                QTimer::singleShot(0, action);
            }
        });
    }

    static QStringList OutputFiles(const QTemporaryDir &dir)
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QList<QWidget *> TaskLocked(frmMain &w)
    {
        return {w.cmdChangeFormat, w.cmdPlay,   w.cmdBrowse,      w.optSameFolder,
                w.optOtherFolder,  w.cmdAddVideoFile, w.cmdAbout, w.cmdStartSelect,
                w.cmdStop,         w.cmdEndSelect,    w.cmdDeleteSelect};
    }

    QList<int> m_lsShown;
    bool m_bActed = false;
};

TEST_F(CutTask, TheWholeRoadOfOneCut)
{
    const QString sFirst = Clip("first.mp4", 3.0);
    const QString sClip = Road();
    ASSERT_FALSE(sFirst.isEmpty());
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = Start();
    w.show();
    OutputToWorkFolder(w);
    ChooseEverydayPreset(w);

    // One video through the dialog, then the other one dropped on the preview.
    AddThroughDialog(w, sFirst);
    ASSERT_EQ(w.sVideoFile, sFirst);
    DropFiles(w, {sClip});
    ASSERT_EQ(w.sVideoFile, sClip);
    ASSERT_FALSE(w.bNoVideo);
    EXPECT_EQ(w.lblTime->text(), "00:00:00/00:00:14");
    // It plays.
    ASSERT_TRUE(WaitUntil([&] { return w.Slider->Value() >= 1; }, 10000));

    DragSliderTo(w, kCutStart);
    EXPECT_EQ(w.lblTime->text(), "00:00:02/00:00:14");
    QTest::mouseClick(w.cmdStartSelect, Qt::LeftButton);
    DragSliderTo(w, kCutEnd);
    QTest::mouseClick(w.cmdEndSelect, Qt::LeftButton);
    EXPECT_EQ(w.lblStartSelect->text(), "00:00:02");
    EXPECT_EQ(w.lblEndSelect->text(), "00:00:12");

    bool bCheckedWhileRunning = false;
    WhileRunning(w, [&] {
        bCheckedWhileRunning = true;
        EXPECT_TRUE(w.bTaskRunning());
        EXPECT_EQ(w.cmdConvert->Caption(), "Stop");
        EXPECT_EQ(w.lblProgress->text(), "Task Progress:");
        EXPECT_TRUE(w.lblProgress->isVisible());
        EXPECT_TRUE(w.progress->isVisible());
        for (QWidget *control : TaskLocked(w))
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
        for (QWidget *control : {static_cast<QWidget *>(w.cmdConvert), static_cast<QWidget *>(w.chkShutdown),
                                 static_cast<QWidget *>(w.txtOutPath), static_cast<QWidget *>(w.Slider)})
            EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
        // The preview was stopped for the task.
        EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
    EXPECT_TRUE(bCheckedWhileRunning);
    // The bar moved on its way to 100.
    EXPECT_TRUE(std::any_of(m_lsShown.begin(), m_lsShown.end(), [](int i) { return i > 0 && i < 100; }));
    EXPECT_EQ(w.cmdConvert->Caption(), "Start");
    EXPECT_FALSE(w.bTaskRunning());
    for (QWidget *control : TaskLocked(w))
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(w.lblProgress->text(), "Task Progress:");
    EXPECT_EQ(w.progress->value(), 100);
    EXPECT_TRUE(w.progress->isVisible());
    EXPECT_EQ(m_overrides.PowerOffs(), 0);

    ASSERT_EQ(OutputFiles(m_work), QStringList{"road.mp4"});
    const TestMedia::ProbeResult probe = TestMedia::Probe(m_work.filePath("road.mp4"));
    ASSERT_TRUE(probe.bOk);
    EXPECT_TRUE(probe.sFormatName.contains("mp4"));
    EXPECT_EQ(probe.sVideoCodec, "h264");
    EXPECT_EQ(probe.sAudioCodec, "aac");
    EXPECT_EQ(probe.iHeight, 240) << "the 720p preset never enlarges the 320x240 clip";
    EXPECT_NEAR(probe.dDuration, kCutEnd - kCutStart, 0.3);
}

TEST_F(CutTask, AStopInTheMiddleLeavesNoFile)
{
    const QString sClip = Road();
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = ReadyToCut(sClip);
    w.chkShutdown->setChecked(true);
    WhileRunning(w, [&] { QTest::mouseClick(w.cmdConvert, Qt::LeftButton); });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ASSERT_TRUE(m_bActed);
    EXPECT_EQ(w.lblProgress->text(), "Task Progress:[Stopped]");
    EXPECT_EQ(w.cmdConvert->Caption(), "Start");
    EXPECT_FALSE(w.bTaskRunning());
    for (QWidget *control : TaskLocked(w))
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    // The bar stays at the last percentage received.
    EXPECT_LT(w.progress->value(), 100);
    EXPECT_EQ(w.progress->value(), m_lsShown.last());
    // The job reports the ended encoder as a failure.
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages()[0].sText.startsWith("Error converting file: road.mp4"));
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Critical);
    // The encoder's unfinished file is gone, and so is the encoder.
    EXPECT_TRUE(OutputFiles(m_work).isEmpty()) << OutputFiles(m_work).join(", ").toStdString();
    EXPECT_EQ(ChildProcesses(), 0);
    EXPECT_EQ(m_overrides.PowerOffs(), 1);
}

TEST_F(CutTask, AFailedTaskRemovesItsFileAndEndsAsUsual)
{
    // The input goes away after it was loaded; "Same folder as input file".
    const QString sInput = m_work.filePath("vanishing.mp4");
    ASSERT_TRUE(QFile::copy(Road(), sInput));
    frmMain &w = ReadyToCut(sInput);
    w.optSameFolder->setChecked(true);
    EXPECT_FALSE(w.cmdBrowse->isEnabled());
    w.chkShutdown->setChecked(true);
    ASSERT_TRUE(QFile::remove(sInput));
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages()[0].sText.startsWith("Error converting file: vanishing.mp4"));
    // A failed task ends as a normal one: "Task Progress:" and the bar at 100.
    EXPECT_EQ(w.lblProgress->text(), "Task Progress:");
    EXPECT_EQ(w.progress->value(), 100);
    EXPECT_EQ(w.cmdConvert->Caption(), "Start");
    EXPECT_TRUE(w.cmdBrowse->isEnabled());
    EXPECT_TRUE(OutputFiles(m_work).isEmpty()) << OutputFiles(m_work).join(", ").toStdString();
    EXPECT_EQ(m_overrides.PowerOffs(), 1);
}

TEST_F(CutTask, ClosingTheWindowDuringATaskEndsTheTaskAndTheEncoder)
{
    const QString sClip = Road();
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = ReadyToCut(sClip);
    w.chkShutdown->setChecked(true);
    // The window manager's close, which the Close button's refusal does not cover.
    WhileRunning(w, [&] { w.close(); });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ASSERT_TRUE(m_bActed);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.bTaskRunning());
    EXPECT_EQ(ChildProcesses(), 0);
    EXPECT_TRUE(OutputFiles(m_work).isEmpty()) << OutputFiles(m_work).join(", ").toStdString();
    EXPECT_EQ(w.lblProgress->text(), "Task Progress:[Stopped]");
    // The program ends quietly, and its preview graph went with the window.
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
    EXPECT_EQ(w.objMediaControl, nullptr);
    EXPECT_EQ(w.objVideoWindow, nullptr);
    // A task ended by the program's end never powers the machine off.
    EXPECT_EQ(m_overrides.PowerOffs(), 0);
}

TEST_F(CutTask, ADropDuringATaskIsRefused)
{
    const QString sClip = Road();
    const QString sOther = Clip("first.mp4", 3.0);
    ASSERT_FALSE(sOther.isEmpty());
    frmMain &w = ReadyToCut(sClip);
    bool bProgressShown = false;
    WhileRunning(w, [&] {
        DropFiles(w, {m_work.filePath("notes.txt")});
        DropFiles(w, {sOther});
        bProgressShown = w.progress->isVisible() && w.lblProgress->isVisible();
    });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ASSERT_TRUE(m_bActed);
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_EQ(m_messages.Messages()[0].sText, "Please Stop the running task first.");
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(bProgressShown);
    EXPECT_EQ(w.sVideoFile, sClip);
    // The task ran on to its end.
    EXPECT_EQ(w.progress->value(), 100);
    EXPECT_EQ(OutputFiles(m_work), QStringList{"road.mp4"});
}

// The same window with a scripted preview: tasks that never reach the encoder.
class TaskChecks : public CutTask {
protected:
    void SetUp() override
    {
        CutTask::SetUp();
        m_sClip = Clip("short.mp4", 0.4);
        ASSERT_FALSE(m_sClip.isEmpty());
    }
    void Mark(frmMain &w, int iStart, int iEnd)
    {
        w.Slider->setValue(iStart);
        w.cmdStartSelect_Click();
        w.Slider->setValue(iEnd);
        w.cmdEndSelect_Click();
    }

    FakeGraphs m_graphs;
    QString m_sClip;
};

TEST_F(TaskChecks, TheThreeRefusals)
{
    frmMain &w = Start();
    OutputToWorkFolder(w);
    // No video, even with marks.
    w.Slider->setSelectStart(30);
    w.Slider->setSelectEnd(90);
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    AddThroughDialog(w, m_sClip);
    Mark(w, 10, 10);
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    Mark(w, 20, 10);
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    EXPECT_EQ(m_messages.Texts(),
              QStringList({"No video file loaded",
                           "No part selected. Please, select a part first using 'Start Selection' and 'End Selection'.",
                           "No part selected, 'Start Selection' can not be greater than 'End Selection'."}));
    for (const MsgBoxRecorder::Shown &shown : m_messages.Messages())
        EXPECT_EQ(shown.icon, MsgIcon::Information);
    EXPECT_EQ(w.cmdConvert->Caption(), "Start");
    EXPECT_FALSE(w.lblProgress->isVisible());
    EXPECT_TRUE(OutputFiles(m_work).isEmpty());
    EXPECT_EQ(m_overrides.PowerOffs(), 0);
}

TEST_F(TaskChecks, AnOutputFolderThatCannotBeMadeIsSaidAndTheTaskIsNotShownAsDone)
{
    frmMain &w = Start();
    w.show();
    w.txtOutPath->setText(m_work.filePath("missing/Cut Files"));
    w.chkShutdown->setChecked(true);
    AddThroughDialog(w, m_sClip);
    Mark(w, 30, 90);
    // As a task before this one left it.
    w.lblProgress->show();
    w.progress->show();
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    EXPECT_EQ(m_messages.Texts(), QStringList{"Output Folder is not exist and can not be created."});
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Critical);
    // No encoder ran: the task display is hidden; the usual end steps ran.
    EXPECT_FALSE(w.lblProgress->isVisible());
    EXPECT_FALSE(w.progress->isVisible());
    EXPECT_EQ(w.cmdConvert->Caption(), "Start");
    EXPECT_TRUE(w.cmdAddVideoFile->isEnabled());
    EXPECT_FALSE(w.bTaskRunning());
    EXPECT_TRUE(OutputFiles(m_work).isEmpty());
    EXPECT_EQ(m_overrides.PowerOffs(), 1);

    // One missing level is made.
    w.txtOutPath->setText(m_work.filePath("Cut Files"));
    w.chkShutdown->setChecked(false);
    m_graphs.log.clear();
    w.optFormat[1]->setChecked(true);
    w.txtCVBitrate->clear(); // the custom format cannot be built: nothing to cut with
    m_messages.Clear();
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(m_work.filePath("Cut Files")).isDir());
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages()[0].sText.startsWith("Error occured while getting paramters"));
    // The set-up failure hides the display; the reserved name is given back; no encoder ran.
    EXPECT_FALSE(w.lblProgress->isVisible());
    EXPECT_FALSE(w.progress->isVisible());
    EXPECT_TRUE(QDir(m_work.filePath("Cut Files")).isEmpty());
    // The preview was stopped for the task all the same.
    EXPECT_TRUE(m_graphs.log.contains("g1.Stop"));
    EXPECT_EQ(m_overrides.PowerOffs(), 1);
}

TEST_F(TaskChecks, WhileATaskRunsTheBarShowsTheJobsPercentagesAndCloseRefuses)
{
    // An encoder that gets under way, reports 30 s of the 60 s cut, and then keeps on working.
    UseFakeEncoder("case \"$*\" in *' -y '*) ;; *) echo 'Input #0'; exit 1;; esac\n"
                   "echo 'Press [q] to stop encoding'; echo 'frame= 1 time=00:00:30.00 bitrate= 1'\n"
                   "exec sleep 20");
    frmMain &w = Start();
    w.show();
    OutputToWorkFolder(w);
    AddThroughDialog(w, m_sClip);
    Mark(w, 30, 90);
    // Between tasks a job's report changes nothing.
    w.cConvert_Progress(40);
    EXPECT_EQ(w.progress->value(), 0);

    WhileRunning(w, [&] {
        EXPECT_TRUE(w.bTaskRunning());
        EXPECT_EQ(w.progress->value(), 50);
        // An unreadable input (-1) and reports past the cut's end show as the bar's ends.
        w.cConvert_Progress(-1);
        EXPECT_EQ(w.progress->value(), 0);
        w.cConvert_Progress(130);
        EXPECT_EQ(w.progress->value(), 100);
        w.cConvert_CurrentStatus("12 Seconds Converted");
        EXPECT_EQ(w.progress->value(), 100);
        QTest::mouseClick(w.cmdClose, Qt::LeftButton);
        EXPECT_TRUE(w.isVisible());
        QTest::mouseClick(w.cmdConvert, Qt::LeftButton); // Stop
    });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ASSERT_TRUE(m_bActed);
    ASSERT_FALSE(m_messages.Messages().isEmpty());
    EXPECT_EQ(m_messages.Messages()[0].sText, "Please Stop the running task first.");
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w.bTaskRunning());
    EXPECT_EQ(ChildProcesses(), 0);
    EXPECT_TRUE(OutputFiles(m_work).isEmpty()) << OutputFiles(m_work).join(", ").toStdString();
    w.cConvert_Progress(40);
    EXPECT_EQ(w.progress->value(), 100);
    // With the task over, Close closes.
    QTest::mouseClick(w.cmdClose, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(TaskChecks, TheEncoderIsAskedForWhatThePanelHolds)
{
    // An encoder that writes down what it is asked to do, and does nothing.
    const QString sArgs = m_overrides.ProgramFile("args");
    UseFakeEncoder("case \"$*\" in *' -y '*) ;; *) echo 'Input #0'; exit 1;; esac\n"
                   "echo \"$*\" > '" + sArgs.toLocal8Bit() + "'");
    const auto AskedFor = [&] {
        QFile file(sArgs);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    };
    frmMain &w = Start();
    OutputToWorkFolder(w);
    AddThroughDialog(w, m_sClip);
    Mark(w, 30, 90);

    // Two presets share their label: the container tells them apart.
    Choose(*w.cmbCategory, "Everyday");
    Choose(*w.cmbOutVCodec, "H.264/AAC, original size");
    Choose(*w.cmbOutFormat, "mkv");
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    EXPECT_TRUE(AskedFor().contains("-crf 22 -vf ")) << AskedFor().toStdString();
    EXPECT_TRUE(AskedFor().contains(" -b:a 160k -ss 30 -t 60 -y ")) << AskedFor().toStdString();
    EXPECT_TRUE(AskedFor().trimmed().endsWith(".mkv")) << AskedFor().toStdString();

    w.optFormat[1]->setChecked(true);
    Choose(*w.cmbCustContainer, "MP4");
    Choose(*w.cmbCVCodec, "H.264 (AVC) for MP4 and MOV (8-bit, even size)");
    Choose(*w.cmbCACodec, "AAC");
    Choose(*w.cmbCVSize, "vga(640x480)");
    Choose(*w.cmbCVAspect, "16:9");
    Choose(*w.cmbCASmapleRate, "22.05 KHz");
    w.txtCVBitrate->setText("320");
    w.txtCABirate->setText("64");
    w.txtChannels->setText("2");
    w.txtFrameRate->setText("29.97");
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    EXPECT_TRUE(AskedFor().contains(" -ar 22050 -ab 64000 -acodec aac -ac 2 -vcodec libx264 -pix_fmt yuv420p "
                                    "-vf crop=trunc(iw/2)*2:trunc(ih/2)*2 -b 320000 -s vga "
                                    "-aspect 16:9 -r 29.97 -ss 30 -t 60 -y "))
        << AskedFor().toStdString();
    EXPECT_TRUE(AskedFor().trimmed().endsWith(".MP4")) << AskedFor().toStdString();
}

TEST_F(TaskChecks, AnOutputMuchShorterThanTheSelectionIsSaidAndKept)
{
    // As the encoder ends on a damaged input: success, but 1.3 s written of the 4 s selected.
    UseFakeEncoder("case \"$*\" in *' -y '*) ;; *) echo 'Input #0'; exit 1;; esac\n"
                   "for a; do out=$a; done; echo data > \"$out\"\n"
                   "echo 'Press [q] to stop, [?] for help'\n"
                   "printf 'frame= 1 time=00:00:00.50 bitrate= 1\\rframe= 2 time=00:00:01.30 bitrate= 1\\n'");
    frmMain &w = Start();
    OutputToWorkFolder(w);
    AddThroughDialog(w, m_sClip);
    Mark(w, 30, 34);
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages()[0].sText.contains("1.3 seconds were written of 4 selected"))
        << m_messages.Texts().join("\n").toStdString();
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(OutputFiles(m_work).size(), 1);

    // Within a second of the selection, nothing is said.
    m_messages.Clear();
    Mark(w, 30, 32);
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
}

TEST_F(TaskChecks, FolderOptionsAndBrowse)
{
    frmMain &w = Start();
    w.show();
    // A click on the option's round button.
    QTest::mouseClick(w.optSameFolder, Qt::LeftButton, {}, QPoint(8, w.optSameFolder->height() / 2));
    EXPECT_TRUE(w.optSameFolder->isChecked());
    EXPECT_FALSE(w.cmdBrowse->isEnabled());
    // As the saved settings leave it after a start in "Same folder as input file".
    w.txtOutPath->setEnabled(false);
    QTest::mouseClick(w.optOtherFolder, Qt::LeftButton, {}, QPoint(8, w.optOtherFolder->height() / 2));
    EXPECT_TRUE(w.cmdBrowse->isEnabled());
    EXPECT_TRUE(w.txtOutPath->isEnabled());

    const QString sBefore = w.txtOutPath->text();
    m_sBrowseAnswer.clear();
    QTest::mouseClick(w.cmdBrowse, Qt::LeftButton);
    EXPECT_EQ(m_lsDialogTitles, QStringList{"Select folder to add"});
    EXPECT_EQ(w.txtOutPath->text(), sBefore);
    EXPECT_TRUE(m_messages.Messages().isEmpty());

    m_sBrowseAnswer = "/proc";
    QTest::mouseClick(w.cmdBrowse, Qt::LeftButton);
    EXPECT_EQ(m_messages.Texts(), QStringList{"You can't choose this drive!"});
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(w.txtOutPath->text(), sBefore);

    m_sBrowseAnswer = TestMedia::BinDir();
    if (GetDriveTypeA(m_sBrowseAnswer) != DRIVE_FIXED)
        GTEST_SKIP() << "the build folder is not on a fixed disk here";
    QTest::mouseClick(w.cmdBrowse, Qt::LeftButton);
    EXPECT_EQ(w.txtOutPath->text(), TestMedia::BinDir());
    EXPECT_EQ(m_messages.Messages().size(), 1);
}

TEST_F(TaskChecks, AQuitSignalEndsTheProgramAsTheWindowManagersCloseDoes)
{
    // An encoder that gets under way, writes part of its file and then never ends.
    UseFakeEncoder("case \"$*\" in *' -y '*) ;; *) echo 'Input #0'; exit 1;; esac\n"
                   "for a; do out=$a; done; echo partial > \"$out\"\n"
                   "echo 'Press [q] to stop encoding'; echo 'frame= 1 time=00:00:10.00 bitrate= 1'\n"
                   "exec sleep 20");
    frmMain &w = Start();
    w.show();
    OutputToWorkFolder(w);
    EndProgramWithWindow(w); // as the program's start does
    AddThroughDialog(w, m_sClip);
    Mark(w, 30, 90);
    w.chkShutdown->setChecked(true);
    WhileRunning(w, [] { std::raise(SIGTERM); });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ASSERT_TRUE(m_bActed);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.bTaskRunning());
    EXPECT_EQ(ChildProcesses(), 0);
    EXPECT_TRUE(OutputFiles(m_work).isEmpty()) << OutputFiles(m_work).join(", ").toStdString();
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
    EXPECT_EQ(m_overrides.PowerOffs(), 0);
    frmMain again;
    EXPECT_EQ(again.txtOutPath->text(), m_work.path());
}

} // namespace
