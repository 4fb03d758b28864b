#include "desktop/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

const QString DesktopNotifier::kActionOpenFolder = QStringLiteral("Open Folder");

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kAppName = QStringLiteral("Clipwright");
const QString kAppIcon = QStringLiteral("clipwright");
const QString kDesktopEntry = QStringLiteral("clipwright");
const QString kActionKey = QStringLiteral("open-folder");
const QString kBodyMarkup = QStringLiteral("body-markup");
constexpr int kServerDefaultTimeout = -1;
} // namespace

DesktopNotifier::DesktopNotifier(const QDBusConnection &bus, QObject *parent) : QObject(parent), m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    // No service name: matching on it would make Qt ask the bus for its owner, and wait.
    m_bus.connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(ActionInvoked(uint, QString)));
    m_bus.connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(NotificationClosed(uint, uint)));
    const QDBusPendingCall capabilities =
        m_bus.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities")));
    auto *watcher = new QDBusPendingCallWatcher(capabilities, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        const QDBusPendingReply<QStringList> reply = *call;
        m_bBodyMarkup = reply.isValid() && reply.value().contains(kBodyMarkup);
        call->deleteLater();
    });
}

void DesktopNotifier::Notify(const QString &sSummary, const QString &sBody, const QString &sFolder)
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), kDesktopEntry}};
    call << kAppName << 0u << kAppIcon << sSummary << (m_bBodyMarkup ? sBody.toHtmlEscaped() : sBody)
         << QStringList{kActionKey, kActionOpenFolder} << hints << kServerDefaultTimeout;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, sFolder](QDBusPendingCallWatcher *pending) {
        const QDBusPendingReply<uint> reply = *pending;
        if (reply.isValid())
            m_folders.insert(reply.value(), sFolder);
        pending->deleteLater();
    });
}

void DesktopNotifier::ActionInvoked(uint iId, const QString &sActionKey)
{
    // The service sends every program's actions to everyone on the bus: only ours count.
    if (sActionKey == kActionKey && m_folders.contains(iId))
        emit OpenFolder(m_folders.value(iId));
}

void DesktopNotifier::NotificationClosed(uint iId, uint)
{
    m_folders.remove(iId);
}
