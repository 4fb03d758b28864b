#pragma once

class MpvSession;

// The position as the classic media framework reports it, over an mpv session that plays a file:
// a stream that has played (or been sought) to its end reads its duration as its position, and a
// graph standing after a seek reads the sought place until it runs again. mpv itself stands on the
// last frame's time at the end, and after a seek on the first frame at or after the sought place.
class ClassicPosition {
public:
    explicit ClassicPosition(MpvSession &session) : m_session(session) {}

    // Reads the duration that the file opened with; false when mpv knows none.
    bool Opened();
    bool Duration(double &dDuration);
    bool Position(double &dPosition);
    // Seeks to dPosition, taken as the nearer end outside 0 .. duration, and waits until done.
    bool Seek(double dPosition, int iTimeoutMs);
    // Playback runs on from where it stands: the sought place is no longer held.
    void Running();

private:
    // What the position reads besides mpv's own time.
    enum class Held {
        Nothing,
        SoughtPlace, // paused since a seek
        End,         // the last seek went to the end of the stream
    };

    MpvSession &m_session;
    Held m_held = Held::Nothing;
    double m_dSought = 0.0;
    double m_dDuration = 0.0;
};
