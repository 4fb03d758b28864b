#include "platform/RegistryStore.h"

#include "common/modFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QSettings>
#include <map>

namespace {
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

// The entry among lsEntries (those that begin with sPrefix) that names sName: the same spelling
// first, else one that differs only in case.
QString Match(const QStringList &lsEntries, const QString &sPrefix, const QString &sName)
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

// The calls made while a batch is open read through its reader and change through its writer.
// Both are made when the batch opens: a QSettings made later would write the pending changes of
// the others on the same file as it starts.
struct Batch {
    int iDepth = 0;
    std::unique_ptr<QSettings> reader;
    std::unique_ptr<QSettings> writer;
};

struct Batches {
    QMutex mutex;
    std::map<HKEY, Batch> open;
};

Batches &TheBatches()
{
    static Batches batches;
    return batches;
}

// Our settings take a few kilobytes. A store file far beyond that was padded by hand or by a
// broken tool, and QSettings parses the whole of it for every registry call: tens of calls at
// start and at close froze the window for up to a minute.
constexpr qint64 kMaxStoreBytes = 1024 * 1024;
const QString kDamagedSuffix = QStringLiteral(".damaged");

// Moves an oversized store file aside, under a name no other set-aside file has, so the store
// starts anew from the defaults and the old file is kept for whoever wants to look at it. False
// when the file stays where it is (it may not be moved): it is then neither read nor written.
bool SetAsideOversizedStore(const QString &sFile)
{
    const QFileInfo info(sFile);
    if (!info.isFile() || info.size() <= kMaxStoreBytes)
        return true;
    QString sAside = sFile + kDamagedSuffix;
    for (int i = 1; QFileInfo(sAside).exists() || QFileInfo(sAside).isSymLink(); ++i)
        sAside = sFile + kDamagedSuffix + QLatin1Char('.') + QString::number(i);
    if (!QFile::rename(sFile, sAside)) {
        qWarning("Settings store %s is too large to be ours; it could not be set aside and is not used",
                 qUtf8Printable(sFile));
        return false;
    }
    qWarning("Settings store %s was too large to be ours; it is kept as %s and the defaults are used",
             qUtf8Printable(sFile), qUtf8Printable(sAside));
    return true;
}
} // namespace

RegistryStore::RegistryStore(HKEY hRoot) : m_hRoot(hRoot), m_sFile(RegistryFile(hRoot))
{
    if (m_sFile.isEmpty())
        return;
    {
        QMutexLocker locker(&TheBatches().mutex);
        const auto it = TheBatches().open.find(m_hRoot);
        if (it != TheBatches().open.end()) {
            m_reader = it->second.reader.get();
            m_writer = it->second.writer.get();
            return;
        }
    }
    if (!SetAsideOversizedStore(m_sFile))
        return; // no reader: the store is neither readable nor writable
    m_ownReader = std::make_unique<QSettings>(m_sFile, QSettings::IniFormat);
    m_ownReader->allKeys(); // parses every section now, before any writer exists
    m_reader = m_ownReader.get();
}

RegistryStore::~RegistryStore() = default;
RegistryStore::RegistryStore(RegistryStore &&) noexcept = default;
RegistryStore &RegistryStore::operator=(RegistryStore &&) noexcept = default;

bool RegistryStore::Readable() const
{
    if (!m_reader)
        return false;
    const QFileInfo info(m_sFile);
    return !info.exists() || info.isReadable();
}

bool RegistryStore::Writable() const
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

QStringList RegistryStore::Resolve(const QStringList &lsNames) const
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

bool RegistryStore::FindKey(const QStringList &lsNames, QString &sGroup) const
{
    const QStringList lsGroups = Resolve(lsNames);
    if (lsGroups.size() != lsNames.size())
        return false;
    sGroup = lsGroups.isEmpty() ? QString() : lsGroups.last();
    return true;
}

QStringList RegistryStore::Spelling(const QStringList &lsGroups)
{
    QStringList lsNames;
    for (const QString &sGroup : lsGroups)
        lsNames.append(UnescapeName(sGroup.mid(sGroup.lastIndexOf(QLatin1Char('/')) + 1)));
    return lsNames;
}

bool RegistryStore::HasSubKeys(const QString &sGroup) const
{
    return !Children(sGroup, true).isEmpty();
}

