#include "platform/modRegistry.h"

#include "common/modFunctions.h"
#include "platform/RegistryStore.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>
#include <QStringList>
#include <cstring>
#include <map>
#include <optional>
#include <utility>

namespace {
const QString kStoreFolder = QStringLiteral("/clipwright/registry");
const QString kIniSuffix = QStringLiteral(".ini");

constexpr REGSAM kDelete = 0x00010000;
constexpr REGSAM kWriteDac = 0x00040000;
constexpr REGSAM kWriteOwner = 0x00080000;
constexpr REGSAM kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | kDelete | kWriteDac | kWriteOwner;

// Handles that the calls give out stay below the predefined keys.
constexpr HKEY kFirstHandle = 0x100;
constexpr HKEY kLastHandle = 0x7FFFFFFF;

struct OpenKey {
    HKEY hRoot = 0;
    QStringList lsNames; // the key's path below its root, in the case found in the file
    REGSAM samAccess = 0;
};

struct Registry {
    QMutex mutex;
    std::map<HKEY, OpenKey> handles;
    HKEY hNext = kFirstHandle;
};

Registry &TheRegistry()
{
    static Registry registry;
    return registry;
}

QString &FolderOverride()
{
    static QString sFolder;
    return sFolder;
}

QString RootName(HKEY hKey)
{
    switch (hKey) {
    case HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case HKEY_USERS: return QStringLiteral("HKEY_USERS");
    case HKEY_CURRENT_CONFIG: return QStringLiteral("HKEY_CURRENT_CONFIG");
    default: return QString();
    }
}

bool IsRoot(HKEY hKey) { return !RootName(hKey).isEmpty(); }

QString ValueName(const char *lpValueName)
{
    return lpValueName ? FromSystemText(QByteArray(lpValueName)) : QString();
}

// A sub-key path as names; false when one of them is empty.
bool SplitPath(const char *lpSubKey, QStringList &lsNames)
{
    lsNames.clear();
    if (!lpSubKey || !*lpSubKey)
        return true;
    lsNames = FromSystemText(QByteArray(lpSubKey)).split(QLatin1Char('\\'));
    for (const QString &sName : lsNames) {
        if (sName.isEmpty())
            return false;
    }
    return true;
}

bool Lookup(HKEY hKey, OpenKey &key)
{
    if (IsRoot(hKey)) {
        key = OpenKey{hKey, QStringList(), KEY_ALL_ACCESS};
        return true;
    }
    const auto it = TheRegistry().handles.find(hKey);
    if (it == TheRegistry().handles.end())
        return false;
    key = it->second;
    return true;
}

bool IsHandle(HKEY hKey)
{
    return IsRoot(hKey) || TheRegistry().handles.count(hKey) != 0;
}

HKEY NewHandle(const OpenKey &key)
{
    Registry &registry = TheRegistry();
    while (registry.handles.count(registry.hNext) != 0 || registry.hNext < kFirstHandle ||
           registry.hNext > kLastHandle) {
        registry.hNext = registry.hNext >= kLastHandle ? kFirstHandle : registry.hNext + 1;
    }
    const HKEY hKey = registry.hNext++;
    registry.handles[hKey] = key;
    return hKey;
}
// What every call on an open key does first: the handle looked up, the access the call needs
// checked, the root key's file read, and the key's group found in it ("key deleted" when it went
// away after it was opened, access denied when the store cannot be read).
struct KeyCall {
    OpenKey key;
    std::optional<RegistryStore> store;
    QString sGroup;
};

std::int32_t BeginCall(HKEY hKey, REGSAM samNeeded, KeyCall &call)
{
    if (!Lookup(hKey, call.key))
        return ERROR_INVALID_HANDLE;
    if ((call.key.samAccess & samNeeded) != samNeeded)
        return ERROR_ACCESS_DENIED;
    call.store.emplace(call.key.hRoot);
    if (!call.store->Readable())
        return ERROR_ACCESS_DENIED;
    if (!call.store->FindKey(call.key.lsNames, call.sGroup))
        return ERROR_KEY_DELETED;
    return ERROR_SUCCESS;
}
} // namespace

std::int32_t RegOpenKeyExA(HKEY hKey, const char *lpSubKey, std::uint32_t /*ulOptions*/,
                           REGSAM samDesired, HKEY *phkResult)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = 0;
    QMutexLocker locker(&TheRegistry().mutex);
    QStringList lsNames;
    if (IsHandle(hKey) && !SplitPath(lpSubKey, lsNames))
        return ERROR_BAD_PATHNAME;
    KeyCall call;
    if (const std::int32_t lResult = BeginCall(hKey, 0, call); lResult != ERROR_SUCCESS)
        return lResult;
    const QStringList lsGroups = call.store->Resolve(call.key.lsNames + lsNames);
    if (lsGroups.size() != call.key.lsNames.size() + lsNames.size())
        return ERROR_FILE_NOT_FOUND;
    if ((samDesired & kWriteRights) != 0 && !call.store->Writable())
        return ERROR_ACCESS_DENIED;
    *phkResult = NewHandle(OpenKey{call.key.hRoot, RegistryStore::Spelling(lsGroups), samDesired});
    return ERROR_SUCCESS;
}

