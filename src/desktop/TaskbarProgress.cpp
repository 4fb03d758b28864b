#include "desktop/TaskbarProgress.h"

#include <QDBusMessage>
#include <QRegularExpression>
#include <QVariantMap>

namespace {
const QString kInterface = QStringLiteral("com.canonical.Unity.LauncherEntry");
const QString kPathPrefix = QStringLiteral("/com/canonical/unity/launcherentry/");
const QString kProgress = QStringLiteral("progress");
const QString kProgressVisible = QStringLiteral("progress-visible");
constexpr int kFull = 100;
} // namespace

TaskbarProgress::TaskbarProgress(const QString &sAppUri, const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_sAppUri(sAppUri), m_bus(bus)
{
    // Listeners match on the interface and the app's URI; the path only has to be a valid one.
    QString sId = sAppUri;
    sId.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
    m_sPath = kPathPrefix + sId;
}

void TaskbarProgress::SetProgress(int iPercent)
{
    iPercent = qBound(0, iPercent, kFull);
    if (iPercent == m_iShown)
        return;
    m_iShown = iPercent;
    Update(iPercent / double(kFull), true);
}

void TaskbarProgress::Clear()
{
    m_iShown = -1;
    Update(0.0, false);
}

void TaskbarProgress::Update(double dProgress, bool bVisible)
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(m_sPath, kInterface, QStringLiteral("Update"));
    signal << m_sAppUri << QVariantMap{{kProgress, dProgress}, {kProgressVisible, bVisible}};
    m_bus.send(signal);
}
