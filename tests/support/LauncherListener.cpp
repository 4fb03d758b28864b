#include "LauncherListener.h"

LauncherListener::LauncherListener(const QDBusConnection &bus)
{
    QDBusConnection connection(bus);
    m_bListening = connection.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                      QStringLiteral("Update"), this, SLOT(Updated(QString, QVariantMap)));
}

void LauncherListener::Updated(const QString &sAppUri, const QVariantMap &properties)
{
    updates.append({sAppUri, properties});
}
