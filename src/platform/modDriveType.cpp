#include "platform/modDriveType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>
#include <utility>

namespace {
const QString kSysfsRoot = QStringLiteral("/sys");
const QString kDevFolder = QStringLiteral("/dev/");
const QString kFusePrefix = QStringLiteral("fuse.");
const QString kCdromDevicePrefix = QStringLiteral("sr");

// Network file systems, also when they come through FUSE ("fuse.sshfs").
const QSet<QString> kRemoteTypes = {
    QStringLiteral("nfs"),       QStringLiteral("nfs4"),      QStringLiteral("cifs"),
    QStringLiteral("smb3"),      QStringLiteral("smbfs"),     QStringLiteral("ncpfs"),
    QStringLiteral("afs"),       QStringLiteral("coda"),      QStringLiteral("9p"),
    QStringLiteral("ceph"),      QStringLiteral("ceph-fuse"), QStringLiteral("glusterfs"),
    QStringLiteral("lustre"),    QStringLiteral("davfs"),     QStringLiteral("davfs2"),
    QStringLiteral("sshfs"),     QStringLiteral("rclone"),    QStringLiteral("s3fs"),
    QStringLiteral("gcsfuse"),   QStringLiteral("smbnetfs"),  QStringLiteral("curlftpfs"),
    QStringLiteral("gvfsd-fuse")};
const QSet<QString> kCdromTypes = {QStringLiteral("iso9660"), QStringLiteral("udf")};
const QSet<QString> kRamTypes = {QStringLiteral("tmpfs"), QStringLiteral("ramfs"),
                                 QStringLiteral("devtmpfs")};
// Kernel views that hold no files of the user's.
const QSet<QString> kPseudoTypes = {
    QStringLiteral("proc"),       QStringLiteral("sysfs"),      QStringLiteral("devpts"),
    QStringLiteral("cgroup"),     QStringLiteral("cgroup2"),    QStringLiteral("securityfs"),
    QStringLiteral("debugfs"),    QStringLiteral("tracefs"),    QStringLiteral("pstore"),
    QStringLiteral("bpf"),        QStringLiteral("configfs"),   QStringLiteral("fusectl"),
    QStringLiteral("mqueue"),     QStringLiteral("hugetlbfs"),  QStringLiteral("autofs"),
    QStringLiteral("binfmt_misc"), QStringLiteral("efivarfs"),  QStringLiteral("rpc_pipefs"),
    QStringLiteral("nsfs"),       QStringLiteral("selinuxfs")};

// Device-mapper devices stack; a few levels are plenty.
constexpr int kMaxSlaveDepth = 8;

QString &SysfsOverride()
{
    static QString sFolder;
    return sFolder;
}

QString SysfsRoot() { return SysfsOverride().isEmpty() ? kSysfsRoot : SysfsOverride(); }

// "/dev/sdb1" -> "sdb1"; links such as /dev/disk/by-uuid/... or /dev/mapper/... are followed.
QString BlockDeviceName(const QString &sDevice)
{
    if (!sDevice.startsWith(kDevFolder))
        return QString();
    const QFileInfo device(sDevice);
    const QString sCanonical = device.exists() ? device.canonicalFilePath() : sDevice;
    return QFileInfo(sCanonical).fileName();
}

// The removable flag of the disk that holds the block device sName (a disk or a partition, whose
// folder sits in its disk's folder under block/), or of any device a mapped one is made of.
bool IsRemovable(const QString &sName, int iDepth)
{
    if (sName.isEmpty() || iDepth > kMaxSlaveDepth)
        return false;
    const QDir block(SysfsRoot() + QStringLiteral("/block"));
    QString sDisk;
    if (block.exists(sName)) {
        sDisk = sName;
    } else {
        const QStringList lsDisks = block.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &sCandidate : lsDisks) {
            if (QFileInfo::exists(block.filePath(sCandidate + QLatin1Char('/') + sName))) {
                sDisk = sCandidate;
                break;
            }
        }
    }
    if (sDisk.isEmpty())
        return false;

    QFile flag(block.filePath(sDisk + QStringLiteral("/removable")));
    if (flag.open(QIODevice::ReadOnly) && flag.read(16).trimmed() == "1")
        return true;
    const QStringList lsSlaves = QDir(block.filePath(sDisk + QStringLiteral("/slaves")))
                                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &sSlave : lsSlaves) {
        if (IsRemovable(sSlave, iDepth + 1))
            return true;
    }
    return false;
}
} // namespace

std::uint32_t DriveTypeOfMount(const QString &sFileSystemType, const QString &sDevice)
{
    const QString sType = sFileSystemType.trimmed().toLower();
    if (sType.isEmpty())
        return DRIVE_UNKNOWN;
    const QString sBaseType = sType.startsWith(kFusePrefix) ? sType.mid(kFusePrefix.size()) : sType;
    // "server:/export" (NFS) and "//server/share" (SMB) name a share on another machine.
    if (kRemoteTypes.contains(sBaseType) || sDevice.startsWith(QLatin1String("//")) ||
        sDevice.contains(QLatin1String(":/")))
        return DRIVE_REMOTE;
    if (kCdromTypes.contains(sType))
        return DRIVE_CDROM;
    if (kRamTypes.contains(sType))
        return DRIVE_RAMDISK;
    if (kPseudoTypes.contains(sType))
        return DRIVE_UNKNOWN;
    const QString sName = BlockDeviceName(sDevice);
    if (sName.startsWith(kCdromDevicePrefix))
        return DRIVE_CDROM;
    return IsRemovable(sName, 0) ? DRIVE_REMOVABLE : DRIVE_FIXED;
}

std::uint32_t GetDriveTypeA(const QString &sPath)
{
    if (sPath.isEmpty() || !QFileInfo::exists(sPath))
        return DRIVE_NO_ROOT_DIR;
    const QStorageInfo storage(sPath);
    if (!storage.isValid())
        return DRIVE_UNKNOWN;
    return DriveTypeOfMount(QString::fromLocal8Bit(storage.fileSystemType()),
                            QString::fromLocal8Bit(storage.device()));
}

QString SetSysfsRootForTests(const QString &sFolder)
{
    return std::exchange(SysfsOverride(), sFolder.isEmpty() ? QString() : QDir::cleanPath(sFolder));
}
