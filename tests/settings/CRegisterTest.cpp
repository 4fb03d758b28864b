#include "settings/CRegister.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kSection = QStringLiteral("Software\\Orvanta Clipwright\\Settings");

class Register : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        UseFolder(QStringLiteral("registry"));
    }
    void TearDown() override
    {
        for (const QString &sFolder : m_lsFolders)
            QFile::setPermissions(RegistryFileIn(sFolder),
                                  QFile::ReadOwner | QFile::WriteOwner);
        SetRegistryFolderForTests(QString());
    }

    static QString RegistryFileIn(const QString &sFolder)
    {
        return sFolder + QStringLiteral("/HKEY_LOCAL_MACHINE.ini");
    }

    void UseFolder(const QString &sName)
    {
        m_lsFolders.append(m_dir.filePath(sName));
        SetRegistryFolderForTests(m_lsFolders.last());
    }

    // Carries the store over to a new folder, so what is read next comes from the file itself.
    void ReloadFromDisk()
    {
        const QString sFile = RegistryFile(HKEY_LOCAL_MACHINE);
        UseFolder(QStringLiteral("copy%1").arg(m_lsFolders.size()));
        ASSERT_TRUE(QDir().mkpath(RegistryFolder()));
        if (QFileInfo::exists(sFile)) {
            ASSERT_TRUE(QFile::copy(sFile, RegistryFile(HKEY_LOCAL_MACHINE)));
        }
    }

    QTemporaryDir m_dir;
    QStringList m_lsFolders;
    CRegister m_register;
};

QByteArray FileBytes(const QString &sFile)
{
    QFile file(sFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFileBytes(const QString &sFile, const QByteArray &bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(sFile).absolutePath()));
    QFile file(sFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Writes raw data into a value through the registry calls.
void SetRaw(const QString &sSection, const char *lpName, std::uint32_t dwType, const QByteArray &data)
{
    HKEY hKey = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, sSection.toLocal8Bit().constData(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(hKey, lpName, 0, dwType,
                             reinterpret_cast<const unsigned char *>(data.constData()),
                             static_cast<std::uint32_t>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(hKey);
}

// The raw data of a value, or "<code>" when it cannot be read.
QByteArray GetRaw(const QString &sSection, const char *lpName)
{
    HKEY hKey = 0;
    std::int32_t lResult = RegOpenKeyExA(HKEY_LOCAL_MACHINE, sSection.toLocal8Bit().constData(), 0,
                                         KEY_READ, &hKey);
    if (lResult != ERROR_SUCCESS)
        return "<" + QByteArray::number(lResult) + ">";
    unsigned char buffer[256] = {};
    std::uint32_t cbData = sizeof buffer;
    lResult = RegQueryValueExA(hKey, lpName, nullptr, nullptr, buffer, &cbData);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return "<" + QByteArray::number(lResult) + ">";
    return QByteArray(reinterpret_cast<const char *>(buffer), static_cast<int>(cbData));
}
} // namespace

TEST_F(Register, MissingKeysAndValuesGiveTheDefault)
{
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "chkShutdown", "False"),
              QStringLiteral("False"));
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "optFormat", "True"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "chkShutdown", "False"),
              QStringLiteral("False"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "optFormat", "False"),
              QStringLiteral("True"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_CURRENT_USER, kSection, "optFormat", "none"),
              QStringLiteral("none"));
    EXPECT_EQ(m_register.REGGetSetting(0x1234, kSection, "optFormat", "none"), QStringLiteral("none"));
    EXPECT_FALSE(m_register.REGSaveSetting(0x1234, kSection, "optFormat", "True"));
    // The value is a text with its terminator, in bytes.
    EXPECT_EQ(GetRaw(kSection, "optFormat"), QByteArray("True\0", 5));
}

