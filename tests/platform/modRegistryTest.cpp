#include "platform/modRegistry.h"
#include "platform/RegistryWriteBatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Runs each test on its own store in a temporary folder.
class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        UseFolder(QStringLiteral("registry"));
    }
    void TearDown() override
    {
        SetRegistryFolderForTests(QString());
        // Leave the folders writable so the temporary folder can be removed.
        for (const QString &sFolder : m_lsFolders) {
            QFile::setPermissions(sFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(sFolder + QStringLiteral("/HKEY_LOCAL_MACHINE.ini"),
                                  QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    void UseFolder(const QString &sName)
    {
        const QString sFolder = m_dir.filePath(sName);
        m_lsFolders.append(sFolder);
        SetRegistryFolderForTests(sFolder);
    }

    // Copies the store to a new folder and uses that: what the calls read then comes from the
    // files as written, not from anything this process still holds.
    void ReloadFromDisk()
    {
        const QString sOld = RegistryFolder();
        UseFolder(QStringLiteral("copy%1").arg(m_lsFolders.size()));
        QDir().mkpath(RegistryFolder());
        const QStringList lsFiles = QDir(sOld).entryList(QDir::Files);
        for (const QString &sFile : lsFiles)
            ASSERT_TRUE(QFile::copy(sOld + QLatin1Char('/') + sFile,
                                    RegistryFolder() + QLatin1Char('/') + sFile));
    }

    QTemporaryDir m_dir;
    QStringList m_lsFolders;
};

HKEY Create(HKEY hParent, const char *lpSubKey, std::uint32_t *pdwDisposition = nullptr)
{
    HKEY hKey = 0;
    std::uint32_t dwDisposition = 0;
    const std::int32_t lResult = RegCreateKeyExA(hParent, lpSubKey, 0, nullptr,
                                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                                 &hKey, &dwDisposition);
    EXPECT_EQ(lResult, ERROR_SUCCESS) << lpSubKey;
    if (pdwDisposition)
        *pdwDisposition = dwDisposition;
    return hKey;
}

std::int32_t Open(HKEY hParent, const char *lpSubKey, REGSAM samDesired, HKEY *phKey)
{
    return RegOpenKeyExA(hParent, lpSubKey, 0, samDesired, phKey);
}

std::int32_t SetBytes(HKEY hKey, const char *lpName, std::uint32_t dwType, const QByteArray &data)
{
    return RegSetValueExA(hKey, lpName, 0, dwType,
                          reinterpret_cast<const unsigned char *>(data.constData()),
                          static_cast<std::uint32_t>(data.size()));
}

// A text with its terminator, as a REG_SZ value holds it.
std::int32_t SetText(HKEY hKey, const char *lpName, const QByteArray &text)
{
    return SetBytes(hKey, lpName, REG_SZ, text + QByteArray(1, '\0'));
}

// The value's data and type, read with the size query first; an empty result on failure, with
// the code in *plResult.
QByteArray Query(HKEY hKey, const char *lpName, std::int32_t *plResult = nullptr,
                 std::uint32_t *pdwType = nullptr)
{
    std::uint32_t cbData = 0;
    std::uint32_t dwType = 0;
    std::int32_t lResult = RegQueryValueExA(hKey, lpName, nullptr, &dwType, nullptr, &cbData);
    QByteArray data;
    if (lResult == ERROR_SUCCESS) {
        data.resize(static_cast<int>(cbData));
        lResult = RegQueryValueExA(hKey, lpName, nullptr, &dwType,
                                   reinterpret_cast<unsigned char *>(data.data()), &cbData);
        data.truncate(static_cast<int>(cbData));
    }
    if (plResult)
        *plResult = lResult;
    if (pdwType)
        *pdwType = dwType;
    return lResult == ERROR_SUCCESS ? data : QByteArray();
}

std::int32_t QueryResult(HKEY hKey, const char *lpName)
{
    std::int32_t lResult = -1;
    Query(hKey, lpName, &lResult);
    return lResult;
}

QByteArray FileBytes(const QString &sFile)
{
    QFile file(sFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFileBytes(const QString &sFile, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(sFile).absolutePath());
    QFile file(sFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// True when QSettings reads the whole file without a format error.
bool IsSoundIni(const QString &sFile)
{
    // A copy under a new name, so QSettings parses it afresh.
    const QString sCopy = sFile + QStringLiteral(".check.ini");
    QFile::remove(sCopy);
    if (!QFile::copy(sFile, sCopy))
        return false;
    QSettings settings(sCopy, QSettings::IniFormat);
    settings.allKeys();
    const bool bSound = settings.status() == QSettings::NoError;
    QFile::remove(sCopy);
    return bSound;
}

const QByteArray kTerminatedEmpty(1, '\0');
} // namespace

TEST_F(Registry, KeysAreCreatedOpenedAndExistWithoutValues)
{
    HKEY hKey = 0;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright", KEY_READ, &hKey),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(hKey, 0u);

    std::uint32_t dwDisposition = 0;
    hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", &dwDisposition);
    EXPECT_EQ(dwDisposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(RegCloseKey(hKey), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(hKey), ERROR_INVALID_HANDLE);

    hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", &dwDisposition);
    EXPECT_EQ(dwDisposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(hKey);

    ReloadFromDisk();
    // The key and the keys above it exist with no values at all.
    for (const char *lpPath : {"Software", "Software\\Orvanta Clipwright",
                               "Software\\Orvanta Clipwright\\Settings"}) {
        ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, lpPath, KEY_READ, &hKey), ERROR_SUCCESS) << lpPath;
        EXPECT_EQ(QueryResult(hKey, nullptr), ERROR_FILE_NOT_FOUND);
        RegCloseKey(hKey);
    }
    // Roots are kept apart, each in its own file.
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software", KEY_READ, &hKey), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(QFileInfo::exists(RegistryFile(HKEY_LOCAL_MACHINE)));
    EXPECT_FALSE(QFileInfo::exists(RegistryFile(HKEY_CURRENT_USER)));
    EXPECT_EQ(RegistryFile(HKEY_LOCAL_MACHINE), RegistryFolder() + "/HKEY_LOCAL_MACHINE.ini");
    EXPECT_TRUE(RegistryFile(0x1234).isEmpty());

    // A handle opens keys below it; an empty sub-key opens the key itself.
    HKEY hSoftware = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software", KEY_ALL_ACCESS, &hSoftware), ERROR_SUCCESS);
    ASSERT_EQ(Open(hSoftware, "Orvanta Clipwright\\Settings", KEY_READ, &hKey), ERROR_SUCCESS);
    RegCloseKey(hKey);
    ASSERT_EQ(Open(hSoftware, "", KEY_READ, &hKey), ERROR_SUCCESS);
    EXPECT_NE(hKey, hSoftware);
    RegCloseKey(hKey);
    RegCloseKey(hSoftware);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

TEST_F(Registry, BadPathsAndHandlesAreRefused)
{
    HKEY hKey = 0;
    const HKEY hCreated = Create(HKEY_LOCAL_MACHINE, "Software\\A");
    RegCloseKey(hCreated);
    for (const char *lpPath : {"\\Software\\A", "Software\\A\\", "Software\\\\A", "\\"}) {
        EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, lpPath, KEY_READ, &hKey), ERROR_BAD_PATHNAME) << lpPath;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, lpPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
                  ERROR_BAD_PATHNAME)
            << lpPath;
        EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, lpPath), ERROR_BAD_PATHNAME) << lpPath;
    }
    EXPECT_EQ(Open(0x1234, "Software", KEY_READ, &hKey), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetText(0x1234, "x", "y"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(0x1234), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software", KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Volatile", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_INVALID_PARAMETER);
    // A root key cannot be deleted.
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED);
}

TEST_F(Registry, TextValuesCarryTheirSizeInBytesWithTheTerminator)
{
    const HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings");
    ASSERT_EQ(SetText(hKey, "optFormat", "True"), ERROR_SUCCESS);

    std::uint32_t cbData = 0;
    std::uint32_t dwType = 0;
    ASSERT_EQ(RegQueryValueExA(hKey, "optFormat", nullptr, &dwType, nullptr, &cbData), ERROR_SUCCESS);
    EXPECT_EQ(cbData, 5u);
    EXPECT_EQ(dwType, REG_SZ);

    unsigned char small[3] = {};
    cbData = sizeof small;
    EXPECT_EQ(RegQueryValueExA(hKey, "optFormat", nullptr, nullptr, small, &cbData), ERROR_MORE_DATA);
    EXPECT_EQ(cbData, 5u);

    unsigned char buffer[16] = {};
    cbData = sizeof buffer;
    ASSERT_EQ(RegQueryValueExA(hKey, "optFormat", nullptr, nullptr, buffer, &cbData), ERROR_SUCCESS);
    EXPECT_EQ(cbData, 5u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(buffer), 5), QByteArray("True\0", 5));
    EXPECT_EQ(RegQueryValueExA(hKey, "optFormat", nullptr, nullptr, buffer, nullptr),
              ERROR_INVALID_PARAMETER);

    // No data, an empty text with its terminator, data without a terminator, other types: each
    // is kept byte for byte with its type.
    ASSERT_EQ(SetBytes(hKey, "none", REG_SZ, QByteArray()), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(hKey, "empty", REG_SZ, kTerminatedEmpty), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(hKey, "bare", REG_SZ, "abc"), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(hKey, "binary", REG_BINARY, QByteArray("\0\x01\xff\0", 4)), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(hKey, "dword", REG_DWORD, QByteArray("\x2a\0\0\0", 4)), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(hKey, "inner", REG_SZ, QByteArray("a\0b\0", 4)), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(hKey, "odd type", 0x12345, "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(hKey, "null data", 0, REG_SZ, nullptr, 4), ERROR_INVALID_PARAMETER);
    RegCloseKey(hKey);

    ReloadFromDisk();
    HKEY hRead = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_READ, &hRead),
              ERROR_SUCCESS);
    std::int32_t lResult = -1;
    cbData = 99;
    EXPECT_EQ(RegQueryValueExA(hRead, "none", nullptr, &dwType, nullptr, &cbData), ERROR_SUCCESS);
    EXPECT_EQ(cbData, 0u);
    EXPECT_EQ(Query(hRead, "empty", &lResult, &dwType), kTerminatedEmpty);
    EXPECT_EQ(dwType, REG_SZ);
    EXPECT_EQ(Query(hRead, "bare"), QByteArray("abc"));
    EXPECT_EQ(Query(hRead, "binary", &lResult, &dwType), QByteArray("\0\x01\xff\0", 4));
    EXPECT_EQ(dwType, REG_BINARY);
    EXPECT_EQ(Query(hRead, "dword", &lResult, &dwType), QByteArray("\x2a\0\0\0", 4));
    EXPECT_EQ(dwType, REG_DWORD);
    EXPECT_EQ(Query(hRead, "inner"), QByteArray("a\0b\0", 4));
    EXPECT_EQ(Query(hRead, "odd type", &lResult, &dwType), QByteArray("x"));
    EXPECT_EQ(dwType, 0x12345u);
    EXPECT_EQ(Query(hRead, "optFormat"), QByteArray("True\0", 5));
    EXPECT_EQ(QueryResult(hRead, "null data"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(hRead);
}

TEST_F(Registry, TheUnnamedValueAndOverwritingAndDeletingValues)
{
    const HKEY hKey = Create(HKEY_CURRENT_USER, "Software\\Test");
    ASSERT_EQ(SetText(hKey, nullptr, "default"), ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, ""), QByteArray("default\0", 8));
    ASSERT_EQ(SetText(hKey, "", "changed"), ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, nullptr), QByteArray("changed\0", 8));
    ASSERT_EQ(SetText(hKey, "@", "at sign"), ERROR_SUCCESS);
    ASSERT_EQ(SetText(hKey, "*", "star"), ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, nullptr), QByteArray("changed\0", 8));

    ASSERT_EQ(SetText(hKey, "Name", "first"), ERROR_SUCCESS);
    ASSERT_EQ(SetText(hKey, "Name", "second, longer"), ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, "Name"), QByteArray("second, longer\0", 15));

    EXPECT_EQ(RegDeleteValueA(hKey, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(QueryResult(hKey, ""), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(hKey, ""), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query(hKey, "@"), QByteArray("at sign\0", 8));
    EXPECT_EQ(Query(hKey, "*"), QByteArray("star\0", 5));
    EXPECT_EQ(RegDeleteValueA(hKey, "Name"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(hKey, "Name"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(hKey);

    // The key outlives its last value.
    ReloadFromDisk();
    HKEY hRead = 0;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software\\Test", KEY_ALL_ACCESS, &hRead), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(hRead, "@"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(hRead, "*"), ERROR_SUCCESS);
    RegCloseKey(hRead);
    ReloadFromDisk();
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software\\Test", KEY_READ, &hRead), ERROR_SUCCESS);
    RegCloseKey(hRead);
}

TEST_F(Registry, NamesSurviveTheFileWhateverTheyHold)
{
    // Value names may hold anything; key names anything but "\".
    const QList<QByteArray> lsNames = {
        "a/b", "a\\b", "a%2Fb", "%", "%25", "%key", "@", "@x", "x@", " lead and trail ",
        "key=value", "semi;colon", "[section]", "#hash", "\"quoted\"", "comma, list",
        "General", "%General", "tab\there", "line\nbreak", "Gr\xc3\xb6\xc3\x9f" "e", "..", "."};
    const HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Names");
    for (int i = 0; i < lsNames.size(); ++i)
        ASSERT_EQ(SetText(hKey, lsNames[i].constData(), QByteArray::number(i)), ERROR_SUCCESS)
            << lsNames[i].constData();
    for (const QByteArray &name : lsNames) {
        if (name.contains('\\'))
            continue;
        const HKEY hSub = Create(hKey, name.constData());
        ASSERT_EQ(SetText(hSub, "sub", name), ERROR_SUCCESS);
        RegCloseKey(hSub);
    }
    RegCloseKey(hKey);

    ReloadFromDisk();
    HKEY hRead = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Names", KEY_READ, &hRead), ERROR_SUCCESS);
    for (int i = 0; i < lsNames.size(); ++i)
        EXPECT_EQ(Query(hRead, lsNames[i].constData()), QByteArray::number(i) + '\0')
            << lsNames[i].constData();
    EXPECT_EQ(QueryResult(hRead, "a"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(QueryResult(hRead, "b"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(QueryResult(hRead, nullptr), ERROR_FILE_NOT_FOUND);
    for (const QByteArray &name : lsNames) {
        if (name.contains('\\'))
            continue;
        HKEY hSub = 0;
        ASSERT_EQ(Open(hRead, name.constData(), KEY_READ, &hSub), ERROR_SUCCESS) << name.constData();
        EXPECT_EQ(Query(hSub, "sub"), name + '\0');
        RegCloseKey(hSub);
    }
    // "a/b" is one key's name, not a path.
    HKEY hSub = 0;
    EXPECT_EQ(Open(hRead, "a", KEY_READ, &hSub), ERROR_FILE_NOT_FOUND);
    RegCloseKey(hRead);

    // A value and a sub-key of one name are deleted apart.
    HKEY hWrite = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Names", KEY_ALL_ACCESS, &hWrite), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(hWrite, "General"), ERROR_SUCCESS);
    EXPECT_EQ(Open(hWrite, "General", KEY_READ, &hSub), ERROR_SUCCESS);
    RegCloseKey(hSub);
    EXPECT_EQ(RegDeleteKeyA(hWrite, "%key"), ERROR_SUCCESS);
    EXPECT_EQ(Query(hWrite, "%key"), QByteArray::number(lsNames.indexOf("%key")) + '\0');
    RegCloseKey(hWrite);
    ReloadFromDisk();
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Names", KEY_READ, &hRead), ERROR_SUCCESS);
    EXPECT_EQ(QueryResult(hRead, "General"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(hRead, "%key", KEY_READ, &hSub), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query(hRead, "%key"), QByteArray::number(lsNames.indexOf("%key")) + '\0');
    EXPECT_EQ(Open(hRead, "General", KEY_READ, &hSub), ERROR_SUCCESS);
    RegCloseKey(hSub);
    RegCloseKey(hRead);
    EXPECT_TRUE(IsSoundIni(RegistryFile(HKEY_LOCAL_MACHINE)));
}

TEST_F(Registry, TextsSurviveTheFileWhateverTheyHold)
{
    const QList<QByteArray> lsTexts = {
        "", " ", "  lead and trail  ", "a,b,c", "semi;colon", "key=value", "\"quoted\"",
        "back\\slash", "line\nbreak\r\n", "tab\t", "@at start", "@@", "@Variant(x)",
        "sz:3:x", "hex(1):2:41", "%2F%", "Gr\xc3\xb6\xc3\x9f" "e", "#not a comment", "[x]"};
    const HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Texts");
    for (int i = 0; i < lsTexts.size(); ++i)
        ASSERT_EQ(SetText(hKey, QByteArray::number(i).constData(), lsTexts[i]), ERROR_SUCCESS);
    RegCloseKey(hKey);

    ReloadFromDisk();
    HKEY hRead = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Texts", KEY_READ, &hRead), ERROR_SUCCESS);
    for (int i = 0; i < lsTexts.size(); ++i)
        EXPECT_EQ(Query(hRead, QByteArray::number(i).constData()), lsTexts[i] + '\0')
            << lsTexts[i].constData();
    RegCloseKey(hRead);
}

TEST_F(Registry, NamesAreCaseInsensitiveAndKeepTheirCase)
{
    const HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright");
    ASSERT_EQ(SetText(hKey, "chkShutdown", "False"), ERROR_SUCCESS);
    RegCloseKey(hKey);

    std::uint32_t dwDisposition = 0;
    const HKEY hOther = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\orvanta CLIPWRIGHT", &dwDisposition);
    EXPECT_EQ(dwDisposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(Query(hOther, "CHKSHUTDOWN"), QByteArray("False\0", 6));
    ASSERT_EQ(SetText(hOther, "ChkShutDown", "True"), ERROR_SUCCESS);
    RegCloseKey(hOther);

    ReloadFromDisk();
    HKEY hRead = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "software\\orvanta clipwright", KEY_READ, &hRead),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(hRead, "chkShutdown"), QByteArray("True\0", 5));
    RegCloseKey(hRead);
    // One key and one value, in the case they were made with.
    QSettings settings(RegistryFile(HKEY_LOCAL_MACHINE), QSettings::IniFormat);
    const QStringList lsKeys = settings.allKeys().filter(QStringLiteral("@"));
    ASSERT_EQ(lsKeys.size(), 1);
    EXPECT_TRUE(lsKeys[0].startsWith(QStringLiteral("Software/Orvanta Clipwright/")));
    EXPECT_TRUE(lsKeys[0].endsWith(QStringLiteral("@chkShutdown")));
}

TEST_F(Registry, DeletingKeys)
{
    HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings");
    ASSERT_EQ(SetText(hKey, "a", "1"), ERROR_SUCCESS);
    ASSERT_EQ(SetText(hKey, nullptr, "2"), ERROR_SUCCESS);
    HKEY hParent = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright", KEY_ALL_ACCESS, &hParent),
              ERROR_SUCCESS);
    ASSERT_EQ(SetText(hParent, "kept", "3"), ERROR_SUCCESS);

    // Only a key without sub-keys goes.
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings"),
              ERROR_SUCCESS);
    EXPECT_EQ(QueryResult(hKey, "a"), ERROR_KEY_DELETED);
    EXPECT_EQ(SetText(hKey, "a", "again"), ERROR_KEY_DELETED);
    RegCloseKey(hKey);

    ReloadFromDisk();
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_READ, &hKey),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright", KEY_READ, &hKey),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, "kept"), QByteArray("3\0", 2));
    RegCloseKey(hKey);

    // A new key of the deleted one's name starts empty.
    hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings");
    EXPECT_EQ(QueryResult(hKey, "a"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(QueryResult(hKey, nullptr), ERROR_FILE_NOT_FOUND);
    // A handle may delete its own key.
    EXPECT_EQ(RegDeleteKeyA(hKey, ""), ERROR_SUCCESS);
    RegCloseKey(hKey);
    RegCloseKey(hParent);
}

TEST_F(Registry, AHandleDoesOnlyWhatItWasOpenedFor)
{
    HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Rights");
    ASSERT_EQ(SetText(hKey, "a", "1"), ERROR_SUCCESS);
    RegCloseKey(hKey);

    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Rights", KEY_READ, &hKey), ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, "a"), QByteArray("1\0", 2));
    EXPECT_EQ(SetText(hKey, "a", "2"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(hKey, "a"), ERROR_ACCESS_DENIED);
    HKEY hSub = 0;
    EXPECT_EQ(RegCreateKeyExA(hKey, "Sub", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr,
                              &hSub, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(hKey);

    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Rights", KEY_SET_VALUE, &hKey), ERROR_SUCCESS);
    EXPECT_EQ(QueryResult(hKey, "a"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetText(hKey, "a", "2"), ERROR_SUCCESS);
    RegCloseKey(hKey);

    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Rights", KEY_READ, &hKey), ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, "a"), QByteArray("2\0", 2));
    RegCloseKey(hKey);
}

TEST_F(Registry, AStoreWeMayNotWriteIsReadOnly)
{
    HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings");
    ASSERT_EQ(SetText(hKey, "a", "1"), ERROR_SUCCESS);
    RegCloseKey(hKey);
    const QString sFile = RegistryFile(HKEY_LOCAL_MACHINE);
    const QByteArray before = FileBytes(sFile);

    const auto expectReadOnly = [&](const char *lpCase) {
        SCOPED_TRACE(lpCase);
        HKEY hOpened = 0;
        EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings",
                       KEY_ALL_ACCESS, &hOpened),
                  ERROR_ACCESS_DENIED);
        EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "", KEY_ALL_ACCESS, &hOpened), ERROR_ACCESS_DENIED);
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\New", 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &hOpened, nullptr),
                  ERROR_ACCESS_DENIED);
        EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings"),
                  ERROR_ACCESS_DENIED);
        // Setting through a root handle reaches the file check too.
        EXPECT_EQ(SetText(HKEY_LOCAL_MACHINE, "root value", "x"), ERROR_ACCESS_DENIED);

        ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_READ,
                       &hOpened),
                  ERROR_SUCCESS);
        EXPECT_EQ(Query(hOpened, "a"), QByteArray("1\0", 2));
        RegCloseKey(hOpened);
        EXPECT_EQ(FileBytes(sFile), before);
    };

    ASSERT_TRUE(QFile::setPermissions(sFile, QFile::ReadOwner | QFile::ReadGroup));
    expectReadOnly("file without write permission");
    ASSERT_TRUE(QFile::setPermissions(sFile, QFile::ReadOwner | QFile::WriteOwner));

    const QString sFolder = RegistryFolder();
    ASSERT_TRUE(QFile::setPermissions(sFolder, QFile::ReadOwner | QFile::ExeOwner));
    expectReadOnly("folder without write permission");
    ASSERT_TRUE(QFile::setPermissions(sFolder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    // Writable again, the store takes changes again.
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_ALL_ACCESS,
                   &hKey),
              ERROR_SUCCESS);
    EXPECT_EQ(SetText(hKey, "a", "2"), ERROR_SUCCESS);
    RegCloseKey(hKey);
}

TEST_F(Registry, AMissingStoreFolderIsMadeOnTheFirstWrite)
{
    UseFolder(QStringLiteral("not/yet/there"));
    HKEY hKey = 0;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software", KEY_ALL_ACCESS, &hKey), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "", KEY_ALL_ACCESS, &hKey), ERROR_SUCCESS);
    RegCloseKey(hKey);
    EXPECT_FALSE(QFileInfo::exists(RegistryFolder()));
    hKey = Create(HKEY_LOCAL_MACHINE, "Software");
    EXPECT_EQ(SetText(hKey, "a", "1"), ERROR_SUCCESS);
    RegCloseKey(hKey);
    EXPECT_TRUE(QFileInfo(RegistryFile(HKEY_LOCAL_MACHINE)).isFile());

    // A store folder that cannot be made (a file is in its way) is read-only and empty.
    WriteFileBytes(m_dir.filePath(QStringLiteral("blocked")), "x");
    UseFolder(QStringLiteral("blocked/registry"));
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "", KEY_ALL_ACCESS, &hKey), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "", KEY_READ, &hKey), ERROR_SUCCESS);
    EXPECT_EQ(QueryResult(hKey, "a"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(hKey);
}

TEST_F(Registry, TheDefaultStoreIsInTheUsersConfigurationFolder)
{
    SetRegistryFolderForTests(QString());
    const QString sConfig = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    ASSERT_FALSE(sConfig.isEmpty());
    EXPECT_EQ(RegistryFolder(), sConfig + QStringLiteral("/clipwright/registry"));
    EXPECT_EQ(RegistryFile(HKEY_LOCAL_MACHINE),
              sConfig + QStringLiteral("/clipwright/registry/HKEY_LOCAL_MACHINE.ini"));
}

TEST_F(Registry, ADamagedFileReadsAsMissingAndTheNextWriteMendsIt)
{
    // Damage around a whole value leaves it readable; a damaged value itself reads as missing.
    const QList<QPair<QByteArray, bool>> lsDamaged = {
        {QByteArray("\0\0\xff\xfe\x01garbage\0[\0", 10), false},
        {"[Software\\Orvanta%20Clipwright\\Settings\n%40a=sz:2:1\n", true},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=sz:2:1\n\xff\0garbage\n[", true},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a\n", false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=\"unterminated\n", false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=sz:6:Fal\n", false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=hex(3):2:4\n", false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=hex(3):2:zz\n", false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=sz:x:1\n", false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=one,two\n", false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=@Variant(\\0\\0\\0\\x7f\\xff\\xff\\xff)\n",
         false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=@ByteArray(sz:2:1)\n", false},
        {"[Software]\nOrvanta%20Clipwright\\Settings\\%40a=unknown:2:1\n", false}};
    for (int i = 0; i < lsDamaged.size(); ++i) {
        SCOPED_TRACE(i);
        UseFolder(QStringLiteral("damaged%1").arg(i));
        WriteFileBytes(RegistryFile(HKEY_LOCAL_MACHINE), lsDamaged[i].first);

        HKEY hKey = 0;
        const std::int32_t lOpened =
            Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_ALL_ACCESS, &hKey);
        if (lOpened == ERROR_SUCCESS) {
            std::int32_t lResult = -1;
            const QByteArray data = Query(hKey, "a", &lResult);
            if (lsDamaged[i].second) {
                EXPECT_EQ(data, QByteArray("1\0", 2));
            } else {
                EXPECT_EQ(lResult, ERROR_FILE_NOT_FOUND);
            }
            RegCloseKey(hKey);
        } else {
            EXPECT_EQ(lOpened, ERROR_FILE_NOT_FOUND);
        }

        hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings");
        ASSERT_EQ(SetText(hKey, "a", "mended"), ERROR_SUCCESS);
        RegCloseKey(hKey);
        EXPECT_TRUE(IsSoundIni(RegistryFile(HKEY_LOCAL_MACHINE)));
        ReloadFromDisk();
        ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_READ, &hKey),
                  ERROR_SUCCESS);
        EXPECT_EQ(Query(hKey, "a"), QByteArray("mended\0", 7));
        RegCloseKey(hKey);

        // A write that is the first thing to meet the damage succeeds as well.
        UseFolder(QStringLiteral("damaged%1-written").arg(i));
        WriteFileBytes(RegistryFile(HKEY_LOCAL_MACHINE), lsDamaged[i].first);
        ASSERT_EQ(SetText(HKEY_LOCAL_MACHINE, "root value", "written"), ERROR_SUCCESS);
        EXPECT_TRUE(IsSoundIni(RegistryFile(HKEY_LOCAL_MACHINE)));
        ReloadFromDisk();
        EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "root value"), QByteArray("written\0", 8));
    }
}

