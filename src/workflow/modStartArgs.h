#pragma once

#include <QString>
#include <QStringList>

// The program's command line: `clipwright [OPTION]... [FILE]`. It is read before Qt starts, so
// that --help and --version need no display; Qt's own options (-platform, -display, -style ...)
// are passed over here and left to Qt.
struct StartArgs {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString sFile;  // the video to load once the window is shown; empty for none
    QString sError; // what was wrong, for Action::Error
    bool bStyleGiven = false; // Qt's -style was given: the program keeps that style
};

// Reads the arguments that follow the program's name.
StartArgs ParseStartArgs(const QStringList &lsArgs);

// What --help prints.
QString StartHelpText();
// What --version prints: the program's name and its version.
QString StartVersionText();
// What a wrong command line prints before the short usage.
QString StartUsageText(const QString &sError);

// The exit code of a wrong command line (as getopt programs use it).
constexpr int kExitUsage = 2;
