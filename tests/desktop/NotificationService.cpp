// The tests' notification service on the session bus this program is started on (to watch the
// real program with dbus-monitor). Prints each notification; with --invoke it picks the action
// "open-folder" of each one a second later, as a user clicking "Open Folder" would.
#include "support/FakeNotifications.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool bInvoke = app.arguments().contains(QStringLiteral("--invoke"));
    FakeNotifications service(QDBusConnection::sessionBus(), {QStringLiteral("actions")});
    if (!service.IsRegistered()) {
        std::fputs("cannot own org.freedesktop.Notifications on the session bus\n", stderr);
        return 1;
    }
    std::printf("serving org.freedesktop.Notifications\n");
    std::fflush(stdout);
    int iSeen = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        while (iSeen < service.calls.size()) {
            const FakeNotifications::Call &call = service.calls[iSeen++];
            std::printf("Notify #%d: %s | %s | actions %s\n", iSeen, qPrintable(call.sSummary),
                        qPrintable(call.sBody), qPrintable(call.lsActions.join(QLatin1Char(','))));
            std::fflush(stdout);
            if (bInvoke) {
                const uint iId = static_cast<uint>(iSeen);
                QTimer::singleShot(1000, &service, [&service, iId] {
                    service.SendActionInvoked(iId, QStringLiteral("open-folder"));
                });
            }
        }
    });
    poll.start(100);
    return app.exec();
}
