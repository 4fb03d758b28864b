#pragma once

#include "platform/modRegistry.h"

#include <QString>

// Reads, writes and deletes string values in the registry. It holds nothing: each call opens
// what it needs and closes it again. No call raises an error or shows a message; failure is the
// return value.
//
// sSection is the key path below regHKEY, "\"-separated; one "\" at either end does not count.
// sKey is the value name; "*" stands for the key's unnamed value.
class CRegister {
public:
    // Deletes the value sKey of the key sSection, or, when sKey is empty, the key sSection itself
    // (taken as it stands, and only when it has no sub-keys) with all its values.
    bool REGDeleteSetting(HKEY regHKEY, const QString &sSection, const QString &sKey) const;

    // The stored text, or sDefault when the key or the value is missing or holds no data. A
    // key we may not write is read through read access.
    QString REGGetSetting(HKEY regHKEY, const QString &sSection, const QString &sKey,
                          const QString &sDefault) const;

    // Writes sValue as a string value, creating the key when it is missing; true if written.
    // Empty text is stored with no data, so it reads back as the caller's default.
    bool REGSaveSetting(HKEY regHKEY, const QString &sSection, const QString &sKey,
                        const QString &sValue) const;

private:
    static QString NormalizeSection(const QString &sSection);
};
