#include "settings/CRegister.h"

#include "common/modFunctions.h"

#include <QByteArray>

namespace {
// The value name that stands for a key's unnamed value.
const QString kUnnamedValue = QStringLiteral("*");
const QChar kKeySeparator = QLatin1Char('\\');

// The value name as the registry takes it: the empty name is the unnamed value.
QByteArray ValueName(const QString &sKey)
{
    return sKey == kUnnamedValue ? QByteArray("") : ToSystemText(sKey);
}
} // namespace

QString CRegister::NormalizeSection(const QString &sSection)
{
    QString sNormal = sSection;
    if (sNormal.startsWith(kKeySeparator))
        sNormal.remove(0, 1);
    if (sNormal.endsWith(kKeySeparator))
        sNormal.chop(1);
    return sNormal;
}

bool CRegister::REGDeleteSetting(HKEY regHKEY, const QString &sSection, const QString &sKey) const
{
    HKEY hKey = 0;
    if (!sKey.isEmpty()) {
        const QByteArray section = ToSystemText(NormalizeSection(sSection));
        if (RegOpenKeyExA(regHKEY, section.constData(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
            return false;
        const std::int32_t lResult = RegDeleteValueA(hKey, ValueName(sKey).constData());
        RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS;
    }

    if (RegOpenKeyExA(regHKEY, "", 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return false;
    const std::int32_t lResult = RegDeleteKeyA(hKey, ToSystemText(sSection).constData());
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

QString CRegister::REGGetSetting(HKEY regHKEY, const QString &sSection, const QString &sKey,
                                 const QString &sDefault) const
{
    QString sResult = sDefault;
    const QByteArray section = ToSystemText(NormalizeSection(sSection));
    HKEY hKey = 0;
    std::int32_t lResult = RegOpenKeyExA(regHKEY, section.constData(), 0, KEY_ALL_ACCESS, &hKey);
    if (lResult == ERROR_ACCESS_DENIED)
        lResult = RegOpenKeyExA(regHKEY, section.constData(), 0, KEY_READ, &hKey);
    if (lResult != ERROR_SUCCESS)
        return sResult;

    const QByteArray name = ValueName(sKey);
    std::uint32_t dwType = REG_NONE;
    std::uint32_t cbData = 0;
    lResult = RegQueryValueExA(hKey, name.constData(), nullptr, &dwType, nullptr, &cbData);
    if (lResult == ERROR_SUCCESS && cbData > 0) {
        QByteArray buffer(static_cast<int>(cbData), '\0');
        lResult = RegQueryValueExA(hKey, name.constData(), nullptr, &dwType,
                                   reinterpret_cast<unsigned char *>(buffer.data()), &cbData);
        if (lResult == ERROR_SUCCESS) {
            buffer.truncate(static_cast<int>(cbData));
            // Only a real terminator is dropped: data written without one keeps its last byte.
            if (buffer.endsWith('\0'))
                buffer.chop(1);
            sResult = FromSystemText(buffer);
        }
    }
    RegCloseKey(hKey);
    return sResult;
}

bool CRegister::REGSaveSetting(HKEY regHKEY, const QString &sSection, const QString &sKey,
                               const QString &sValue) const
{
    const QByteArray section = ToSystemText(NormalizeSection(sSection));
    HKEY hKey = 0;
    std::uint32_t dwDisposition = 0;
    if (RegCreateKeyExA(regHKEY, section.constData(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &hKey, &dwDisposition) != ERROR_SUCCESS)
        return false;

    // A text is stored with its terminator; empty text as no data at all.
    QByteArray data = ToSystemText(sValue);
    if (!data.isEmpty())
        data.append('\0');
    const std::int32_t lResult =
        RegSetValueExA(hKey, ValueName(sKey).constData(), 0, REG_SZ,
                       reinterpret_cast<const unsigned char *>(data.constData()),
                       static_cast<std::uint32_t>(data.size()));
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}