TEST_F(Register, TextsComeBackUnchanged)
{
    const QStringList lsTexts = {
        QStringLiteral("C:\\Output Video"), QStringLiteral(" spaces "), QStringLiteral("-1"),
        QStringLiteral("a,b;c=d\"e\""), QStringLiteral("line\r\nbreak"), QStringLiteral("@start"),
        QStringLiteral("Größe ½ €"), QStringLiteral("x"), QString(QStringLiteral("a")) + QChar(0) +
        QStringLiteral("b")};
    for (int i = 0; i < lsTexts.size(); ++i)
        ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, QString::number(i),
                                              lsTexts[i]));
    ReloadFromDisk();
    for (int i = 0; i < lsTexts.size(); ++i)
        EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, QString::number(i), "?"),
                  lsTexts[i]);
}

TEST_F(Register, EmptyTextReadsAsTheDefaultButAnEmptyStringAsEmpty)
{
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "txtOutPath", ""));
    EXPECT_EQ(GetRaw(kSection, "txtOutPath"), QByteArray());
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "txtOutPath", "default"),
              QStringLiteral("default"));

    SetRaw(kSection, "terminated", REG_SZ, QByteArray(1, '\0'));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "terminated", "default"),
              QString());

    // The value's type plays no part; data written without a terminator keeps its last byte.
    SetRaw(kSection, "expand", REG_EXPAND_SZ, QByteArray("%HOME%\0", 7));
    SetRaw(kSection, "binary", REG_BINARY, QByteArray("bin\0", 4));
    SetRaw(kSection, "bare", REG_SZ, QByteArray("abc"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "expand", "?"),
              QStringLiteral("%HOME%"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "binary", "?"),
              QStringLiteral("bin"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "bare", "?"),
              QStringLiteral("abc"));
}

TEST_F(Register, OneBackslashAtEachEndOfTheSectionDoesNotCount)
{
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, "\\" + kSection + "\\", "a", "1"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "a", "?"), QStringLiteral("1"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, "\\" + kSection, "a", "?"),
              QStringLiteral("1"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection + "\\", "a", "?"),
              QStringLiteral("1"));
    EXPECT_TRUE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, "\\" + kSection + "\\", "a"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "a", "?"), QStringLiteral("?"));

    // Two leading backslashes lose only one, which leaves a path no key can have.
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "b", "2"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, "\\\\" + kSection, "b", "?"),
              QStringLiteral("?"));
    EXPECT_FALSE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, "\\\\" + kSection, "b", "3"));
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, "\\\\" + kSection, "b"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "b", "?"), QStringLiteral("2"));
}

TEST_F(Register, TheStarIsTheUnnamedValue)
{
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "*", "unnamed"));
    EXPECT_EQ(GetRaw(kSection, nullptr), QByteArray("unnamed\0", 8));
    EXPECT_EQ(GetRaw(kSection, "*"), QByteArray("<2>"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "*", "?"),
              QStringLiteral("unnamed"));
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "named", "value"));
    EXPECT_TRUE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, kSection, "*"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "*", "?"), QStringLiteral("?"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "named", "?"),
              QStringLiteral("value"));
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, kSection, "*"));
}

TEST_F(Register, WithoutWriteAccessReadingWorksAndSavingStoresNothing)
{
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "chkShutdown", "True"));
    const QString sFile = RegistryFile(HKEY_LOCAL_MACHINE);
    const QByteArray before = FileBytes(sFile);
    ASSERT_TRUE(QFile::setPermissions(sFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    // The full-access open is refused, the read-only one is not.
    HKEY hKey = 0;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSection.toLocal8Bit().constData(), 0,
                            KEY_ALL_ACCESS, &hKey),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "chkShutdown", "False"),
              QStringLiteral("True"));
    EXPECT_FALSE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "chkShutdown", "False"));
    EXPECT_FALSE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "new", "x"));
    EXPECT_FALSE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, "Software\\Other", "new", "x"));
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, kSection, "chkShutdown"));
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, kSection, ""));
    EXPECT_EQ(FileBytes(sFile), before);
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "chkShutdown", "False"),
              QStringLiteral("True"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "new", "none"),
              QStringLiteral("none"));
}

