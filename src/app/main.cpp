#include "ui/QtMessageBox.h"
#include "ui/frmMain.h"
#include "ui/modProgramEnd.h"
#include "ui/modWindowPlace.h"

#include <QApplication>
#include <QStyleFactory>
#include <clocale>

int main(int argc, char **argv)
{
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
