#include "platform/RegistryWriteBatch.h"

#include "platform/RegistryStore.h"

RegistryWriteBatch::RegistryWriteBatch(HKEY hRoot) : m_hRoot(hRoot)
{
    RegistryStore::OpenBatch(m_hRoot);
}

RegistryWriteBatch::~RegistryWriteBatch()
{
    Commit();
}

std::int32_t RegistryWriteBatch::Commit()
{
    if (!m_bOpen)
        return ERROR_SUCCESS;
    m_bOpen = false;
    return RegistryStore::CloseBatch(m_hRoot);
}
