// Notifications on a private bus with the test's own notification service.
#include "desktop/DesktopNotifier.h"
#include "support/FakeNotifications.h"
#include "support/PrivateBus.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <functional>

namespace {

bool WaitUntil(const std::function<bool()> &condition, int iTimeoutMs = 5000)
{
    const QDeadlineTimer deadline(iTimeoutMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

void Pump(int iMs)
{
    const QDeadlineTimer deadline(iMs);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class Notifier : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_bus.IsRunning()) << "dbus-daemon did not start"; }

    PrivateBus m_bus;
};

TEST_F(Notifier, ANotificationCarriesItsTextsAndOpenFolderComesBackForItAlone)
{
    FakeNotifications service(m_bus.Connect("service"), {"actions", "body-markup"});
    ASSERT_TRUE(service.IsRegistered());
    DesktopNotifier notifier(m_bus.Connect("program"));
    QSignalSpy opened(&notifier, &DesktopNotifier::OpenFolder);
    // The capabilities are asked for at once, and a markup reader gets the name escaped.
    ASSERT_TRUE(WaitUntil([&] { return service.iCapabilityCalls == 1; }));
    Pump(100);

    notifier.Notify("Task done", "Tom & Jerry <1>.mp4", "/videos/out");
    notifier.Notify("Task failed", "b.mp4", "/videos/other");
    ASSERT_TRUE(WaitUntil([&] { return service.calls.size() == 2; }));
    const FakeNotifications::Call &call = service.calls[0];
    EXPECT_EQ(call.sAppName, "Clipwright");
    EXPECT_EQ(call.iReplacesId, 0u);
    EXPECT_EQ(call.sAppIcon, "clipwright");
    EXPECT_EQ(call.sSummary, "Task done");
    EXPECT_EQ(call.sBody, "Tom &amp; Jerry &lt;1&gt;.mp4");
    EXPECT_EQ(call.lsActions, QStringList({"open-folder", "Open Folder"}));
    EXPECT_EQ(call.hints.value("desktop-entry").toString(), "clipwright");
    EXPECT_EQ(call.iTimeout, -1);
    Pump(100); // the ids come back

    // Another program's action, an unknown id and another key open nothing.
    service.SendActionInvoked(1, "default");
    service.SendActionInvoked(7, "open-folder");
    service.SendActionInvoked(2, "open-folder");
    ASSERT_TRUE(WaitUntil([&] { return opened.size() == 1; }));
    Pump(100);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toString(), "/videos/other");
    // A closed notification's action is gone with it.
    service.SendNotificationClosed(1);
    service.SendActionInvoked(1, "open-folder");
    Pump(200);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(Notifier, ThePlainTextReaderGetsTheNameAsItIs)
{
    FakeNotifications service(m_bus.Connect("service"), {"actions"});
    DesktopNotifier notifier(m_bus.Connect("program"));
    ASSERT_TRUE(WaitUntil([&] { return service.iCapabilityCalls == 1; }));
    Pump(100);
    notifier.Notify("Task stopped", "Tom & Jerry.mp4", "/videos");
    ASSERT_TRUE(WaitUntil([&] { return service.calls.size() == 1; }));
    EXPECT_EQ(service.calls[0].sBody, "Tom & Jerry.mp4");
}

TEST_F(Notifier, NoBusNoServiceOrASilentServiceNeverHoldTheCallerUp)
{
    // The call returns before the service, which runs in this very thread, could even have seen it,
    // and the answer that comes later still counts. A call that waited for its answer would wait
    // in vain (the service cannot run meanwhile) and give up without the notification's id.
    FakeNotifications slow(m_bus.Connect("service"), {"actions"}, false);
    DesktopNotifier notifier(m_bus.Connect("program"));
    QSignalSpy opened(&notifier, &DesktopNotifier::OpenFolder);
    notifier.Notify("Task done", "a.mp4", "/videos");
    EXPECT_TRUE(slow.calls.isEmpty());
    ASSERT_TRUE(WaitUntil([&] { return slow.calls.size() == 1; }));
    slow.AnswerHeldCalls();
    Pump(100);
    slow.SendActionInvoked(1, "open-folder");
    EXPECT_TRUE(WaitUntil([&] { return opened.size() == 1; }));

    // Nobody owns the name: nothing happens, and nothing is said.
    PrivateBus empty;
    ASSERT_TRUE(empty.IsRunning());
    DesktopNotifier alone(empty.Connect("program"));
    QSignalSpy openedAlone(&alone, &DesktopNotifier::OpenFolder);
    alone.Notify("Task done", "a.mp4", "/videos");
    Pump(200);
    EXPECT_TRUE(openedAlone.isEmpty());

    // No bus at all.
    DesktopNotifier nowhere(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none"));
    nowhere.Notify("Task done", "a.mp4", "/videos");
}

} // namespace
