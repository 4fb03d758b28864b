#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications). Every call is asynchronous: the caller never waits for the
// service, and where there is no bus or no service nothing is shown and nothing is said.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifier(const QDBusConnection &bus, QObject *parent = nullptr);

    // Shows a notification from Clipwright with the action "Open Folder", which raises OpenFolder
    // with sFolder when the user chooses it.
    void Notify(const QString &sSummary, const QString &sBody, const QString &sFolder);

    static const QString kActionOpenFolder; // "Open Folder"

signals:
    void OpenFolder(const QString &sFolder);

private slots:
    void ActionInvoked(uint iId, const QString &sActionKey);
    void NotificationClosed(uint iId, uint iReason);

private:
    QDBusConnection m_bus;
    QHash<uint, QString> m_folders; // the folder of each notification still shown
    bool m_bBodyMarkup = false;     // the service reads the body as markup: names are escaped
};