TEST_F(Register, DeletingTheWholeKey)
{
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "a", "1"));
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "b", "2"));
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "*", "3"));
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright",
                                          "kept", "4"));

    // The section is taken as it stands here: a backslash at an end names no key.
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, "\\" + kSection, ""));
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, kSection + "\\", ""));
    // A key with sub-keys stays.
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright", ""));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "a", "?"), QStringLiteral("1"));

    EXPECT_TRUE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, kSection, ""));
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, kSection, ""));
    ReloadFromDisk();
    for (const char *lpKey : {"a", "b", "*"})
        EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, lpKey, "default"),
                  QStringLiteral("default"))
            << lpKey;
    EXPECT_EQ(GetRaw(kSection, "a"), QByteArray("<2>"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright", "kept", "?"),
              QStringLiteral("4"));
    EXPECT_FALSE(m_register.REGDeleteSetting(HKEY_LOCAL_MACHINE, kSection, "a"));
}

TEST_F(Register, ADamagedOrCutFileGivesDefaultsAndTheNextSaveWritesASoundFile)
{
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "cmbCategory", "3"));
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "txtOutPath",
                                          "/home/user/Videos/Output Video"));
    const QByteArray whole = FileBytes(RegistryFile(HKEY_LOCAL_MACHINE));

    // The file, and whether txtOutPath (its last line) is still whole in it.
    const QList<QPair<QByteArray, bool>> lsDamaged = {
        {whole.left(whole.size() - 5), false},
        {whole.left(whole.size() / 2), false},
        {QByteArray(), false},
        {QByteArray("\xff\xfe\0\x01[[[==", 10), false},
        {QByteArray(whole).replace("sz:", "sz"), false},
        {QByteArray(whole).replace("\n", "\n\0\0 garbage "), true},
        {QByteArray(whole).append("\n[broken\n\xff\xfe=\n"), true}};
    for (int i = 0; i < lsDamaged.size(); ++i) {
        SCOPED_TRACE(i);
        UseFolder(QStringLiteral("damaged%1").arg(i));
        WriteFileBytes(RegistryFile(HKEY_LOCAL_MACHINE), lsDamaged[i].first);
        // Every value comes back whole or as the default, never as something else.
        const QString sCategory =
            m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "cmbCategory", "default");
        const QString sOutPath =
            m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "txtOutPath", "default");
        EXPECT_TRUE(sCategory == QStringLiteral("3") || sCategory == QStringLiteral("default"))
            << sCategory.toStdString();
        EXPECT_EQ(sOutPath.toStdString(),
                  lsDamaged[i].second ? "/home/user/Videos/Output Video" : "default");

        ASSERT_TRUE(m_register.REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, "txtOutPath", "/tmp/x"));
        ReloadFromDisk();
        QSettings settings(RegistryFile(HKEY_LOCAL_MACHINE), QSettings::IniFormat);
        settings.allKeys();
        EXPECT_EQ(settings.status(), QSettings::NoError);
        EXPECT_EQ(m_register.REGGetSetting(HKEY_LOCAL_MACHINE, kSection, "txtOutPath", "default"),
                  QStringLiteral("/tmp/x"));
    }
}

TEST_F(Register, WorksInTheTestConfigurationFolder)
{
    SetRegistryFolderForTests(QString());
    ASSERT_TRUE(QStandardPaths::isTestModeEnabled());
    ASSERT_TRUE(RegistryFolder().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
    // A key of this process's own, so that other test runs at the same time do not meet it.
    const QString sSection = QStringLiteral("Software\\Clipwright Tests\\%1")
                                 .arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(m_register.REGSaveSetting(HKEY_CURRENT_USER, sSection, "chkShutdown", "True"));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_CURRENT_USER, sSection, "chkShutdown", "False"),
              QStringLiteral("True"));
    EXPECT_TRUE(m_register.REGDeleteSetting(HKEY_CURRENT_USER, sSection, ""));
    EXPECT_EQ(m_register.REGGetSetting(HKEY_CURRENT_USER, sSection, "chkShutdown", "False"),
              QStringLiteral("False"));
}