TEST_F(Registry, AFileCutShortGivesWholeValuesOrNone)
{
    const QList<QByteArray> lsValues = {"True", "3", "C:\\Output Video", "Gr\xc3\xb6\xc3\x9f" "e",
                                        "with, comma", "-1"};
    HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings");
    for (int i = 0; i < lsValues.size(); ++i)
        ASSERT_EQ(SetText(hKey, QByteArray("v" + QByteArray::number(i)).constData(), lsValues[i]),
                  ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(hKey, "bin", REG_BINARY, QByteArray("\x01\x02\x03\x04", 4)), ERROR_SUCCESS);
    RegCloseKey(hKey);
    const QByteArray whole = FileBytes(RegistryFile(HKEY_LOCAL_MACHINE));
    ASSERT_GT(whole.size(), 100);

    int iWholeReads = 0;
    for (int iCut = 0; iCut < whole.size(); ++iCut) {
        SCOPED_TRACE(iCut);
        UseFolder(QStringLiteral("cut%1").arg(iCut));
        WriteFileBytes(RegistryFile(HKEY_LOCAL_MACHINE), whole.left(iCut));
        if (Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_READ, &hKey) !=
            ERROR_SUCCESS)
            continue;
        for (int i = 0; i < lsValues.size(); ++i) {
            std::int32_t lResult = -1;
            const QByteArray data =
                Query(hKey, QByteArray("v" + QByteArray::number(i)).constData(), &lResult);
            if (lResult == ERROR_SUCCESS) {
                EXPECT_EQ(data, lsValues[i] + '\0');
                ++iWholeReads;
            } else {
                EXPECT_EQ(lResult, ERROR_FILE_NOT_FOUND);
            }
        }
        std::int32_t lResult = -1;
        const QByteArray bin = Query(hKey, "bin", &lResult);
        if (lResult == ERROR_SUCCESS) {
            EXPECT_EQ(bin, QByteArray("\x01\x02\x03\x04", 4));
        }
        RegCloseKey(hKey);

        if (iCut % 16 == 0) {
            hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings");
            EXPECT_EQ(SetText(hKey, "v0", "again"), ERROR_SUCCESS);
            RegCloseKey(hKey);
            EXPECT_TRUE(IsSoundIni(RegistryFile(HKEY_LOCAL_MACHINE)));
        }
    }
    EXPECT_GT(iWholeReads, 0);
}

