#include "platform/modPowerOff.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <cstdio>
#include <utility>

namespace {
const QString kSystemctl = QStringLiteral("systemctl");
const QString kPowerOffVerb = QStringLiteral("poweroff");

std::function<void()> &Handler()
{
    static std::function<void()> handler;
    return handler;
}

void SystemPowerOff()
{
    if (QStandardPaths::isTestModeEnabled()) {
        std::fputs("Power-off requested; not done in test mode.\n", stderr);
        return;
    }
    QProcess::startDetached(kSystemctl, QStringList{kPowerOffVerb});
}
} // namespace

void PowerOff()
{
    if (Handler())
        Handler()();
    else
        SystemPowerOff();
}

std::function<void()> SetPowerOffHandlerForTests(std::function<void()> handler)
{
    return std::exchange(Handler(), std::move(handler));
}
