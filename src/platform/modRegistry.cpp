#include "platform/modRegistry.h"

#include "common/modFunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <cstring>
#include <functional>
#include <map>
#include <memory>

namespace {
const QString kStoreFolder = QStringLiteral("/clipwright/registry");
const QString kIniSuffix = QStringLiteral(".ini");

// Inside a root key's file every key is a QSettings group named after its escaped name. Its
// entries are "@" + the escaped name of each value ("@" alone is the unnamed value) and a marker
// that lets a key exist without values. Escaped names hold no "@" and no "%" that is not followed
// by two hex digits, so values, the marker and sub-keys can never be taken for one another.
const QString kValuePrefix = QStringLiteral("@");
const QString kKeyMarker = QStringLiteral("%key");

// A value's data in the file: "sz:<size>:<text>" for a terminated text, otherwise
// "hex(<type>):<size>:<hex digits>". The size in bytes tells a line cut short from a whole one.
const QString kTextPrefix = QStringLiteral("sz:");
const QString kHexPrefix = QStringLiteral("hex(");
const QString kHexTypeEnd = QStringLiteral("):");

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

// QSettings takes "/" and "\" in a name as group separators: they, the escape character itself
// and "@" are written as "%" and two hex digits.
QString EscapeName(const QString &sName)
{
    QString sEscaped;
    sEscaped.reserve(sName.size());
    for (const QChar c : sName) {
        switch (c.unicode()) {
        case '%': sEscaped += QLatin1String("%25"); break;
        case '/': sEscaped += QLatin1String("%2F"); break;
        case '\\': sEscaped += QLatin1String("%5C"); break;
        case '@': sEscaped += QLatin1String("%40"); break;
        default: sEscaped += c;
        }
    }
    return sEscaped;
}

// The reverse of EscapeName; anything else (a hand-edited file) is taken as it stands.
QString UnescapeName(const QString &sEscaped)
{
    QString sName;
    sName.reserve(sEscaped.size());
    for (int i = 0; i < sEscaped.size(); ++i) {
        if (sEscaped[i] == QLatin1Char('%') && i + 2 < sEscaped.size()) {
            bool bOk = false;
            const uint iCode = sEscaped.mid(i + 1, 2).toUInt(&bOk, 16);
            if (bOk && (iCode == '%' || iCode == '/' || iCode == '\\' || iCode == '@')) {
                sName += QChar(iCode);
                i += 2;
                continue;
            }
        }
        sName += sEscaped[i];
    }
    return sName;
}

QString Join(const QString &sGroup, const QString &sChild)
{
    return sGroup.isEmpty() ? sChild : sGroup + QLatin1Char('/') + sChild;
}

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

QString EncodeData(std::uint32_t dwType, const QByteArray &data)
{
    if (dwType == REG_SZ && data.endsWith('\0')) {
        const QByteArray text = data.left(data.size() - 1);
        const QString sText = FromSystemText(text);
        if (!text.contains('\0') && ToSystemText(sText) == text)
            return kTextPrefix + QString::number(data.size()) + QLatin1Char(':') + sText;
    }
    return kHexPrefix + QString::number(dwType) + kHexTypeEnd + QString::number(data.size()) +
           QLatin1Char(':') + QString::fromLatin1(data.toHex());
}

bool IsHexDigits(const QString &sText)
{
    for (const QChar c : sText) {
        if (!c.isDigit() && !(c >= QLatin1Char('a') && c <= QLatin1Char('f')) &&
            !(c >= QLatin1Char('A') && c <= QLatin1Char('F')))
            return false;
    }
    return true;
}

// Reads what EncodeData wrote; false for anything damaged or cut short.
bool DecodeData(const QVariant &value, std::uint32_t &dwType, QByteArray &data)
{
    if (value.typeId() != QMetaType::QString)
        return false;
    const QString sStored = value.toString();
    bool bOk = false;
    if (sStored.startsWith(kTextPrefix)) {
        const int iColon = sStored.indexOf(QLatin1Char(':'), kTextPrefix.size());
        if (iColon < 0)
            return false;
        const uint iSize = sStored.mid(kTextPrefix.size(), iColon - kTextPrefix.size()).toUInt(&bOk);
        QByteArray bytes = ToSystemText(sStored.mid(iColon + 1));
        bytes.append('\0');
        if (!bOk || static_cast<uint>(bytes.size()) != iSize)
            return false;
        dwType = REG_SZ;
        data = bytes;
        return true;
    }
    if (sStored.startsWith(kHexPrefix)) {
        const int iTypeEnd = sStored.indexOf(kHexTypeEnd, kHexPrefix.size());
        if (iTypeEnd < 0)
            return false;
        const uint iType = sStored.mid(kHexPrefix.size(), iTypeEnd - kHexPrefix.size()).toUInt(&bOk);
        if (!bOk)
            return false;
        const int iSizeStart = iTypeEnd + kHexTypeEnd.size();
        const int iColon = sStored.indexOf(QLatin1Char(':'), iSizeStart);
        if (iColon < 0)
            return false;
        const uint iSize = sStored.mid(iSizeStart, iColon - iSizeStart).toUInt(&bOk);
        const QString sHex = sStored.mid(iColon + 1);
        if (!bOk || static_cast<qint64>(sHex.size()) != 2 * static_cast<qint64>(iSize) ||
            !IsHexDigits(sHex))
            return false;
        dwType = iType;
        data = QByteArray::fromHex(sHex.toLatin1());
        return true;
    }
    return false;
}

bool OwnerMayWrite(const QFileInfo &info)
{
    return info.isWritable() && info.permission(QFileDevice::WriteOwner);
}

// One root key's file, read once for one call. Changes go through a second QSettings on the same
// file: QSettings keeps the first error it met, so a damaged file's format error would otherwise
// hide whether the write succeeded.
class Store {
public:
    explicit Store(HKEY hRoot) : m_sFile(RegistryFile(hRoot))
    {
        if (m_sFile.isEmpty())
            return;
        m_reader = std::make_unique<QSettings>(m_sFile, QSettings::IniFormat);
        m_reader->allKeys(); // parses every section now, before any writer exists
    }

