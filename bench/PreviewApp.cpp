// The program as bench_preview runs it: main()'s window with the real libmpv preview, loading the
// clip named on the command line through the open-file dialog's route (the dialog answers with the
// clip) and playing it. Reports on stdout, in milliseconds since the process started:
//   shown <ms>     the window was first exposed on the display
//   playing <ms>   the clip is loaded and playing
// and every second "paints <n>": how often the video window was painted in that second (either
// kind of video window: a QOpenGLWidget or a QOpenGLWindow).
// A line "load" on stdin loads the clip again through the same route and reports "loaded <n>",
// the number of loads so far, once the new load has returned.
// A line "close" on stdin clicks the window's Close button and reports "saved <ms>", the time from
// the window's close event to the preview's release (the settings' save, which comes first), and
// "closed <ms>" once the close handling has returned (the save and the preview's release); the
// rest of the close is the process ending.
//   bench_preview_app <clip> [mpv-option=value ...]
// The mpv options (set after the preview's own) are for trying options out while measuring.
#include "preview/MpvPreview.h"
#include "preview/MpvVideoWidget.h"
#include "widgets/MyButton.h"
#include "widgets/PictureBox.h"
#include "ui/QtMessageBox.h"
#include "ui/frmMain.h"
#include "ui/modDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QOpenGLWindow>
#include <QScreen>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QTimer>
#include <QWindow>
#include <clocale>
#include <malloc.h>
#include <cstdio>
#include <unistd.h>

namespace {
QElapsedTimer g_sinceStart;

void Report(const char *sWhat, qint64 iValue)
{
    std::printf("%s %lld\n", sWhat, static_cast<long long>(iValue));
    std::fflush(stdout);
}

// Counts the paint events of the widgets it watches, and notes the window's first exposure.
class PaintCounter : public QObject {
public:
    int iPaints = 0;
    bool bShown = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A QOpenGLWidget paints on Paint, a QOpenGLWindow on UpdateRequest.
        if (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest)
            ++iPaints;
        if (!bShown && event->type() == QEvent::Expose) {
            if (auto *window = qobject_cast<QWindow *>(watched); window && window->isExposed()) {
                bShown = true;
                Report("shown", g_sinceStart.elapsed());
            }
        }
        return false;
    }
};
} // namespace

int main(int argc, char **argv)
{
    g_sinceStart.start();
    mallopt(M_ARENA_MAX, 2); // as the program's main does
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    InstallQtMsgBoxHandler();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_preview_app <clip> [mpv-option=value ...]\n");
        return 2;
    }
    const QString sClip = args.at(1);
    QList<QPair<QByteArray, QByteArray>> options;
    for (int i = 2; i < args.size(); ++i) {
        const int iEquals = args.at(i).indexOf(QLatin1Char('='));
        options.append({args.at(i).left(iEquals).toUtf8(), args.at(i).mid(iEquals + 1).toUtf8()});
    }
    MpvPreview::SetOptionsForTests(options);
    SetOpenDialogForTests([sClip](QWidget *, const QList<FileFilter> &, const QString &) { return sClip; });

    frmMain window;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    PaintCounter counter;
    window.winId();
    window.windowHandle()->installEventFilter(&counter);
    window.show();

    QTimer::singleShot(0, &window, [&] {
        window.cmdAddVideoFile->click();
        Report("playing", g_sinceStart.elapsed());
        for (QOpenGLWidget *objVideo : window.picVideoWindow->findChildren<QOpenGLWidget *>())
            objVideo->installEventFilter(&counter);
        for (QWindow *objVideo : QGuiApplication::allWindows()) {
            if (qobject_cast<QOpenGLWindow *>(objVideo))
                objVideo->installEventFilter(&counter);
        }
    });
    QTimer paintsEverySecond;
    QObject::connect(&paintsEverySecond, &QTimer::timeout, [&] {
        Report("paints", counter.iPaints);
        counter.iPaints = 0;
    });
    paintsEverySecond.start(1000);

    int iLoads = 1;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char sLine[64] = {};
        const ssize_t iRead = ::read(STDIN_FILENO, sLine, sizeof sLine - 1);
        if (iRead > 0 && QByteArray(sLine).startsWith("load")) {
            window.cmdAddVideoFile->click();
            Report("loaded", ++iLoads);
        } else if (iRead <= 0 || QByteArray(sLine).startsWith("close")) {
            input.setEnabled(false);
            QElapsedTimer closing;
            closing.start();
            for (MpvVideoWidget *objVideo : window.picVideoWindow->findChildren<MpvVideoWidget *>()) {
                QObject::connect(objVideo, &MpvVideoWidget::VideoLeaving,
                                 [&closing] { Report("saved", closing.elapsed()); });
            }
            window.cmdClose->click();
            Report("closed", closing.elapsed());
        }
    });
    return app.exec();
}
