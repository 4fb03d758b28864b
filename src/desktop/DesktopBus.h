#pragma once

#include <QDBusConnection>
#include <QString>

// The bus that the desktop listens on: the session bus, or for a test the private bus at the
// address that SetDesktopBusForTests gave (an empty address puts the session bus back).
QDBusConnection DesktopBus();
void SetDesktopBusForTests(const QString &sAddress);
