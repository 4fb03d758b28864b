// What the desktop hears of a cut task, on a private bus: the progress for the task bar, and a
// notification when the task ends behind another window, whose "Open Folder" opens the output
// folder. A scripted preview and a fake encoder.
#include "FakePreview.h"
#include "WorkflowFixture.h"

#include "desktop/DesktopBus.h"
#include "engine/CVideoConv.h"
#include "support/FakeNotifications.h"
#include "support/LauncherListener.h"
#include "support/PrivateBus.h"
#include "slider/Slider.h"
#include "widgets/MyButton.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProgressBar>
#include <QTest>
#include <QUrl>
#include <memory>

namespace {

// Stands in for the desktop's file manager.
class FolderOpener : public QObject {
    Q_OBJECT
public:
    FolderOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~FolderOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;
public slots:
    void Open(const QUrl &url) { urls.append(url); }
};

// An encoder that gets under way, reports 30 s of the 60 s cut and ends as sEnd says.
QByteArray Encoder(const QByteArray &sEnd)
{
    return "case \"$*\" in *' -y '*) ;; *) echo 'Input #0'; exit 1;; esac\n"
           "echo 'Press [q] to stop encoding'; echo 'frame= 1 time=00:00:30.00 bitrate= 1'\n"
           "for last; do :; done\n" +
           sEnd;
}

class DesktopReport : public WorkflowFixture {
protected:
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        ASSERT_TRUE(m_bus.IsRunning()) << "dbus-daemon did not start";
        m_busOverride = std::make_unique<ScopedOverride>(SetDesktopBusForTests, m_bus.Address());
        m_sClip = Clip("short.mp4", 0.4);
        ASSERT_FALSE(m_sClip.isEmpty());
    }
    void TearDown() override
    {
        WorkflowFixture::TearDown();
        m_busOverride.reset();
    }

    frmMain &StartMarked()
    {
        frmMain &w = Start();
        w.show();
        OutputToWorkFolder(w);
        AddThroughDialog(w, m_sClip);
        w.Slider->setValue(30);
        w.cmdStartSelect_Click();
        w.Slider->setValue(90);
        w.cmdEndSelect_Click();
        return w;
    }

    // Another window of the desktop takes the keyboard, or the program's window does.
    void Activate(QWidget &window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void RunTask(frmMain &w)
    {
        QTest::mouseClick(w.cmdConvert, Qt::LeftButton);
        Pump(200); // what the bus carries arrives
    }

    PrivateBus m_bus;
    std::unique_ptr<ScopedOverride> m_busOverride;
    FakeGraphs m_graphs;
    QString m_sClip;
    FolderOpener m_opener;
};

TEST_F(DesktopReport, ATaskThatEndsBehindAnotherWindowIsToldAndOpenFolderOpensTheOutputFolder)
{
    FakeNotifications service(m_bus.Connect("service"));
    LauncherListener taskbar(m_bus.Connect("taskbar"));
    UseFakeEncoder(Encoder("echo data > \"$last\"; exit 0"));
    frmMain &w = StartMarked();
    QWidget other;
    Activate(other);

    RunTask(w);
    ASSERT_EQ(w.progress->value(), 100);
    ASSERT_GE(taskbar.updates.size(), 2);
    const QVariantMap during = taskbar.updates[taskbar.updates.size() - 2].properties;
    const QVariantMap after = taskbar.updates.last().properties;
    EXPECT_EQ(taskbar.updates.last().sAppUri, "application://clipwright.desktop");
    EXPECT_DOUBLE_EQ(during.value("progress").toDouble(), 0.5);
    EXPECT_TRUE(during.value("progress-visible").toBool());
    EXPECT_FALSE(after.value("progress-visible").toBool());

    ASSERT_EQ(service.calls.size(), 1);
    const QFileInfo output(w.cConvert->OutputFile());
    EXPECT_EQ(service.calls[0].sSummary, "Task done");
    EXPECT_EQ(service.calls[0].sBody, output.fileName());
    EXPECT_EQ(service.calls[0].lsActions, QStringList({"open-folder", "Open Folder"}));
    service.SendActionInvoked(1, "open-folder");
    ASSERT_TRUE(WaitUntil([&] { return !m_opener.urls.isEmpty(); }, 5000));
    EXPECT_EQ(m_opener.urls, QList<QUrl>{QUrl::fromLocalFile(m_work.path())});
}

TEST_F(DesktopReport, InTheActiveWindowTheEndIsSeenThereAndBehindItAFailureIsTold)
{
    FakeNotifications service(m_bus.Connect("service"));
    LauncherListener taskbar(m_bus.Connect("taskbar"));
    UseFakeEncoder(Encoder("exit 1"));
    frmMain &w = StartMarked();
    Activate(w);
    RunTask(w);
    EXPECT_TRUE(service.calls.isEmpty());
    ASSERT_FALSE(taskbar.updates.isEmpty());
    EXPECT_FALSE(taskbar.updates.last().properties.value("progress-visible").toBool());

    QWidget other;
    Activate(other);
    m_messages.Clear();
    RunTask(w);
    ASSERT_EQ(service.calls.size(), 1);
    EXPECT_EQ(service.calls[0].sSummary, "Task failed");
    // The message box said it too, in the window.
    EXPECT_EQ(m_messages.Messages().size(), 1);
}

} // namespace

#include "DesktopReportTest.moc"
