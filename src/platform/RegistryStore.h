#pragma once

#include "platform/modRegistry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>

class QSettings;

// One root key's file as the registry calls see it, read once for one call: keys are groups named
// after their escaped names, values are entries that carry their type and size. The answers are
// the registry's result codes, so the call layer only passes them on.
//
// Changes go through a second QSettings on the same file: QSettings keeps the first error it met,
// so a damaged file's format error would otherwise hide whether the write succeeded. While a
// RegistryWriteBatch is open for the root, changes stay in memory (the calls meanwhile read
// through the batch) and the file is written once when the batch ends.
class RegistryStore {
public:
    explicit RegistryStore(HKEY hRoot);
    ~RegistryStore();
    RegistryStore(RegistryStore &&) noexcept;
    RegistryStore &operator=(RegistryStore &&) noexcept;

    bool Readable() const;
    bool Writable() const;

    // The groups of the leading names that exist, in order.
    QStringList Resolve(const QStringList &lsNames) const;
    // The group of a key that exists in full; false when any name of its path is missing.
    bool FindKey(const QStringList &lsNames, QString &sGroup) const;
    // The names of found groups as the file spells them.
    static QStringList Spelling(const QStringList &lsGroups);
    bool HasSubKeys(const QString &sGroup) const;

    // Makes the keys lsFull[lsGroups.size()...] below the last of lsGroups (the found part).
    std::int32_t CreateKeys(const QStringList &lsGroups, const QStringList &lsFull) const;
    // ERROR_FILE_NOT_FOUND for a missing value and for one whose entry is damaged.
    std::int32_t ReadValue(const QString &sGroup, const QString &sName, std::uint32_t &dwType,
                           QByteArray &data) const;
    std::int32_t WriteValue(const QString &sGroup, const QString &sName, std::uint32_t dwType,
                            const QByteArray &data) const;
    std::int32_t DeleteValue(const QString &sGroup, const QString &sName) const;
    // The key and its values; ERROR_ACCESS_DENIED while it has sub-keys.
    std::int32_t DeleteKey(const QString &sGroup) const;

private:
    friend class RegistryWriteBatch;
    static void OpenBatch(HKEY hRoot);
    static std::int32_t CloseBatch(HKEY hRoot); // writes the file when the outermost batch ends

    QStringList Children(const QString &sGroup, bool bGroups) const;
    QString FindValue(const QString &sGroup, const QString &sName) const;
    std::int32_t Write(const std::function<void(QSettings &)> &change) const;

    HKEY m_hRoot = 0;
    QString m_sFile;
    std::unique_ptr<QSettings> m_ownReader;
    QSettings *m_reader = nullptr; // m_ownReader, or an open batch's
    QSettings *m_writer = nullptr; // an open batch's; null: each change writes the file

};
