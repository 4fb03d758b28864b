// Shows the window with a failure message built from a recorded encoder output, as the program
// shows it after a failed cut, and saves the whole screen. Not a test: a picture to look at.
// Usage: ui_message_shot <recorded encoder output> <file.png>
#include "common/MessageBox.h"
#include "engine/modJobOutput.h"
#include "ui/QtMessageBox.h"
#include "ui/frmMain.h"
#include "ui/modWindowPlace.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc < 3) {
        std::fprintf(stderr, "usage: ui_message_shot <recorded encoder output> <file.png>\n");
        return 2;
    }
    QFile recorded(QString::fromLocal8Bit(argv[1]));
    if (!recorded.open(QIODevice::ReadOnly))
        return 1;
    const QString sOutputs = QString::fromLocal8Bit(recorded.readAll());
    const QString sPicture = QString::fromLocal8Bit(argv[2]);
    InstallQtMsgBoxHandler();

    frmMain window;
    PlaceOnScreen(window);
    window.show();

    bool bSaved = false;
    QTimer::singleShot(1500, [&] {
        bSaved = QGuiApplication::primaryScreen()->grabWindow(0).save(sPicture);
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    MsgBox(QStringLiteral("Error converting file: holiday.mp4\r\n") + GetErrorDetail(sOutputs), MsgIcon::Critical);
    std::printf("%s\n", qPrintable(sPicture));
    return bSaved ? 0 : 1;
}
