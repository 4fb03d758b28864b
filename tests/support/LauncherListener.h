#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QVariantMap>

// Listens on a bus for the Unity launcher entry's Update signal, as a task bar does, and records
// every one.
class LauncherListener : public QObject {
    Q_OBJECT
public:
    explicit LauncherListener(const QDBusConnection &bus);

    bool IsListening() const { return m_bListening; }

    struct Update {
        QString sAppUri;
        QVariantMap properties;
    };
    QList<Update> updates;

private slots:
    void Updated(const QString &sAppUri, const QVariantMap &properties);

private:
    bool m_bListening = false;
};
