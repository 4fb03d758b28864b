// Saves pictures of the window as a user sees it: the main frame, the About panel up and the
// format panel up in both modes. Usage: ui_screenshots <folder>
#include "widgets/MyFrame.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QRadioButton>
#include <QStyleFactory>
#include <QThread>
#include <QTimer>
#include <clocale>
#include <cstdio>

namespace {
void Settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

void RunSlide(frmMain &window)
{
    while (window.tmrAnimate->isActive())
        window.tmrAnimate_Timer();
    Settle();
}

void Save(frmMain &window, const QDir &folder, const char *szName)
{
    const QString sPath = folder.filePath(QString::fromLatin1(szName));
    window.grab().save(sPath);
    std::printf("%s\n", qPrintable(sPath));
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath());

    frmMain window;
    window.show();
    Settle();
    Save(window, folder, "window.png");

    window.cmdAbout_Click();
    RunSlide(window);
    Save(window, folder, "about.png");
    window.cmdCloseHelp_Click();
    RunSlide(window);

    window.cmdChangeFormat_Click();
    RunSlide(window);
    Save(window, folder, "formats.png");
    window.optFormat[1]->setChecked(true);
    Settle();
    Save(window, folder, "formats_custom.png");
    return 0;
}
