#include "engine/StopRequest.h"

void StopRequest::Ask()
{
    m_bAsked = true;
    // A copy: the reaction may end the run that installed it, and with it the installation.
    if (const std::function<void()> reaction = m_reaction)
        reaction();
}
