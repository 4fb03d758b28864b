#include "platform/QuitSignalNotifier.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace {
// Runs the event loop long enough for a signal's byte to come through the pipe.
QList<int> SignalsSeenAfter(QuitSignalNotifier &notifier, int iSignal)
{
    QList<int> seen;
    QObject::connect(&notifier, &QuitSignalNotifier::Received, [&seen](int i) { seen.append(i); });
    std::raise(iSignal);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return seen;
}
} // namespace

TEST(QuitSignalNotifier, TurnsAQuitSignalIntoAnEventAndGivesItBackAfter)
{
    struct sigaction before = {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        QuitSignalNotifier notifier;
        ASSERT_TRUE(notifier.Installed());
        EXPECT_EQ(SignalsSeenAfter(notifier, SIGTERM), QList<int>{SIGTERM});
    }
    struct sigaction after = {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

TEST(QuitSignalNotifier, LeavesASignalIgnoredAtStartIgnored)
{
    // As nohup starts a program: closing the terminal must not end it.
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before = {};
    ::sigaction(SIGHUP, &ignore, &before);
    {
        QuitSignalNotifier notifier;
        ASSERT_TRUE(notifier.Installed());
        EXPECT_TRUE(SignalsSeenAfter(notifier, SIGHUP).isEmpty());
        struct sigaction now = {};
        ::sigaction(SIGHUP, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_IGN);
    }
    ::sigaction(SIGHUP, &before, nullptr);
}
