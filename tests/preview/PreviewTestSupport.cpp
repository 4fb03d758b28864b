#include "preview/PreviewTestSupport.h"

#include "support/TestMedia.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

namespace PreviewTest {

bool WaitUntil(const std::function<bool()> &condition, int iTimeoutMs)
{
    const QDeadlineTimer deadline(iTimeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

void Pump(int iMs)
{
    const QDeadlineTimer deadline(iMs);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

QString Clip(QTemporaryDir &folder, const QString &sName, double dSeconds, const QStringList &extraArgs)
{
    const QString sPath = folder.filePath(sName);
    if (!QFileInfo::exists(sPath) && !TestMedia::MakeClip(sPath, dSeconds, QStringLiteral("320x240"), extraArgs))
        return QString();
    return sPath;
}

} // namespace PreviewTest
