#include "platform/modNamedLock.h"

#include "common/ScopedOverride.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
class NamedLock : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QTemporaryDir m_dir;
    const ScopedOverride m_folder{SetNamedLockFolderForTests, m_dir.path()};
};

// Tries a lock on the file through a descriptor of its own, as another process would.
bool TryLock(const QString &sFile, int iOperation)
{
    const int fd = ::open(QFile::encodeName(sFile).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool bLocked = ::flock(fd, iOperation | LOCK_NB) == 0;
    ::close(fd);
    return bLocked;
}
} // namespace

TEST_F(NamedLock, IsHeldAndSharedWithOtherCopies)
{
    const QString sFile = NamedLockFile(QStringLiteral("Orvantaclipwright"));
    EXPECT_EQ(sFile, m_dir.filePath(QStringLiteral("Orvantaclipwright.lock")));
    ASSERT_TRUE(CreateNamedLock(QStringLiteral("Orvantaclipwright")));
    EXPECT_TRUE(QFileInfo(sFile).isFile());
    EXPECT_TRUE(CreateNamedLock(QStringLiteral("Orvantaclipwright")));

    // A second copy takes it too; nobody can have it alone while we run.
    EXPECT_TRUE(TryLock(sFile, LOCK_SH));
    EXPECT_FALSE(TryLock(sFile, LOCK_EX));
}

TEST_F(NamedLock, IsNotHandedToChildProcesses)
{
    const QString sFile = NamedLockFile(QStringLiteral("ChildTest"));
    ASSERT_TRUE(CreateNamedLock(QStringLiteral("ChildTest")));
    QProcess child;
    child.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("for f in /proc/self/fd/*; do readlink \"$f\"; done")});
    ASSERT_TRUE(child.waitForFinished(30000));
    const QString sOpenFiles = QString::fromLocal8Bit(child.readAllStandardOutput());
    EXPECT_FALSE(sOpenFiles.isEmpty());
    EXPECT_FALSE(sOpenFiles.contains(sFile)) << sOpenFiles.toStdString();
}

TEST_F(NamedLock, AFolderWhereNoLockCanBeMadeIsNoFailure)
{
    SetNamedLockFolderForTests(m_dir.filePath(QStringLiteral("missing")));
    EXPECT_FALSE(CreateNamedLock(QStringLiteral("NoFolder")));

    QFile blocker(m_dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetNamedLockFolderForTests(blocker.fileName());
    EXPECT_FALSE(CreateNamedLock(QStringLiteral("InAFile")));

    SetNamedLockFolderForTests(m_dir.path());
    EXPECT_EQ(NamedLockFile(QStringLiteral("Global/Name")),
              m_dir.filePath(QStringLiteral("Global_Name.lock")));
    EXPECT_TRUE(CreateNamedLock(QStringLiteral("Global/Name")));
    EXPECT_TRUE(NamedLockFile(QString()).isEmpty());
}
