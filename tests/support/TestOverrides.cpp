#include "support/TestOverrides.h"

#include "common/AppPath.h"
#include "platform/modNamedLock.h"
#include "platform/modPowerOff.h"
#include "platform/modRegistry.h"

TestOverrides::TestOverrides()
    : m_programFolder(SetAppPathForTests, m_programDir.path()),
      m_registryFolder(SetRegistryFolderForTests, m_registryDir.path()),
      m_lockFolder(SetNamedLockFolderForTests, m_lockDir.path()),
      m_powerOff(SetPowerOffHandlerForTests, [this] { ++m_iPowerOffs; })
{
}

bool TestOverrides::IsValid() const
{
    return m_programDir.isValid() && m_registryDir.isValid() && m_lockDir.isValid();
}
