#include "ui/modDisplayLoss.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
struct DisplayLossState {
    bool bInstalled = false;
    bool bArmed = false;
    QByteArrayList lsOutputs; // as the system names them
    SettingsValues settings;
};

// Never destroyed: the exit handler may run after static objects have gone.
DisplayLossState &TheState()
{
    static auto *state = new DisplayLossState;
    return *state;
}

// The processes this program started that still run (or are not yet reaped): the encoders.
QList<pid_t> ChildProcesses()
{
    QList<pid_t> children;
    const pid_t iSelf = ::getpid();
    const QStringList lsEntries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &sEntry : lsEntries) {
        bool bNumber = false;
        const pid_t iPid = static_cast<pid_t>(sEntry.toInt(&bNumber));
        if (!bNumber)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(sEntry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks and brackets, so look after the
        // last ")".
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toInt() == iSelf)
            children.append(iPid);
    }
    return children;
}

void EndAfterDisplayLoss()
{
    DisplayLossState &state = TheState();
    if (!state.bArmed)
        return;
    state.bArmed = false;
    // Ended and reaped first: an encoder still starting would make its output again after the
    // removal. __WALL: Qt starts its children without SIGCHLD as their exit signal.
    const QList<pid_t> children = ChildProcesses();
    for (const pid_t iChild : children)
        ::kill(iChild, SIGKILL);
    for (const pid_t iChild : children) {
        while (::waitpid(iChild, nullptr, __WALL) < 0 && errno == EINTR) {
        }
    }
    // Only the file the task made, as the window's close removes it.
    for (const QByteArray &output : state.lsOutputs) {
        struct stat status = {};
        if (::lstat(output.constData(), &status) == 0 && S_ISREG(status.st_mode))
            ::unlink(output.constData());
    }
    state.lsOutputs.clear();
    if (!state.settings.isEmpty())
        SaveSettingsValues(state.settings);
}
} // namespace

void ArmDisplayLossEnd()
{
    DisplayLossState &state = TheState();
    // Installed after Qt's own start-up: exit handlers run in the reverse order of their
    // installation, so Qt's objects made before this one (the settings store's among them)
    // are still there when it runs.
    if (!state.bInstalled)
        state.bInstalled = std::atexit(EndAfterDisplayLoss) == 0;
    state.bArmed = true;
}

void DisarmDisplayLossEnd()
{
    TheState().bArmed = false;
}

void NoteUnfinishedOutput(const QString &sPath)
{
    if (!sPath.isEmpty())
        TheState().lsOutputs.append(QFile::encodeName(sPath));
}

void ForgetUnfinishedOutput(const QString &sPath)
{
    if (!sPath.isEmpty())
        TheState().lsOutputs.removeOne(QFile::encodeName(sPath));
}

void NoteSettingsValues(const SettingsValues &values)
{
    TheState().settings = values;
}
