#include "desktop/DesktopBus.h"

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

void SetDesktopBusForTests(const QString &sAddress)
{
    if (!TestBusAddress().isEmpty())
        QDBusConnection::disconnectFromBus(kTestBusName);
    TestBusAddress() = sAddress;
}