TEST_F(Registry, ABatchWritesTheFileOnceAtItsEndAndEveryCallSeesItsChanges)
{
    const QString sFile = RegistryFile(HKEY_LOCAL_MACHINE);
    {
        RegistryWriteBatch outer(HKEY_LOCAL_MACHINE);
        const HKEY hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Batch");
        {
            RegistryWriteBatch inner(HKEY_LOCAL_MACHINE);
            EXPECT_EQ(SetText(hKey, "first", "one"), ERROR_SUCCESS);
        }
        EXPECT_EQ(SetText(hKey, "second", "two"), ERROR_SUCCESS);
        EXPECT_FALSE(QFileInfo::exists(sFile)) << "only the outermost batch writes";

        HKEY hOther = 0;
        ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Batch", KEY_READ, &hOther), ERROR_SUCCESS);
        EXPECT_EQ(Query(hOther, "first"), QByteArray("one") + kTerminatedEmpty);
        EXPECT_EQ(RegDeleteValueA(hKey, "second"), ERROR_SUCCESS);
        EXPECT_EQ(QueryResult(hOther, "second"), ERROR_FILE_NOT_FOUND);
        RegCloseKey(hOther);
        RegCloseKey(hKey);
        EXPECT_EQ(outer.Commit(), ERROR_SUCCESS);
        EXPECT_TRUE(QFileInfo::exists(sFile));
    }
    ReloadFromDisk();
    HKEY hKey = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Batch", KEY_READ, &hKey), ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, "first"), QByteArray("one") + kTerminatedEmpty);
    EXPECT_EQ(QueryResult(hKey, "second"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(hKey);
}

TEST_F(Registry, AnOversizedStoreIsSetAsideAndTheDefaultsAreUsed)
{
    const QByteArray value = "[Software]\nOrvanta%20Clipwright\\Settings\\%40a=sz:2:1\n[Padding]\n";
    const auto Padded = [&value](int iBytes) {
        QByteArray bytes = value;
        for (int i = 0; bytes.size() < iBytes; ++i)
            bytes += "k" + QByteArray::number(i) + "=" + QByteArray(60, 'x') + "\n";
        return bytes.left(iBytes - 1) + "\n";
    };
    const QString sFile = RegistryFile(HKEY_LOCAL_MACHINE);

    // Up to a megabyte it is read as it stands.
    WriteFileBytes(sFile, Padded(1024 * 1024));
    HKEY hKey = 0;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_READ, &hKey),
              ERROR_SUCCESS);
    EXPECT_EQ(Query(hKey, "a"), QByteArray("1\0", 2));
    RegCloseKey(hKey);

    // Beyond it, the file is kept under another name (a second one beside the first) and the
    // store starts empty; the next write makes a small sound file.
    const QByteArray huge = Padded(3 * 1024 * 1024);
    for (const QString &sAside : {sFile + ".damaged", sFile + ".damaged.1"}) {
        WriteFileBytes(sFile, huge);
        EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings", KEY_READ, &hKey),
                  ERROR_FILE_NOT_FOUND);
        EXPECT_FALSE(QFileInfo::exists(sFile));
        EXPECT_EQ(FileBytes(sAside), huge);
        hKey = Create(HKEY_LOCAL_MACHINE, "Software\\Orvanta Clipwright\\Settings");
        EXPECT_EQ(SetText(hKey, "a", "new"), ERROR_SUCCESS);
        RegCloseKey(hKey);
        EXPECT_LT(QFileInfo(sFile).size(), 1024);
        EXPECT_TRUE(IsSoundIni(sFile));
    }
}
