#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals that ask a program to end (SIGTERM from a task manager or a logout, SIGINT,
// SIGHUP when the terminal goes) into an event of the event loop, so that the program can end as
// its window's close does instead of dying where it stands. The signal handler only writes the
// signal's number into a pipe; Received is raised from the event loop that reads it.
//
// A signal that is ignored when the notifier is made (SIGHUP under nohup) is left ignored.
// One notifier at a time; its destruction gives the three signals back their former handling.
class QuitSignalNotifier : public QObject {
    Q_OBJECT

public:
    explicit QuitSignalNotifier(QObject *parent = nullptr);
    ~QuitSignalNotifier() override;

    // false when the pipe or a handler could not be set up; the signals then end the program as
    // before.
    bool Installed() const { return m_bInstalled; }

signals:
    void Received(int iSignal);

private:
    void ReadPipe();

    QSocketNotifier *m_notifier = nullptr;
    bool m_bInstalled = false;
};
