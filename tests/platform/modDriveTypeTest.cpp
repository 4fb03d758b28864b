#include "platform/modDriveType.h"

#include "common/ScopedOverride.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A folder laid out like /sys/block: disks with their removable flag, partitions inside their
// disk's folder, and the devices a mapped device is made of under slaves/.
class FakeSysfs {
public:
    FakeSysfs() { EXPECT_TRUE(m_dir.isValid()); }

    void AddDisk(const QString &sDisk, bool bRemovable, const QStringList &lsPartitions = {},
                 const QStringList &lsSlaves = {})
    {
        const QString sFolder = m_dir.filePath(QStringLiteral("block/") + sDisk);
        ASSERT_TRUE(QDir().mkpath(sFolder));
        QFile flag(sFolder + QStringLiteral("/removable"));
        ASSERT_TRUE(flag.open(QIODevice::WriteOnly));
        flag.write(bRemovable ? "1\n" : "0\n");
        for (const QString &sPartition : lsPartitions)
            ASSERT_TRUE(QDir().mkpath(sFolder + QLatin1Char('/') + sPartition));
        for (const QString &sSlave : lsSlaves)
            ASSERT_TRUE(QDir().mkpath(sFolder + QStringLiteral("/slaves/") + sSlave));
    }

private:
    QTemporaryDir m_dir;
    const ScopedOverride m_root{SetSysfsRootForTests, m_dir.path()};
};
} // namespace

TEST(DriveType, FileSystemsThatTellTheKindOfDrive)
{
    FakeSysfs sysfs;
    for (const char *lpType : {"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs", "sshfs", "9p",
                               "fuse.rclone", "fuse.gvfsd-fuse", "NFS4"})
        EXPECT_EQ(DriveTypeOfMount(QString::fromLatin1(lpType), QStringLiteral("server:/export")),
                  DRIVE_REMOTE)
            << lpType;
    // A share's device names another machine, whatever the type says.
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("fuse"), QStringLiteral("//host/share")), DRIVE_REMOTE);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("ext4"), QStringLiteral("host:/export")), DRIVE_REMOTE);

    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("iso9660"), QStringLiteral("/dev/sr0")), DRIVE_CDROM);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("udf"), QStringLiteral("/dev/loop3")), DRIVE_CDROM);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("auto"), QStringLiteral("/dev/sr1")), DRIVE_CDROM);

    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("tmpfs"), QStringLiteral("tmpfs")), DRIVE_RAMDISK);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("ramfs"), QStringLiteral("none")), DRIVE_RAMDISK);

    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("proc"), QStringLiteral("proc")), DRIVE_UNKNOWN);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("sysfs"), QStringLiteral("sysfs")), DRIVE_UNKNOWN);
    EXPECT_EQ(DriveTypeOfMount(QString(), QStringLiteral("/dev/sda1")), DRIVE_UNKNOWN);

    // Local file systems without a block device of their own sit on the machine's disks.
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("overlay"), QStringLiteral("overlay")), DRIVE_FIXED);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("zfs"), QStringLiteral("rpool/home")), DRIVE_FIXED);
}

TEST(DriveType, LocalDisksByTheirRemovableFlag)
{
    FakeSysfs sysfs;
    sysfs.AddDisk(QStringLiteral("sda"), false, {QStringLiteral("sda1"), QStringLiteral("sda2")});
    sysfs.AddDisk(QStringLiteral("sdb"), true, {QStringLiteral("sdb1")});
    sysfs.AddDisk(QStringLiteral("nvme0n1"), false, {QStringLiteral("nvme0n1p1")});
    sysfs.AddDisk(QStringLiteral("mmcblk0"), true, {QStringLiteral("mmcblk0p1")});
    // An encrypted stick: the mapped device is not removable, the stick it is made of is.
    sysfs.AddDisk(QStringLiteral("dm-0"), false, {}, {QStringLiteral("sdb1")});
    sysfs.AddDisk(QStringLiteral("dm-1"), false, {}, {QStringLiteral("sda2")});

    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("ext4"), QStringLiteral("/dev/sda1")), DRIVE_FIXED);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("ext4"), QStringLiteral("/dev/sda")), DRIVE_FIXED);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("vfat"), QStringLiteral("/dev/sdb1")), DRIVE_REMOVABLE);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("exfat"), QStringLiteral("/dev/sdb")), DRIVE_REMOVABLE);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("btrfs"), QStringLiteral("/dev/nvme0n1p1")), DRIVE_FIXED);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("vfat"), QStringLiteral("/dev/mmcblk0p1")),
              DRIVE_REMOVABLE);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("ext4"), QStringLiteral("/dev/dm-0")), DRIVE_REMOVABLE);
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("ext4"), QStringLiteral("/dev/dm-1")), DRIVE_FIXED);
    // A device that sysfs does not know is taken as a fixed disk.
    EXPECT_EQ(DriveTypeOfMount(QStringLiteral("ext4"), QStringLiteral("/dev/sdz9")), DRIVE_FIXED);
}

TEST(DriveType, OfAPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(GetDriveTypeA(QString()), DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(GetDriveTypeA(dir.filePath(QStringLiteral("missing"))), DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(GetDriveTypeA(dir.filePath(QStringLiteral("missing/deeper"))), DRIVE_NO_ROOT_DIR);

    const QStorageInfo storage(dir.path());
    ASSERT_TRUE(storage.isValid());
    const std::uint32_t lExpected = DriveTypeOfMount(QString::fromLocal8Bit(storage.fileSystemType()),
                                                     QString::fromLocal8Bit(storage.device()));
    EXPECT_EQ(GetDriveTypeA(dir.path()), lExpected);
    QFile file(dir.filePath(QStringLiteral("clip.mp4")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(GetDriveTypeA(file.fileName()), lExpected);

    // The temporary folder's own disk, marked removable and then not in a fake sysfs.
    const QString sDevice = QString::fromLocal8Bit(storage.device());
    if (lExpected != DRIVE_FIXED || !sDevice.startsWith(QStringLiteral("/dev/")))
        GTEST_SKIP() << "the temporary folder is not on a local disk: " << sDevice.toStdString();
    const QString sName = QFileInfo(QFileInfo(sDevice).canonicalFilePath()).fileName();
    {
        FakeSysfs sysfs;
        sysfs.AddDisk(sName, true);
        EXPECT_EQ(GetDriveTypeA(dir.path()), DRIVE_REMOVABLE);
    }
    {
        FakeSysfs sysfs;
        sysfs.AddDisk(QStringLiteral("disk"), false, {sName});
        EXPECT_EQ(GetDriveTypeA(dir.path()), DRIVE_FIXED);
    }
}
