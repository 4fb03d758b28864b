#include "ui/QtMessageBox.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QScreen>
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
    // Without a frame the window manager may not place it: start in the middle of the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
