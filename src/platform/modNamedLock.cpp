#include "platform/modNamedLock.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace {
const QString kLockSuffix = QStringLiteral(".lock");

QString &FolderOverride()
{
    static QString sFolder;
    return sFolder;
}

QMutex &LocksMutex()
{
    static QMutex mutex;
    return mutex;
}

// Names whose lock this process holds, with the open descriptor that holds it. The descriptors
// stay open on purpose: the operating system lets go of the locks when the process ends.
QMap<QString, int> &HeldLocks()
{
    static QMap<QString, int> locks;
    return locks;
}

QString LockFolder()
{
    if (!FolderOverride().isEmpty())
        return FolderOverride();
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}
} // namespace

QString NamedLockFile(const QString &sName)
{
    const QString sFolder = LockFolder();
    if (sFolder.isEmpty() || sName.isEmpty())
        return QString();
    QString sFileName = sName;
    sFileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    return sFolder + QLatin1Char('/') + sFileName + kLockSuffix;
}

bool CreateNamedLock(const QString &sName)
{
    QMutexLocker locker(&LocksMutex());
    if (HeldLocks().contains(sName))
        return true;
    const QString sFile = NamedLockFile(sName);
    if (sFile.isEmpty())
        return false;

    // O_CLOEXEC: an encoder started later must not keep the lock after we end.
    const int fd = ::open(QFile::encodeName(sFile).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    int iResult;
    do {
        iResult = ::flock(fd, LOCK_SH | LOCK_NB);
    } while (iResult != 0 && errno == EINTR);
    if (iResult != 0) {
        ::close(fd);
        return false;
    }
    HeldLocks().insert(sName, fd);
    return true;
}

QString SetNamedLockFolderForTests(const QString &sFolder)
{
    return std::exchange(FolderOverride(), sFolder.isEmpty() ? QString() : QDir::cleanPath(sFolder));
}
