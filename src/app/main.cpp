#include "ui/QtMessageBox.h"
#include "ui/frmMain.h"
#include "ui/modProgramEnd.h"
#include "ui/modStartFile.h"
#include "ui/modWindowPlace.h"
#include "workflow/modStartArgs.h"

#include <QApplication>
#include <QStyleFactory>
#include <clocale>
#include <cstdio>
#include <malloc.h>

namespace {
void Print(std::FILE *stream, const QString &sText)
{
    std::fputs(sText.toLocal8Bit().constData(), stream);
}
} // namespace

int main(int argc, char **argv)
{
    // Read before QApplication, which needs a display: --help and --version must not.
    QStringList lsArgs;
    for (int i = 1; i < argc; ++i)
        lsArgs << QString::fromLocal8Bit(argv[i]);
    const StartArgs args = ParseStartArgs(lsArgs);
    switch (args.action) {
    case StartArgs::Action::Help:
        Print(stdout, StartHelpText());
        return 0;
    case StartArgs::Action::Version:
        Print(stdout, StartVersionText());
        return 0;
    case StartArgs::Action::Error:
        Print(stderr, StartUsageText(args.sError));
        return kExitUsage;
    case StartArgs::Action::Run:
        break;
    }

    // Before any thread starts. Every load starts a new mpv core with a score of threads, and
    // glibc gives threads arenas of their own (up to 8 per core), each keeping what its threads
    // freed: 40 loads left the program at twice a plain player's memory. Two arenas serve the
    // window's thread and mpv's alike.
    mallopt(M_ARENA_MAX, 2);
    QApplication app(argc, argv);
    // The preview's libmpv refuses to start under a locale whose decimal point is not ".".
    std::setlocale(LC_NUMERIC, "C");
    if (!args.bStyleGiven)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    InstallQtMsgBoxHandler();

    frmMain window;
    EndProgramWithWindow(window);
    // Without a frame the window manager may not place it.
    PlaceOnScreen(window);
    window.show();
    if (!args.sFile.isEmpty())
        LoadWhenShown(window, args.sFile);
    return app.exec();
}