    bool Readable() const
    {
        if (!m_reader)
            return false;
        const QFileInfo info(m_sFile);
        return !info.exists() || info.isReadable();
    }

    bool Writable() const
    {
        if (!m_reader)
            return false;
        const QFileInfo info(m_sFile);
        if (info.exists() && (!info.isFile() || !OwnerMayWrite(info)))
            return false;
        QString sFolder = info.absolutePath();
        while (!QFileInfo::exists(sFolder)) {
            const QString sParent = QFileInfo(sFolder).absolutePath();
            if (sParent == sFolder)
                return false;
            sFolder = sParent;
        }
        const QFileInfo folder(sFolder);
        return folder.isDir() && OwnerMayWrite(folder);
    }

    // The groups of the leading names that exist, in order.
    QStringList Resolve(const QStringList &lsNames) const
    {
        QStringList lsGroups;
        QString sGroup;
        for (const QString &sName : lsNames) {
            const QString sChild = Match(Children(sGroup, true), QString(), sName);
            if (sChild.isEmpty())
                break;
            sGroup = Join(sGroup, sChild);
            lsGroups.append(sGroup);
        }
        return lsGroups;
    }

    bool FindKey(const QStringList &lsNames, QString &sGroup) const
    {
        const QStringList lsGroups = Resolve(lsNames);
        if (lsGroups.size() != lsNames.size())
            return false;
        sGroup = lsGroups.isEmpty() ? QString() : lsGroups.last();
        return true;
    }

    // The names of a found key as the file spells them.
    static QStringList Spelling(const QStringList &lsGroups)
    {
        QStringList lsNames;
        for (const QString &sGroup : lsGroups)
            lsNames.append(UnescapeName(sGroup.mid(sGroup.lastIndexOf(QLatin1Char('/')) + 1)));
        return lsNames;
    }

    bool HasSubKeys(const QString &sGroup) const { return !Children(sGroup, true).isEmpty(); }
    bool HasMarker(const QString &sGroup) const
    {
        return Children(sGroup, false).contains(kKeyMarker);
    }

    // The entry of a value of the key, empty when there is none.
    QString FindValue(const QString &sGroup, const QString &sName) const
    {
        const QString sEntry = Match(Children(sGroup, false), kValuePrefix, sName);
        return sEntry.isEmpty() ? QString() : Join(sGroup, sEntry);
    }

    QVariant Read(const QString &sEntry) const { return m_reader->value(sEntry); }

