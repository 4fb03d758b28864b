// The window as the program runs it (the same ending: EndProgramWithWindow), on the display of
// $DISPLAY, with the seams pointed at the folders a test gives. It loads the clip, marks 0-8 s,
// sends the output to the output folder, changes the video bitrate to 777 (a setting the store
// does not hold yet), prints "window <id>" and starts the task; the test then breaks the display.
//   ui_display_loss_app <program folder> <registry folder> <lock folder> <clip> <output folder>
#include "common/MessageBox.h"
#include "platform/modNamedLock.h"
#include "platform/modPowerOff.h"
#include "platform/modRegistry.h"
#include "common/AppPath.h"
#include "preview/MpvPreview.h"
#include "slider/Slider.h"
#include "ui/frmMain.h"
#include "ui/modDialog.h"
#include "ui/modProgramEnd.h"
#include "widgets/MyButton.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: ui_display_loss_app <program> <registry> <lock> <clip> <output>\n");
        return 2;
    }
    SetAppPathForTests(args.at(1));
    SetRegistryFolderForTests(args.at(2));
    SetNamedLockFolderForTests(args.at(3));
    SetPowerOffHandlerForTests([] {});
    SetMsgBoxHandler([](const QString &sText, MsgIcon) {
        std::fprintf(stderr, "message: %s\n", qPrintable(sText));
    });
    MpvPreview::SetOptionsForTests({{"ao", "null"}});
    const QString sClip = args.at(4);
    SetOpenDialogForTests([sClip](QWidget *, const QList<FileFilter> &, const QString &) { return sClip; });

    frmMain window;
    EndProgramWithWindow(window);
    window.show();
    QTimer::singleShot(0, &window, [&window, sOutput = args.at(5)] {
        window.cmdAddVideoFile->click();
        window.Slider->setSelectStart(0);
        window.Slider->setSelectEnd(8);
        window.optOtherFolder->setChecked(true);
        window.txtOutPath->setText(sOutput);
        window.txtCVBitrate->setText(QStringLiteral("777"));
        std::printf("window %llu\n", static_cast<unsigned long long>(window.winId()));
        std::fflush(stdout);
        window.cmdConvert->click();
    });
    return app.exec();
}