std::int32_t RegCreateKeyExA(HKEY hKey, const char *lpSubKey, std::uint32_t /*Reserved*/,
                             const char * /*lpClass*/, std::uint32_t dwOptions, REGSAM samDesired,
                             const void * /*lpSecurityAttributes*/, HKEY *phkResult,
                             std::uint32_t *lpdwDisposition)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = 0;
    if ((dwOptions & REG_OPTION_VOLATILE) != 0)
        return ERROR_INVALID_PARAMETER;
    QMutexLocker locker(&TheRegistry().mutex);
    QStringList lsNames;
    if (IsHandle(hKey) && !SplitPath(lpSubKey, lsNames))
        return ERROR_BAD_PATHNAME;
    KeyCall call;
    if (const std::int32_t lResult = BeginCall(hKey, 0, call); lResult != ERROR_SUCCESS)
        return lResult;
    const QStringList lsFull = call.key.lsNames + lsNames;
    const QStringList lsGroups = call.store->Resolve(lsFull);
    const bool bCreate = lsGroups.size() < lsFull.size();
    if (((samDesired & kWriteRights) != 0 || bCreate) && !call.store->Writable())
        return ERROR_ACCESS_DENIED;

    QStringList lsSpelling = RegistryStore::Spelling(lsGroups);
    if (bCreate) {
        if ((call.key.samAccess & KEY_CREATE_SUB_KEY) == 0)
            return ERROR_ACCESS_DENIED;
        if (const std::int32_t lResult = call.store->CreateKeys(lsGroups, lsFull);
            lResult != ERROR_SUCCESS)
            return lResult;
        lsSpelling += lsFull.mid(lsGroups.size());
    }
    if (lpdwDisposition)
        *lpdwDisposition = bCreate ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *phkResult = NewHandle(OpenKey{call.key.hRoot, lsSpelling, samDesired});
    return ERROR_SUCCESS;
}

std::int32_t RegQueryValueExA(HKEY hKey, const char *lpValueName, std::uint32_t *lpReserved,
                              std::uint32_t *lpType, unsigned char *lpData,
                              std::uint32_t *lpcbData)
{
    if (lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    QMutexLocker locker(&TheRegistry().mutex);
    KeyCall call;
    if (const std::int32_t lResult = BeginCall(hKey, KEY_QUERY_VALUE, call);
        lResult != ERROR_SUCCESS)
        return lResult;
    std::uint32_t dwType = REG_NONE;
    QByteArray data;
    if (const std::int32_t lResult =
            call.store->ReadValue(call.sGroup, ValueName(lpValueName), dwType, data);
        lResult != ERROR_SUCCESS)
        return lResult;

    if (lpType)
        *lpType = dwType;
    if (!lpcbData)
        return ERROR_SUCCESS;
    const auto iSize = static_cast<std::uint32_t>(data.size());
    if (lpData) {
        if (*lpcbData < iSize) {
            *lpcbData = iSize;
            return ERROR_MORE_DATA;
        }
        if (iSize > 0)
            std::memcpy(lpData, data.constData(), iSize);
    }
    *lpcbData = iSize;
    return ERROR_SUCCESS;
}

std::int32_t RegSetValueExA(HKEY hKey, const char *lpValueName, std::uint32_t /*Reserved*/,
                            std::uint32_t dwType, const unsigned char *lpData,
                            std::uint32_t cbData)
{
    if (!lpData && cbData != 0)
        return ERROR_INVALID_PARAMETER;
    QMutexLocker locker(&TheRegistry().mutex);
    KeyCall call;
    if (const std::int32_t lResult = BeginCall(hKey, KEY_SET_VALUE, call);
        lResult != ERROR_SUCCESS)
        return lResult;
    if (!call.store->Writable())
        return ERROR_ACCESS_DENIED;
    return call.store->WriteValue(
        call.sGroup, ValueName(lpValueName), dwType,
        QByteArray(reinterpret_cast<const char *>(lpData), static_cast<int>(cbData)));
}

std::int32_t RegDeleteValueA(HKEY hKey, const char *lpValueName)
{
    QMutexLocker locker(&TheRegistry().mutex);
    KeyCall call;
    if (const std::int32_t lResult = BeginCall(hKey, KEY_SET_VALUE, call);
        lResult != ERROR_SUCCESS)
        return lResult;
    return call.store->DeleteValue(call.sGroup, ValueName(lpValueName));
}

std::int32_t RegDeleteKeyA(HKEY hKey, const char *lpSubKey)
{
    QMutexLocker locker(&TheRegistry().mutex);
    QStringList lsNames;
    if (IsHandle(hKey) && !SplitPath(lpSubKey, lsNames))
        return ERROR_BAD_PATHNAME;
    KeyCall call;
    if (const std::int32_t lResult = BeginCall(hKey, 0, call); lResult != ERROR_SUCCESS)
        return lResult;
    const QStringList lsTarget = call.key.lsNames + lsNames;
    if (lsTarget.isEmpty())
        return ERROR_ACCESS_DENIED; // a root key cannot be deleted
    QString sGroup;
    if (!call.store->FindKey(lsTarget, sGroup))
        return ERROR_FILE_NOT_FOUND;
    return call.store->DeleteKey(sGroup);
}

std::int32_t RegCloseKey(HKEY hKey)
{
    if (IsRoot(hKey))
        return ERROR_SUCCESS;
    QMutexLocker locker(&TheRegistry().mutex);
    return TheRegistry().handles.erase(hKey) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

QString RegistryFolder()
{
    if (!FolderOverride().isEmpty())
        return FolderOverride();
    const QString sConfig = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return sConfig.isEmpty() ? QString() : sConfig + kStoreFolder;
}

QString RegistryFile(HKEY hRoot)
{
    const QString sFolder = RegistryFolder();
    const QString sRoot = RootName(hRoot);
    if (sFolder.isEmpty() || sRoot.isEmpty())
        return QString();
    return sFolder + QLatin1Char('/') + sRoot + kIniSuffix;
}

QString SetRegistryFolderForTests(const QString &sFolder)
{
    return std::exchange(FolderOverride(), sFolder.isEmpty() ? QString() : QDir::cleanPath(sFolder));
}
