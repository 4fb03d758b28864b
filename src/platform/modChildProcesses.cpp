#include "platform/modChildProcesses.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace {
// "pid (name) state ppid ...": the name may hold blanks and parentheses, the fields after it do
// not. Empty when the process has gone.
QList<QByteArray> StatFields(const QString &sPid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(sPid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2).split(' ');
}
} // namespace

QList<qint64> ChildPids()
{
    return ChildPidsOf(::getpid());
}

QList<qint64> ChildPidsOf(qint64 iParent)
{
    QList<qint64> pids;
    const QByteArray sParent = QByteArray::number(iParent);
    const QStringList lsEntries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &sEntry : lsEntries) {
        bool bNumber = false;
        const qint64 iPid = sEntry.toLongLong(&bNumber);
        if (!bNumber)
            continue;
        const QList<QByteArray> fields = StatFields(sEntry);
        if (fields.size() > 1 && fields[1] == sParent)
            pids << iPid;
    }
    return pids;
}

bool ProcessRuns(qint64 iPid)
{
    const QList<QByteArray> fields = StatFields(QString::number(iPid));
    return !fields.isEmpty() && !fields[0].isEmpty() && fields[0] != "Z" && fields[0] != "X";
}
