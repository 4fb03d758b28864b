#include "ui/QtMessageBox.h"
#include "ui/frmMain.h"
#include "ui/modProgramEnd.h"
#include "ui/modWindowPlace.h"

#include <QApplication>
#include <QStyleFactory>
#include <clocale>
#include <malloc.h>

int main(int argc, char **argv)
{
    // Before any thread starts. Every load starts a new mpv core with a score of threads, and
    // glibc gives threads arenas of their own (up to 8 per core), each keeping what its threads
    // freed: 40 loads left the program at twice a plain player's memory. Two arenas serve the
    // window's thread and mpv's alike.
    mallopt(M_ARENA_MAX, 2);
    QApplication app(argc, argv);
    // The preview's libmpv refuses to start under a locale whose decimal point is not ".".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    InstallQtMsgBoxHandler();

    frmMain window;
    EndProgramWithWindow(window);
    // Without a frame the window manager may not place it.
    PlaceOnScreen(window);
    window.show();
    return app.exec();
}
