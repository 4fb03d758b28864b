#pragma once

#include <QDBusConnection>
#include <QString>

// The bus that the desktop listens on: the session bus, or for a test the private bus at the
// address that SetDesktopBusForTests gave (an empty address puts the session bus back; the former
// address is returned).
QDBusConnection DesktopBus();
QString SetDesktopBusForTests(const QString &sAddress);
