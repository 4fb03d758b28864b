#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A D-Bus session bus of the test's own: a dbus-daemon listening in a temporary folder, with no
// activatable services (nothing on the machine answers for a name), ended with the object.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();

    bool IsRunning() const { return !m_sAddress.isEmpty(); }
    QString Address() const { return m_sAddress; }
    // A connection of its own to the bus, named for this bus and sName.
    QDBusConnection Connect(const QString &sName) const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_sAddress;
};
