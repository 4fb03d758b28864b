#include "slider/PropertyBag.h"

#include "common/RunTimeError.h"

#include <limits>

void PropertyBag::WriteProperty(const QString &sName, const QVariant &value,
                                const QVariant &defaultValue)
{
    const int i = IndexOf(sName);
    if (value == defaultValue) {
        if (i >= 0)
            m_entries.removeAt(i);
        return;
    }
    if (i >= 0)
        m_entries[i].value = value;
    else
        m_entries.append(Entry{sName, value});
}

QVariant PropertyBag::ReadProperty(const QString &sName, const QVariant &defaultValue) const
{
    const int i = IndexOf(sName);
    return i >= 0 ? m_entries[i].value : defaultValue;
}

std::int32_t PropertyBag::ReadInt(const QString &sName, std::int32_t iDefault) const
{
    const QVariant value = ReadProperty(sName, iDefault);
    bool bOk = false;
    const qlonglong lValue = value.toLongLong(&bOk);
    if (!bOk)
        throw RunTimeError::MakeTypeMismatch();
    if (lValue < std::numeric_limits<std::int32_t>::min() ||
        lValue > std::numeric_limits<std::int32_t>::max())
        throw RunTimeError::MakeOverflow();
    return static_cast<std::int32_t>(lValue);
}

bool PropertyBag::ReadBool(const QString &sName, bool bDefault) const
{
    const QVariant value = ReadProperty(sName, bDefault);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    bool bOk = false;
    const qlonglong lValue = value.toLongLong(&bOk);
    if (!bOk)
        throw RunTimeError::MakeTypeMismatch();
    return lValue != 0;
}

bool PropertyBag::Contains(const QString &sName) const { return IndexOf(sName) >= 0; }

QStringList PropertyBag::Names() const
{
    QStringList names;
    for (const Entry &entry : m_entries)
        names.append(entry.sName);
    return names;
}

int PropertyBag::IndexOf(const QString &sName) const
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].sName == sName)
            return i;
    return -1;
}
