#pragma once

#include <QString>
#include <cstdint>

// The registry as the program's settings store sees it: the seven calls with their Win32
// meaning and result codes. Names, value names and data cross this interface as bytes in the
// system's encoding, as the "A" calls take them.
//
// Each root key lives in one INI file, RegistryFolder() + "/" + its name + ".ini", written
// through QSettings (locked while it is written, replaced atomically), so a crash or a second
// running copy never leaves a file half written. Key and value names are case-insensitive and keep
// the case they were created with, as on Windows. A store whose file or folder we may not write
// (or that is marked read-only: no write permission for its owner, as even an administrator
// honours the read-only attribute on Windows) refuses full-access opens with ERROR_ACCESS_DENIED,
// while read access still works, as for a limited account on Windows.

using HKEY = std::uint32_t;
using REGSAM = std::uint32_t;

// The predefined root keys. HKEY_LOCAL_MACHINE is the user's own here, as Windows' virtual store
// makes it for a program without administrator rights.
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

// Result codes.
constexpr std::int32_t ERROR_SUCCESS = 0;
constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
constexpr std::int32_t ERROR_INVALID_PARAMETER = 87;
constexpr std::int32_t ERROR_BAD_PATHNAME = 161;
constexpr std::int32_t ERROR_MORE_DATA = 234;
constexpr std::int32_t ERROR_REGISTRY_IO_FAILED = 1016;
constexpr std::int32_t ERROR_KEY_DELETED = 1018;

// Access rights.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Value types (any other number is stored and returned as it is).
constexpr std::uint32_t REG_NONE = 0;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_EXPAND_SZ = 2;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;
constexpr std::uint32_t REG_MULTI_SZ = 7;

// Options and dispositions of RegCreateKeyExA. Volatile keys are not kept.
constexpr std::uint32_t REG_OPTION_NON_VOLATILE = 0;
constexpr std::uint32_t REG_OPTION_VOLATILE = 1;
constexpr std::uint32_t REG_CREATED_NEW_KEY = 1;
constexpr std::uint32_t REG_OPENED_EXISTING_KEY = 2;

// Opens an existing key; an empty or null lpSubKey opens a new handle to hKey itself. A
// sub-key path has one or more names separated by "\"; an empty name (a leading, trailing or
// doubled "\") gives ERROR_BAD_PATHNAME.
std::int32_t RegOpenKeyExA(HKEY hKey, const char *lpSubKey, std::uint32_t ulOptions,
                           REGSAM samDesired, HKEY *phkResult);

// Opens a key, creating it and every missing key above it. Class and security are not kept.
std::int32_t RegCreateKeyExA(HKEY hKey, const char *lpSubKey, std::uint32_t Reserved,
                             const char *lpClass, std::uint32_t dwOptions, REGSAM samDesired,
                             const void *lpSecurityAttributes, HKEY *phkResult,
                             std::uint32_t *lpdwDisposition);

// Reads a value (null or empty name: the unnamed value). With lpData null only the size in bytes
// is reported; a buffer smaller than the data gives ERROR_MORE_DATA and the size needed.
std::int32_t RegQueryValueExA(HKEY hKey, const char *lpValueName, std::uint32_t *lpReserved,
                              std::uint32_t *lpType, unsigned char *lpData,
                              std::uint32_t *lpcbData);

// Writes a value of cbData bytes exactly as given; a REG_SZ text counts its terminator.
std::int32_t RegSetValueExA(HKEY hKey, const char *lpValueName, std::uint32_t Reserved,
                            std::uint32_t dwType, const unsigned char *lpData,
                            std::uint32_t cbData);

std::int32_t RegDeleteValueA(HKEY hKey, const char *lpValueName);

// Deletes a key with all its values; a key that still has sub-keys gives ERROR_ACCESS_DENIED.
std::int32_t RegDeleteKeyA(HKEY hKey, const char *lpSubKey);

std::int32_t RegCloseKey(HKEY hKey);

// Where the root keys' files are: the user's configuration folder + "/clipwright/registry".
QString RegistryFolder();
// The file of a predefined root key; empty for any other handle.
QString RegistryFile(HKEY hRoot);
// Makes the store use another folder (a test's temporary one); an empty text restores the real one.
QString SetRegistryFolderForTests(const QString &sFolder);
