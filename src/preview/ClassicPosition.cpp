#include "preview/ClassicPosition.h"

#include "preview/MpvSession.h"

#include <algorithm>

bool ClassicPosition::Opened()
{
    return m_session.ReadDouble("duration", m_dDuration);
}

bool ClassicPosition::Duration(double &dDuration)
{
    // mpv may refine the duration while it plays; the one read at load stands in otherwise.
    double dRead = 0.0;
    if (m_session.ReadDouble("duration", dRead))
        m_dDuration = dRead;
    else if (m_dDuration <= 0.0)
        return false;
    dDuration = m_dDuration;
    return true;
}

bool ClassicPosition::Position(double &dPosition)
{
    double dDuration = 0.0;
    const bool bHasDuration = Duration(dDuration);

    bool bAtEnd = m_held == Held::End;
    bool bEofReached = false;
    if (m_session.ReadFlag("eof-reached", bEofReached) && bEofReached)
        bAtEnd = true;
    if (bAtEnd && bHasDuration) {
        dPosition = dDuration;
        return true;
    }
    if (m_held == Held::SoughtPlace) {
        dPosition = m_dSought;
        return true;
    }
    double dTime = 0.0;
    if (!m_session.ReadDouble("time-pos", dTime))
        return false;
    dTime = std::max(dTime, 0.0);
    if (bHasDuration)
        dTime = std::min(dTime, dDuration);
    dPosition = dTime;
    return true;
}

bool ClassicPosition::Seek(double dPosition, int iTimeoutMs)
{
    double dDuration = 0.0;
    const bool bHasDuration = Duration(dDuration);
    double dTarget = std::max(dPosition, 0.0);
    const bool bToEnd = bHasDuration && dTarget >= dDuration;
    if (bToEnd)
        dTarget = dDuration;

    bool bPaused = false;
    m_session.ReadFlag("pause", bPaused);
    // A failed seek leaves the end held, but no sought place.
    if (m_held == Held::SoughtPlace)
        m_held = Held::Nothing;
    if (!m_session.Seek(dTarget, iTimeoutMs))
        return false;
    m_dSought = dTarget;
    m_held = bToEnd ? Held::End : bPaused ? Held::SoughtPlace : Held::Nothing;
    return true;
}

void ClassicPosition::Running()
{
    if (m_held == Held::SoughtPlace)
        m_held = Held::Nothing;
}
