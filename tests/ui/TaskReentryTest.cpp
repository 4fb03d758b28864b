// A Stop that comes while the task pumps the window's events before its encoder runs: while the
// numbered output name is chosen, and inside the job's own pump before it starts the encoder. A
// scripted preview and a fake encoder that leaves a mark when it starts a conversion.
#include "FakePreview.h"
#include "WorkflowFixture.h"

#include "engine/CVideoConv.h"
#include "slider/Slider.h"
#include "widgets/MyButton.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <functional>

namespace {

class TaskReentry : public WorkflowFixture {
protected:
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        m_sClip = Clip("short.mp4", 0.4);
        ASSERT_FALSE(m_sClip.isEmpty());
        m_sStarted = m_overrides.ProgramFile(QStringLiteral("encoder-started"));
        // The file check gets an answer at once; a conversion leaves its mark and stays silent.
        UseFakeEncoder("case \"$*\" in *' -y '*) ;; *) echo 'Input #0'; exit 1;; esac\n"
                       "touch '" + m_sStarted.toUtf8() + "'\nexec sleep 1");
    }

    // The window with the clip loaded and 30 s to 90 s marked, its output going to the work folder.
    frmMain &StartMarked()
    {
        frmMain &w = Start();
        w.show();
        OutputToWorkFolder(w);
        AddThroughDialog(w, m_sClip);
        w.Slider->setValue(30);
        QTest::mouseClick(w.cmdStartSelect, Qt::LeftButton);
        w.Slider->setValue(90);
        QTest::mouseClick(w.cmdEndSelect, Qt::LeftButton);
        return w;
    }

    // Clicks Stop once, inside the first pump of the event loop in which ready() holds. The call
    // queues itself again in every pass, so it sees the pumps one by one.
    void StopAtFirstPumpWhere(frmMain &w, std::function<bool()> ready)
    {
        QMetaObject::invokeMethod(
            &m_calls,
            [this, &w, ready] {
                if (!ready())
                    return StopAtFirstPumpWhere(w, ready);
                m_bEncoderBeforeStop = QFileInfo::exists(m_sStarted);
                m_sCaptionAtStop = w.cmdConvert->Caption();
                QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
            },
            Qt::QueuedConnection);
    }

    // The task has ended as a stopped one that never started its encoder.
    void ExpectStoppedWithoutEncoder(frmMain &w)
    {
        EXPECT_EQ(m_sCaptionAtStop, "Stop") << "the Stop click did not come during the task";
        EXPECT_FALSE(m_bEncoderBeforeStop);
        EXPECT_FALSE(QFileInfo::exists(m_sStarted)) << "an encoder was started after the stop";
        EXPECT_EQ(ChildProcesses(), 0);
        EXPECT_EQ(w.cmdConvert->Caption(), "Start");
        EXPECT_EQ(w.lblProgress->text(), "Task Progress:[Stopped]");
        EXPECT_TRUE(w.cmdAddVideoFile->isEnabled());
        // Nothing failed: the user stopped a task that had not begun to encode.
        EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
    }

    QStringList WorkFiles() const { return QDir(m_work.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

    FakeGraphs m_graphs;
    QString m_sClip;
    QString m_sStarted; // made by the fake encoder when it starts a conversion
    QObject m_calls;    // the queued calls die with the test
    bool m_bEncoderBeforeStop = false;
    QString m_sCaptionAtStop;
};

TEST_F(TaskReentry, AStopWhileTheNumberedNameIsChosenStartsNoEncoder)
{
    // Both plain names are taken: the task reserves short_Converted_0.mp4 and pumps the events.
    for (const char *szTaken : {"short.mp4", "short_Converted.mp4"}) {
        QFile taken(m_work.filePath(szTaken));
        ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    }
    const QString sNumbered = m_work.filePath("short_Converted_0.mp4");
    frmMain &w = StartMarked();
    StopAtFirstPumpWhere(w, [&] { return QFileInfo::exists(sNumbered); });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ExpectStoppedWithoutEncoder(w);
    EXPECT_EQ(WorkFiles(), QStringList({"short.mp4", "short_Converted.mp4"}));
}

TEST_F(TaskReentry, AStopBeforeTheJobStartsItsEncoderIsKept)
{
    frmMain &w = StartMarked();
    // The job is made after the name is chosen; its first pump comes before its encoder.
    StopAtFirstPumpWhere(w, [&] { return !w.cConvert.isNull(); });
    QTest::mouseClick(w.cmdConvert, Qt::LeftButton);

    ExpectStoppedWithoutEncoder(w);
    EXPECT_TRUE(WorkFiles().isEmpty()) << WorkFiles().join(", ").toStdString();
}

} // namespace