std::int32_t RegistryStore::CreateKeys(const QStringList &lsGroups, const QStringList &lsFull) const
{
    QString sNew = lsGroups.isEmpty() ? QString() : lsGroups.last();
    QStringList lsMarkers;
    for (int i = lsGroups.size(); i < lsFull.size(); ++i) {
        sNew = Join(sNew, EscapeName(lsFull[i]));
        lsMarkers.append(Join(sNew, kKeyMarker));
    }
    return Write([&lsMarkers](QSettings &writer) {
        for (const QString &sMarker : lsMarkers)
            writer.setValue(sMarker, QString());
    });
}

std::int32_t RegistryStore::ReadValue(const QString &sGroup, const QString &sName,
                                      std::uint32_t &dwType, QByteArray &data) const
{
    const QString sEntry = FindValue(sGroup, sName);
    // A damaged entry is as good as none.
    if (sEntry.isEmpty() || !DecodeData(m_reader->value(sEntry), dwType, data))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_SUCCESS;
}

std::int32_t RegistryStore::WriteValue(const QString &sGroup, const QString &sName,
                                       std::uint32_t dwType, const QByteArray &data) const
{
    QString sEntry = FindValue(sGroup, sName);
    if (sEntry.isEmpty())
        sEntry = Join(sGroup, kValuePrefix + EscapeName(sName));
    const QString sData = EncodeData(dwType, data);
    const QVariant stored = m_reader->value(sEntry);
    if (stored.typeId() == QMetaType::QString && stored.toString() == sData)
        return ERROR_SUCCESS; // unchanged: no need to write the file again
    return Write([&](QSettings &writer) { writer.setValue(sEntry, sData); });
}

std::int32_t RegistryStore::DeleteValue(const QString &sGroup, const QString &sName) const
{
    const QString sEntry = FindValue(sGroup, sName);
    if (sEntry.isEmpty())
        return ERROR_FILE_NOT_FOUND;
    if (!Writable())
        return ERROR_ACCESS_DENIED;
    // A key written by hand may lack its marker; it must outlive its last value.
    const bool bAddMarker = !sGroup.isEmpty() && !Children(sGroup, false).contains(kKeyMarker);
    return Write([&](QSettings &writer) {
        writer.remove(sEntry);
        if (bAddMarker)
            writer.setValue(Join(sGroup, kKeyMarker), QString());
    });
}

std::int32_t RegistryStore::DeleteKey(const QString &sGroup) const
{
    if (HasSubKeys(sGroup) || !Writable())
        return ERROR_ACCESS_DENIED;
    return Write([&sGroup](QSettings &writer) { writer.remove(sGroup); });
}

QStringList RegistryStore::Children(const QString &sGroup, bool bGroups) const
{
    m_reader->beginGroup(sGroup);
    const QStringList lsChildren = bGroups ? m_reader->childGroups() : m_reader->childKeys();
    m_reader->endGroup();
    return lsChildren;
}

QString RegistryStore::FindValue(const QString &sGroup, const QString &sName) const
{
    const QString sEntry = Match(Children(sGroup, false), kValuePrefix, sName);
    return sEntry.isEmpty() ? QString() : Join(sGroup, sEntry);
}

std::int32_t RegistryStore::Write(const std::function<void(QSettings &)> &change) const
{
    if (!QDir().mkpath(QFileInfo(m_sFile).absolutePath()))
        return ERROR_ACCESS_DENIED;
    if (m_writer) {
        change(*m_writer); // written when the batch ends
        return ERROR_SUCCESS;
    }
    QSettings writer(m_sFile, QSettings::IniFormat);
    change(writer);
    writer.sync();
    return writer.status() == QSettings::NoError ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

void RegistryStore::OpenBatch(HKEY hRoot)
{
    QMutexLocker locker(&TheBatches().mutex);
    Batch &batch = TheBatches().open[hRoot];
    if (batch.iDepth++ > 0)
        return;
    const QString sFile = RegistryFile(hRoot);
    if (sFile.isEmpty() || !SetAsideOversizedStore(sFile))
        return;
    batch.reader = std::make_unique<QSettings>(sFile, QSettings::IniFormat);
    batch.reader->allKeys();
    batch.writer = std::make_unique<QSettings>(sFile, QSettings::IniFormat);
}

std::int32_t RegistryStore::CloseBatch(HKEY hRoot)
{
    Batch batch;
    {
        QMutexLocker locker(&TheBatches().mutex);
        const auto it = TheBatches().open.find(hRoot);
        if (it == TheBatches().open.end() || --it->second.iDepth > 0)
            return ERROR_SUCCESS;
        batch = std::move(it->second);
        TheBatches().open.erase(it);
    }
    std::unique_ptr<QSettings> &writer = batch.writer;
    if (!writer)
        return ERROR_SUCCESS;
    writer->sync();
    return writer->status() == QSettings::NoError ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}
