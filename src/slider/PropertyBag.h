#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>

// A window's stored layout for one control: named entries, each written with a default and read
// back with one. An entry equal to its default is left out; a missing entry reads as its default.
// Entries keep the order in which they were first written.
class PropertyBag {
public:
    void WriteProperty(const QString &sName, const QVariant &value, const QVariant &defaultValue);
    QVariant ReadProperty(const QString &sName, const QVariant &defaultValue) const;

    // Typed reads. An entry that does not hold a number (or a boolean) throws the type-mismatch
    // RunTimeError; a number outside the 32-bit range throws the overflow one.
    std::int32_t ReadInt(const QString &sName, std::int32_t iDefault) const;
    bool ReadBool(const QString &sName, bool bDefault) const;

    bool Contains(const QString &sName) const;
    int Count() const { return static_cast<int>(m_entries.size()); }
    QStringList Names() const;
    void Clear() { m_entries.clear(); }

private:
    struct Entry {
        QString sName;
        QVariant value;
    };
    int IndexOf(const QString &sName) const;

    QList<Entry> m_entries;
};
