#include "EngineTestSupport.h"

#include "platform/modCommandLine.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

void PrintTo(const QString &sText, std::ostream *os)
{
    *os << '"' << sText.toUtf8().replace("\r", "\\r").replace("\n", "\\n").constData() << '"';
}

namespace EngineTest {

QString FakeChild()
{
    return QuoteProgramName(TestMedia::BinDir() + QStringLiteral("/engine_fake_child"));
}

qint64 ChildPid(const QString &sOutputs)
{
    static const QRegularExpression pid(QStringLiteral("pid=(\\d+)"));
    const QRegularExpressionMatch match = pid.match(sOutputs);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

bool ProcessExists(qint64 iPid)
{
    return ::kill(static_cast<pid_t>(iPid), 0) == 0 || errno != ESRCH;
}

int OpenDescriptors()
{
    DIR *dir = ::opendir("/proc/self/fd");
    if (!dir)
        return -1;
    int iCount = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            ++iCount;
    }
    ::closedir(dir);
    return iCount - 1; // the listing's own descriptor
}

bool WriteFakeEncoder(const QString &sFolder, const QString &sScriptBody)
{
    QFile script(sFolder + QStringLiteral("/ffmpeg"));
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    script.write(QByteArrayLiteral("#!/bin/sh\n") + sScriptBody.toUtf8() + '\n');
    script.close();
    return script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace EngineTest