    std::int32_t Write(const std::function<void(QSettings &)> &change) const
    {
        if (!QDir().mkpath(QFileInfo(m_sFile).absolutePath()))
            return ERROR_ACCESS_DENIED;
        QSettings writer(m_sFile, QSettings::IniFormat);
        change(writer);
        writer.sync();
        return writer.status() == QSettings::NoError ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
    }

private:
    QStringList Children(const QString &sGroup, bool bGroups) const
    {
        m_reader->beginGroup(sGroup);
        const QStringList lsChildren = bGroups ? m_reader->childGroups() : m_reader->childKeys();
        m_reader->endGroup();
        return lsChildren;
    }

    // The entry among lsEntries (those that begin with sPrefix) that names sName: the same
    // spelling first, else one that differs only in case.
    static QString Match(const QStringList &lsEntries, const QString &sPrefix, const QString &sName)
    {
        QString sFolded;
        for (const QString &sEntry : lsEntries) {
            if (!sEntry.startsWith(sPrefix))
                continue;
            const QString sEntryName = UnescapeName(sEntry.mid(sPrefix.size()));
            if (sEntryName == sName)
                return sEntry;
            if (sFolded.isEmpty() && sEntryName.compare(sName, Qt::CaseInsensitive) == 0)
                sFolded = sEntry;
        }
        return sFolded;
    }

