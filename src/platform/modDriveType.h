#pragma once

#include <QString>
#include <cstdint>

// The kind of drive that holds a folder, in the classic DRIVE_* codes. The "drive" is the mount
// that holds the path; what kind it is comes from its file system and, for a local disk, from the
// block device's removable flag in sysfs.
constexpr std::uint32_t DRIVE_UNKNOWN = 0;
constexpr std::uint32_t DRIVE_NO_ROOT_DIR = 1;
constexpr std::uint32_t DRIVE_REMOVABLE = 2;
constexpr std::uint32_t DRIVE_FIXED = 3;
constexpr std::uint32_t DRIVE_REMOTE = 4;
constexpr std::uint32_t DRIVE_CDROM = 5;
constexpr std::uint32_t DRIVE_RAMDISK = 6;

// The drive type of the mount that holds sPath (a folder or a file); DRIVE_NO_ROOT_DIR when the
// path is empty or does not exist.
std::uint32_t GetDriveTypeA(const QString &sPath);

// The drive type of a mount with this file system type (as /proc/self/mountinfo names it: "ext4",
// "nfs4", "fuse.sshfs" ...) and this device ("/dev/sdb1", "server:/export", "//host/share" ...).
std::uint32_t DriveTypeOfMount(const QString &sFileSystemType, const QString &sDevice);

// Makes the removable flags come from another folder laid out like /sys (a test's fake one); an
// empty text restores /sys.
QString SetSysfsRootForTests(const QString &sFolder);
