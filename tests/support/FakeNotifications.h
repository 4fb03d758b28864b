#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The freedesktop notification service as a test plays it on a private bus: it records every
// Notify, answers with ids 1, 2 ..., reports the capabilities the test gives, and sends the
// signals a desktop sends when the user picks an action or closes a notification. With
// bAnswer false it holds its answers to Notify until the test lets them go.
class FakeNotifications : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString sAppName;
        uint iReplacesId;
        QString sAppIcon;
        QString sSummary;
        QString sBody;
        QStringList lsActions;
        QVariantMap hints;
        int iTimeout;
    };

    explicit FakeNotifications(const QDBusConnection &bus, const QStringList &lsCapabilities = {"actions"},
                               bool bAnswer = true);
    ~FakeNotifications() override;

    bool IsRegistered() const { return m_bRegistered; }
    void SendActionInvoked(uint iId, const QString &sActionKey);
    void SendNotificationClosed(uint iId);
    // Answers the Notify calls held so far.
    void AnswerHeldCalls();

    QList<Call> calls;
    int iCapabilityCalls = 0;

public slots:
    uint Notify(const QString &sAppName, uint iReplacesId, const QString &sAppIcon, const QString &sSummary,
                const QString &sBody, const QStringList &lsActions, const QVariantMap &hints, int iTimeout);
    QStringList GetCapabilities();

private:
    void Emit(const char *szSignal, const QVariantList &arguments);

    QDBusConnection m_bus;
    QStringList m_lsCapabilities;
    bool m_bAnswer;
    bool m_bRegistered = false;
    QList<QDBusMessage> m_heldReplies;
};
