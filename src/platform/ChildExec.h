#pragma once

#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <vector>

class QProcess;

// Runs a QProcess's program from inside the child, in the child-process modifier, right where Qt
// would run it. This gives two things Qt 6.4 does not:
// - The child dies with this process even when this process dies without ending it (killed,
//   crashed): on Linux the child asks for SIGKILL when its parent goes. SIGKILL rather than
//   SIGTERM: with nobody left to remove the unfinished output, ffmpeg must not be given the time
//   to close it into a well-formed file that looks like a finished result, and nothing can delay
//   or ignore it.
// - A program that exists but cannot be run (a bad interpreter line, a binary for another
//   machine) costs no descriptor. When Qt's own exec fails, Qt 6.4's child clears the parent's
//   copy of its start-report descriptor through the memory vfork shares with it, and the parent
//   never closes that pipe end. Here the child reports the failure on a pipe of its own and exits
//   before Qt's failure path runs; QProcess sees a child that started and ended at once.
//
// One object serves one start: Prepare, QProcess::start(), then ExecError.
class ChildExec {
public:
    ChildExec(const QString &sProgram, const QStringList &arguments);
    ~ChildExec();
    ChildExec(const ChildExec &) = delete;
    ChildExec &operator=(const ChildExec &) = delete;

    // Gives process the program, the arguments and the child-process modifier. false (with
    // errno set) when the report pipe could not be made; process is then left alone.
    bool Prepare(QProcess &process);

    // After QProcess::start() has returned: the errno of the failed exec, or 0 when the program
    // runs or the child never got that far. Waits until the child has run the program or failed.
    int ExecError();

private:
    void RunInChild() const; // in the child: no allocation, no locks, only system calls

    QByteArrayList m_args;        // program, then the arguments, as the system gets them
    std::vector<char *> m_argv;   // pointers into m_args, ended by a null pointer
    qint64 m_iParentPid = 0;
    int m_report[2] = {-1, -1};   // the child's exec failure: read end, write end
};
