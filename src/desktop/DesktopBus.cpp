#include "desktop/DesktopBus.h"

#include <utility>

namespace {
const QString kTestBusName = QStringLiteral("clipwright-test-bus");

QString &TestBusAddress()
{
    static QString sAddress;
    return sAddress;
}
} // namespace

QDBusConnection DesktopBus()
{
    if (TestBusAddress().isEmpty())
        return QDBusConnection::sessionBus();
    return QDBusConnection::connectToBus(TestBusAddress(), kTestBusName);
}

QString SetDesktopBusForTests(const QString &sAddress)
{
    if (!TestBusAddress().isEmpty())
        QDBusConnection::disconnectFromBus(kTestBusName);
    return std::exchange(TestBusAddress(), sAddress);
}
