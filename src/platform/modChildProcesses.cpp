#include "platform/modChildProcesses.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

QList<qint64> ChildPids()
{
    QList<qint64> pids;
    const QByteArray sOwnPid = QByteArray::number(::getpid());
    const QStringList lsEntries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &sEntry : lsEntries) {
        bool bNumber = false;
        const qint64 iPid = sEntry.toLongLong(&bNumber);
        if (!bNumber)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(sEntry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks and parentheses, the fields after
        // it do not.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == sOwnPid)
            pids << iPid;
    }
    return pids;
}
