#include "FakeNotifications.h"

#include <QDBusMessage>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr uint kClosedByUser = 2;
} // namespace

FakeNotifications::FakeNotifications(const QDBusConnection &bus, const QStringList &lsCapabilities, bool bAnswer)
    : m_bus(bus), m_lsCapabilities(lsCapabilities), m_bAnswer(bAnswer)
{
    m_bRegistered = m_bus.registerObject(kPath, this, QDBusConnection::ExportAllSlots) &&
                    m_bus.registerService(kService);
}

FakeNotifications::~FakeNotifications()
{
    m_bus.unregisterService(kService);
    m_bus.unregisterObject(kPath);
}

uint FakeNotifications::Notify(const QString &sAppName, uint iReplacesId, const QString &sAppIcon,
                               const QString &sSummary, const QString &sBody, const QStringList &lsActions,
                               const QVariantMap &hints, int iTimeout)
{
    calls.append({sAppName, iReplacesId, sAppIcon, sSummary, sBody, lsActions, hints, iTimeout});
    const uint iId = static_cast<uint>(calls.size());
    if (!m_bAnswer) {
        setDelayedReply(true);
        m_heldReplies.append(message().createReply(QVariant::fromValue(iId)));
    }
    return iId;
}

QStringList FakeNotifications::GetCapabilities()
{
    ++iCapabilityCalls;
    return m_lsCapabilities;
}

void FakeNotifications::SendActionInvoked(uint iId, const QString &sActionKey)
{
    Emit("ActionInvoked", {iId, sActionKey});
}

void FakeNotifications::SendNotificationClosed(uint iId)
{
    Emit("NotificationClosed", {iId, kClosedByUser});
}

void FakeNotifications::AnswerHeldCalls()
{
    for (const QDBusMessage &reply : std::as_const(m_heldReplies))
        m_bus.send(reply);
    m_heldReplies.clear();
}

void FakeNotifications::Emit(const char *szSignal, const QVariantList &arguments)
{
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kService, QString::fromLatin1(szSignal));
    signal.setArguments(arguments);
    m_bus.send(signal);
}
