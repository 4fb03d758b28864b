// The task bar's progress as a listener on a private bus sees it.
#include "desktop/TaskbarProgress.h"
#include "support/LauncherListener.h"
#include "support/PrivateBus.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
void PumpUntil(const std::function<bool()> &condition, int iTimeoutMs = 5000)
{
    const QDeadlineTimer deadline(iTimeoutMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}
} // namespace

TEST(TaskbarProgress, EachNewPercentageIsShownAndTheEndTakesItAway)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.IsRunning());
    LauncherListener listener(bus.Connect("taskbar"));
    ASSERT_TRUE(listener.IsListening());
    TaskbarProgress taskbar("application://clipwright.desktop", bus.Connect("program"));

    taskbar.SetProgress(0);
    taskbar.SetProgress(0);
    taskbar.SetProgress(42);
    taskbar.SetProgress(42);
    taskbar.SetProgress(150);
    taskbar.Clear();
    taskbar.SetProgress(100); // a new task after the end shows again
    PumpUntil([&] { return listener.updates.size() >= 5; });
    QCoreApplication::processEvents();

    ASSERT_EQ(listener.updates.size(), 5);
    const QList<std::pair<double, bool>> expected{{0.0, true}, {0.42, true}, {1.0, true}, {0.0, false}, {1.0, true}};
    for (int i = 0; i < 5; ++i) {
        const LauncherListener::Update &update = listener.updates[i];
        EXPECT_EQ(update.sAppUri, "application://clipwright.desktop");
        EXPECT_DOUBLE_EQ(update.properties.value("progress").toDouble(), expected[i].first) << i;
        EXPECT_EQ(update.properties.value("progress-visible").toBool(), expected[i].second) << i;
        EXPECT_EQ(update.properties.value("progress").metaType(), QMetaType::fromType<double>());
    }

    // Without a bus nothing is sent, and nothing goes wrong.
    TaskbarProgress nowhere("application://clipwright.desktop",
                            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none"));
    nowhere.SetProgress(10);
    nowhere.Clear();
}