    QString m_sFile;
    std::unique_ptr<QSettings> m_reader;
};

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
// The group of an open key in its store: access denied when the store cannot be read, and
// "key deleted" when the key went away after it was opened.
std::int32_t ReachKey(const Store &store, const OpenKey &key, QString &sGroup)
{
    if (!store.Readable())
        return ERROR_ACCESS_DENIED;
    if (!store.FindKey(key.lsNames, sGroup))
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
    OpenKey parent;
    if (!Lookup(hKey, parent))
        return ERROR_INVALID_HANDLE;
    QStringList lsNames;
    if (!SplitPath(lpSubKey, lsNames))
        return ERROR_BAD_PATHNAME;

    const Store store(parent.hRoot);
    QString sGroup;
    if (const std::int32_t lResult = ReachKey(store, parent, sGroup); lResult != ERROR_SUCCESS)
        return lResult;
    const QStringList lsGroups = store.Resolve(parent.lsNames + lsNames);
    if (lsGroups.size() != parent.lsNames.size() + lsNames.size())
        return ERROR_FILE_NOT_FOUND;
    if ((samDesired & kWriteRights) != 0 && !store.Writable())
        return ERROR_ACCESS_DENIED;
    *phkResult = NewHandle(OpenKey{parent.hRoot, Store::Spelling(lsGroups), samDesired});
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
    OpenKey parent;
    if (!Lookup(hKey, parent))
        return ERROR_INVALID_HANDLE;
    QStringList lsNames;
    if (!SplitPath(lpSubKey, lsNames))
        return ERROR_BAD_PATHNAME;

    const Store store(parent.hRoot);
    QString sGroup;
    if (const std::int32_t lResult = ReachKey(store, parent, sGroup); lResult != ERROR_SUCCESS)
        return lResult;
    const QStringList lsFull = parent.lsNames + lsNames;
    const QStringList lsGroups = store.Resolve(lsFull);
    const bool bCreate = lsGroups.size() < lsFull.size();
    if (((samDesired & kWriteRights) != 0 || bCreate) && !store.Writable())
        return ERROR_ACCESS_DENIED;

    QStringList lsSpelling = Store::Spelling(lsGroups);
    if (bCreate) {
        if ((parent.samAccess & KEY_CREATE_SUB_KEY) == 0)
            return ERROR_ACCESS_DENIED;
        QString sNew = lsGroups.isEmpty() ? QString() : lsGroups.last();
        QStringList lsMarkers;
        for (int i = lsGroups.size(); i < lsFull.size(); ++i) {
            sNew = Join(sNew, EscapeName(lsFull[i]));
            lsMarkers.append(Join(sNew, kKeyMarker));
            lsSpelling.append(lsFull[i]);
        }
        const std::int32_t lResult = store.Write([&lsMarkers](QSettings &writer) {
            for (const QString &sMarker : lsMarkers)
                writer.setValue(sMarker, QString());
        });
        if (lResult != ERROR_SUCCESS)
            return lResult;
    }
    if (lpdwDisposition)
        *lpdwDisposition = bCreate ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *phkResult = NewHandle(OpenKey{parent.hRoot, lsSpelling, samDesired});
    return ERROR_SUCCESS;
}

std::int32_t RegQueryValueExA(HKEY hKey, const char *lpValueName, std::uint32_t *lpReserved,
                              std::uint32_t *lpType, unsigned char *lpData,
                              std::uint32_t *lpcbData)
{
    if (lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    QMutexLocker locker(&TheRegistry().mutex);
    OpenKey key;
    if (!Lookup(hKey, key))
        return ERROR_INVALID_HANDLE;
    if ((key.samAccess & KEY_QUERY_VALUE) == 0)
        return ERROR_ACCESS_DENIED;

    const Store store(key.hRoot);
    QString sGroup;
    if (const std::int32_t lResult = ReachKey(store, key, sGroup); lResult != ERROR_SUCCESS)
        return lResult;
    const QString sEntry = store.FindValue(sGroup, ValueName(lpValueName));
    std::uint32_t dwType = REG_NONE;
    QByteArray data;
    // A damaged entry is as good as none.
    if (sEntry.isEmpty() || !DecodeData(store.Read(sEntry), dwType, data))
        return ERROR_FILE_NOT_FOUND;

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
    OpenKey key;
    if (!Lookup(hKey, key))
        return ERROR_INVALID_HANDLE;
    if ((key.samAccess & KEY_SET_VALUE) == 0)
        return ERROR_ACCESS_DENIED;

    const Store store(key.hRoot);
    QString sGroup;
    if (const std::int32_t lResult = ReachKey(store, key, sGroup); lResult != ERROR_SUCCESS)
        return lResult;
    if (!store.Writable())
        return ERROR_ACCESS_DENIED;

    const QString sName = ValueName(lpValueName);
    QString sEntry = store.FindValue(sGroup, sName);
    if (sEntry.isEmpty())
        sEntry = Join(sGroup, kValuePrefix + EscapeName(sName));
    const QString sData = EncodeData(
        dwType, QByteArray(reinterpret_cast<const char *>(lpData), static_cast<int>(cbData)));
    const QVariant stored = store.Read(sEntry);
    if (stored.typeId() == QMetaType::QString && stored.toString() == sData)
        return ERROR_SUCCESS; // unchanged: no need to write the file again
    return store.Write([&](QSettings &writer) { writer.setValue(sEntry, sData); });
}

std::int32_t RegDeleteValueA(HKEY hKey, const char *lpValueName)
{
    QMutexLocker locker(&TheRegistry().mutex);
    OpenKey key;
    if (!Lookup(hKey, key))
        return ERROR_INVALID_HANDLE;
    if ((key.samAccess & KEY_SET_VALUE) == 0)
        return ERROR_ACCESS_DENIED;

    const Store store(key.hRoot);
    QString sGroup;
    if (const std::int32_t lResult = ReachKey(store, key, sGroup); lResult != ERROR_SUCCESS)
        return lResult;
    const QString sEntry = store.FindValue(sGroup, ValueName(lpValueName));
    if (sEntry.isEmpty())
        return ERROR_FILE_NOT_FOUND;
    if (!store.Writable())
        return ERROR_ACCESS_DENIED;
    // A key written by hand may lack its marker; it must outlive its last value.
    const bool bAddMarker = !sGroup.isEmpty() && !store.HasMarker(sGroup);
    return store.Write([&](QSettings &writer) {
        writer.remove(sEntry);
        if (bAddMarker)
            writer.setValue(Join(sGroup, kKeyMarker), QString());
    });
}

std::int32_t RegDeleteKeyA(HKEY hKey, const char *lpSubKey)
{
    QMutexLocker locker(&TheRegistry().mutex);
    OpenKey parent;
    if (!Lookup(hKey, parent))
        return ERROR_INVALID_HANDLE;
    QStringList lsNames;
    if (!SplitPath(lpSubKey, lsNames))
        return ERROR_BAD_PATHNAME;
    const QStringList lsTarget = parent.lsNames + lsNames;
    if (lsTarget.isEmpty())
        return ERROR_ACCESS_DENIED; // a root key cannot be deleted

    const Store store(parent.hRoot);
    QString sGroup;
    if (const std::int32_t lResult = ReachKey(store, parent, sGroup); lResult != ERROR_SUCCESS)
        return lResult;
    if (!store.FindKey(lsTarget, sGroup))
        return ERROR_FILE_NOT_FOUND;
    if (store.HasSubKeys(sGroup) || !store.Writable())
        return ERROR_ACCESS_DENIED;
    return store.Write([&sGroup](QSettings &writer) { writer.remove(sGroup); });
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

void SetRegistryFolderForTests(const QString &sFolder)
{
    FolderOverride() = sFolder.isEmpty() ? QString() : QDir::cleanPath(sFolder);
}
