#include "ui/modDisplayLoss.h"

#include "platform/modChildProcesses.h"

#include <QByteArrayList>
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

void EndAfterDisplayLoss()
{
    DisplayLossState &state = TheState();
    if (!state.bArmed)
        return;
    state.bArmed = false;
    // Ended and reaped first: an encoder still starting would make its output again after the
    // removal. __WALL: Qt starts its children without SIGCHLD as their exit signal.
    const QList<qint64> children = ChildPids();
    for (const qint64 iChild : children)
        ::kill(static_cast<pid_t>(iChild), SIGKILL);
    for (const qint64 iChild : children) {
        while (::waitpid(static_cast<pid_t>(iChild), nullptr, __WALL) < 0 && errno == EINTR) {
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
