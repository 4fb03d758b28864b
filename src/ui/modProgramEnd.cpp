#include "ui/modProgramEnd.h"

#include "platform/QuitSignalNotifier.h"
#include "ui/WindowGoneFilter.h"
#include "ui/frmMain.h"
#include "ui/modDisplayLoss.h"

#include <QApplication>

namespace {
// More dialogs than this over one another are not ours: stop looking.
constexpr int kMaxDialogs = 8;
} // namespace

void CloseProgramWindow(frmMain &window)
{
    // A message box or dialog still open would hold the program up after the window has gone.
    for (int i = 0; i < kMaxDialogs; ++i) {
        QWidget *dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || dialog == &window)
            break;
        dialog->close();
    }
    window.close();
}

void EndProgramWithWindow(frmMain &window)
{
    QApplication::setQuitOnLastWindowClosed(true);
    auto *quitSignals = new QuitSignalNotifier(&window);
    QObject::connect(quitSignals, &QuitSignalNotifier::Received, &window,
                     [&window] { CloseProgramWindow(window); }, Qt::QueuedConnection);
    auto *gone = new WindowGoneFilter(&window);
    QObject::connect(gone, &WindowGoneFilter::Gone, &window, [&window] {
        // Its close still saves the settings and ends the task; nothing is left to show then.
        CloseProgramWindow(window);
        QCoreApplication::quit();
    });
    QObject::connect(&window, &QObject::destroyed, qApp, &QCoreApplication::quit);
    ArmDisplayLossEnd();
}
