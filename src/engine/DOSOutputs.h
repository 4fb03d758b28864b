#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QProcess;
class QTimer;
class StopRequest;

// The text ReceiveOutputs carries when a run ends because it was asked to stop.
extern const QString kCancelledNotice; // "Cancelled"

// Runs one console command line as a hidden child process and hands everything it writes to the
// owner piece by piece while it runs. Standard output and standard error arrive merged on one
// pipe; standard input is closed. The command line is one text split by the Windows rules
// (platform/modCommandLine.h). The child dies with the program, however the program ends
// (platform/ChildExec.h).
//
// Everything runs on the calling (window) thread: ExecuteCommand pumps the event loop while it
// waits, so any window event, including a stop request, CleanUp or the destruction of this
// object, can run inside it. A runner destroyed during its own run ends and reaps the child,
// and ExecuteCommand then returns an empty text without touching the object again.
class DOSOutputs : public QObject {
    Q_OBJECT

public:
    explicit DOSOutputs(QObject *parent = nullptr);
    ~DOSOutputs() override; // runs CleanUp

    void setCommandLine(const QString &sCommandLine) { m_sCommandLine = sCommandLine; }
    QString CommandLine() const { return m_sCommandLine; }

    // All output of the current or last child, in arrival order. Cleared when a child has been
    // started, kept when a start fails.
    QString Outputs() const { return m_sOutputs; }

    // Runs sDOSCommand (which then replaces CommandLine), or CommandLine when sDOSCommand is
    // empty, and returns when the child has ended or has been stopped. Returns the whole output
    // when the child ran to its end; an empty text when there was nothing to run, the child could
    // not be started, or the run was stopped. ReceiveOutputs is raised for every read (also the
    // last, empty one) and once more with kCancelledNotice after a stop.
    QString ExecuteCommand(const QString &sDOSCommand);

    // Ends the child being read, if any (asked to terminate, killed when it has not ended after a
    // short grace), reaps it and closes the pipe. Safe at any time, any number of times.
    void CleanUp();

    // true stops a running ExecuteCommand: the child is ended and reaped at once (as CleanUp
    // does), whatever runs next inside the pump, and the run then ends as a stopped one. A run
    // started later begins with the flag cleared. The flag is the runner's stop request.
    void setStopConvert(bool bSet);
    // The stop request the runner reads: its own, or one its owner shares with it (the job's).
    void setStopRequest(std::shared_ptr<StopRequest> stop);

    // How the last child ended: its exit code when it ran to its end and exited by itself, -1
    // while it runs, when it was stopped, ended by CleanUp, crashed, or never started.
    int ExitCode() const { return m_iExitCode; }

signals:
    void ReceiveOutputs(const QString &CommandOutputs);

private:
    enum class ReadResult { Data, Interrupted, Failed };

    bool StartChild();
    ReadResult ReadPipe(char *buffer, qint64 *n, const QPointer<DOSOutputs> &self);

    QString m_sCommandLine;
    QString m_sOutputs;
    QProcess *m_process = nullptr; // the child being read; null is "no read end"
    QTimer *m_wakeUp = nullptr;    // bounds every wait for the child, so the pump runs at least that often
    std::shared_ptr<StopRequest> m_stop;
    bool m_bRunning = false;
    int m_iExitCode = -1;
};
