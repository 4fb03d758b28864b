#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <cstdint>
#include <functional>

struct mpv_handle;
struct mpv_event;
class MpvVideoWidget;

// One mpv core playing one file, and the waits that make its asynchronous work look synchronous:
// Load returns once the file is open and its first frame decoded, Seek once mpv has restarted at
// the new place, SetOutput once mpv has switched its video output.
//
// Waits look at mpv's own event queue, never at Qt's: nothing of the window runs meanwhile. The
// GUI thread is also mpv's render thread, and mpv's video output stands still until its frame is
// drawn, so a wait draws the frames of the video widget it has been given.
class MpvSession : public QObject {
    Q_OBJECT

public:
    // Where the file stands.
    enum class LoadState {
        Empty,   // nothing asked for yet
        Loading, // loadfile sent
        Opened,  // mpv holds the file, its first frame not yet decoded
        Ready,   // the first frame is decoded: the file plays
        Lost,    // mpv gave the file up (failed to load, dropped it, or shut down)
    };
    // Where the awaited seek stands.
    enum class SeekState {
        Idle,    // none awaited
        Sent,    // the command is queued
        Started, // mpv began it
        Done,    // playback restarted at the new place
    };
    struct Tracks {
        bool bVideo = false; // a picture track (album art does not count)
        bool bAudio = false;
    };
    using Options = QList<QPair<QByteArray, QByteArray>>;

    MpvSession() = default;
    ~MpvSession() override;

    // Makes the core with these options, in order. False when mpv refuses (e.g. under a locale
    // with a decimal comma) or an option is unknown.
    bool Create(const Options &options);
    mpv_handle *Handle() const { return m_mpv; }
    LoadState State() const { return m_load; }
    bool IsReady() const { return m_load == LoadState::Ready; }

    // Opens a file (given as a local path) and waits for its first frame; on failure stops a
    // load that is still under way and leaves the state Lost.
    bool LoadFile(const QByteArray &sPath, int iTimeoutMs);
    // Stops playing the file for good (the state becomes Lost).
    void GiveUp();
    // Seeks exactly to dTarget seconds and waits until playback restarted there.
    bool Seek(double dTarget, int iTimeoutMs);
    // Switches mpv's video output and waits for mpv's answer (mpv closes an output only after
    // the frame it handed over is drawn).
    bool SwitchOutput(const char *sOutput, int iTimeoutMs);
    // Sets the video output where no frame can be waiting (a fresh render context).
    bool SetOutput(const char *sOutput);

    bool ReadTracks(Tracks &tracks) const;
    bool ReadDouble(const char *sProperty, double &dValue) const;
    bool ReadFlag(const char *sProperty, bool &bValue) const;
    bool SetFlag(const char *sProperty, bool bValue);
    bool SetDouble(const char *sProperty, double dValue);

    // The widget whose frames the waits draw; nullptr for none.
    void SetDrawingWidget(MpvVideoWidget *objWidget);

    // Ends the core now (it also ends with the session).
    void Terminate();

private:
    void DrainEvents();
    void HandleEvent(const mpv_event &event);
    bool WaitFor(const std::function<bool()> &done, int iTimeoutMs);

    mpv_handle *m_mpv = nullptr;
    LoadState m_load = LoadState::Empty;
    SeekState m_seek = SeekState::Idle;
    std::uint64_t m_iLastRequest = 0;  // the reply number of the last asynchronous request
    std::uint64_t m_iLastAnswered = 0; // the last reply received
    QPointer<MpvVideoWidget> m_objDrawing;
};
