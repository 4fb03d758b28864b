// Stop and Start clicked in a row, as a double click on Stop does: the second click starts a new
// task before the stopped one has unwound. The real encoder on a generated clip.
#include "WorkflowFixture.h"

#include "slider/Slider.h"
#include "platform/modChildProcesses.h"
#include "support/TestMedia.h"
#include "widgets/ComboList.h"
#include "widgets/MyButton.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <unistd.h>

namespace {
bool AnyAlive(const QList<qint64> &pids)
{
    const QList<qint64> alive = ChildPids();
    return std::any_of(pids.begin(), pids.end(), [&alive](qint64 iPid) { return alive.contains(iPid); });
}

void Choose(ComboList &list, const QString &sItem)
{
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.List(i) == sItem) {
            list.setListIndex(i);
            return;
        }
    }
    ADD_FAILURE() << "no item " << sItem.toStdString();
}
} // namespace

using StopRestart = WorkflowFixture;

TEST_F(StopRestart, StartRightAfterStopRunsAloneAndLeavesOnlyItsFile)
{
    constexpr int kCutStart = 2;
    constexpr int kCutEnd = 12;
    // Large enough that the encoder, which reports twice a second, shows progress before it ends
    // on an idle machine too.
    const QString sClip = Clip("road-large.mp4", 14.0, {"-s", "960x540"});
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = Start();
    w.show();
    OutputToWorkFolder(w);
    Choose(*w.cmbCategory, "Everyday");
    Choose(*w.cmbOutVCodec, "H.264/AAC, original size");
    Choose(*w.cmbOutFormat, "mp4");
    DropFiles(w, {sClip});
    ASSERT_FALSE(w.bNoVideo);
    DragSliderTo(w, kCutStart);
    QTest::mouseClick(w.cmdStartSelect, Qt::LeftButton);
    DragSliderTo(w, kCutEnd);
    QTest::mouseClick(w.cmdEndSelect, Qt::LeftButton);

    // Once the first task shows progress: Stop, and Start 30 ms later, while the stopped task is
    // still below on the stack. How long the stop takes depends on the machine's load; what the
    // stop must do is end the encoder itself, before anything else can happen.
    bool bActed = false;
    QList<qint64> firstEncoders;
    bool bFirstGoneAtStop = false;
    bool bFirstGoneAtRestart = false;
    qint64 iStopMs = -1;
    QObject::connect(w.progress, &QProgressBar::valueChanged, w.progress, [&](int iValue) {
        if (bActed || iValue <= 0 || iValue >= 100)
            return;
        bActed = true;
        QTimer::singleShot(0, [&] {
            firstEncoders = ChildPids();
            QElapsedTimer sinceStop;
            sinceStop.start();
            QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
            bFirstGoneAtStop = !AnyAlive(firstEncoders);
            iStopMs = sinceStop.elapsed();
            QTest::qWait(30);
            bFirstGoneAtRestart = !AnyAlive(firstEncoders);
            QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
        });
    });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ASSERT_TRUE(bActed);
    ASSERT_FALSE(firstEncoders.isEmpty());
    EXPECT_TRUE(bFirstGoneAtStop) << "the stop took " << iStopMs << " ms and left the encoder running";
    EXPECT_TRUE(bFirstGoneAtRestart);
    EXPECT_TRUE(ChildPids().isEmpty());
    EXPECT_FALSE(w.bTaskRunning());
    EXPECT_EQ(w.cmdConvert->Caption(), "Start");
    // Only the stopped task speaks, and only of its stop.
    for (const QString &sText : m_messages.Texts())
        EXPECT_TRUE(sText.startsWith("Error converting file: road-large.mp4\r\n")) << sText.toStdString();

    // The second task's cut, whole; nothing of the first.
    const QStringList lsFiles = QDir(m_work.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(lsFiles.size(), 1) << lsFiles.join(", ").toStdString();
    const TestMedia::ProbeResult probe = TestMedia::Probe(m_work.filePath(lsFiles.first()));
    ASSERT_TRUE(probe.bOk);
    EXPECT_EQ(probe.sVideoCodec, "h264");
    EXPECT_NEAR(probe.dDuration, kCutEnd - kCutStart, 0.3);
}
