#include "PrivateBus.h"

#include <QFile>

namespace {
constexpr int kStartMs = 10000;

QByteArray Config(const QString &sFolder)
{
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig>\n"
           "  <type>session</type>\n"
           "  <listen>unix:dir=" + sFolder.toUtf8() + "</listen>\n"
           "  <auth>EXTERNAL</auth>\n"
           "  <policy context=\"default\">\n"
           "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
           "    <allow eavesdrop=\"true\"/>\n"
           "    <allow own=\"*\"/>\n"
           "  </policy>\n"
           "</busconfig>\n";
}
} // namespace

PrivateBus::PrivateBus()
{
    if (!m_dir.isValid())
        return;
    const QString sConfig = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile config(sConfig);
    if (!config.open(QIODevice::WriteOnly) || config.write(Config(m_dir.path())) < 0)
        return;
    config.close();
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + sConfig, QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
    if (!m_daemon.waitForStarted(kStartMs))
        return;
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(kStartMs)) {
    }
    m_sAddress = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(kStartMs))
        m_daemon.kill();
    m_daemon.waitForFinished(kStartMs);
}

QDBusConnection PrivateBus::Connect(const QString &sName) const
{
    return QDBusConnection::connectToBus(m_sAddress, m_sAddress + QLatin1Char('#') + sName);
}
