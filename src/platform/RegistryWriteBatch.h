#pragma once

#include "platform/modRegistry.h"

#include <cstdint>

// Holds the changes to a root key's file in memory while it lives, and writes the file once when
// it ends: writing the file costs a locked, synced, atomic replace (about 20 ms), once per value
// without a batch. Every registry call made meanwhile sees the changes. Batches of the same root
// may nest; the outermost one writes.
class RegistryWriteBatch {
public:
    explicit RegistryWriteBatch(HKEY hRoot);
    ~RegistryWriteBatch(); // writes, if Commit has not

    RegistryWriteBatch(const RegistryWriteBatch &) = delete;
    RegistryWriteBatch &operator=(const RegistryWriteBatch &) = delete;

    // Writes the file now (the outermost batch only); the registry's result code.
    std::int32_t Commit();

private:
    HKEY m_hRoot;
    bool m_bOpen = true;
};
