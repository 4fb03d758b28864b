// What loading clip after clip costs in memory: the program (bench_preview_app: the real window
// and libmpv preview under a display) loads the same generated 60 s 1280x720 H.264 clip again and
// again through the open dialog's route, playing a moment after each load, and its resident
// memory is read after the first load and after the last; ffplay plays the same clip beside it
// as the plain player to compare with.
//   bench_loads [loads] [program ...]
// loads: 40 unless told; programs: other builds of bench_preview_app to measure beside this one
// (e.g. one built from an earlier commit), or "program option=value ..." (one argument) to try
// mpv options. Needs a display (run.sh runs it under xvfb-run).
#include "BenchSupport.h"
#include "support/TestMedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int kPreviewWidth = 318;
constexpr int kPreviewHeight = 189;
constexpr int kDefaultLoads = 40;
// Each load plays this long before the next; the memory is read after the same time of play.
constexpr int kPlayMs = 1000;
constexpr int kTimeoutMs = 60000;
constexpr double kRssTargetMb = 250.0;
constexpr double kRssRatioTarget = 1.5;

struct LoadsRun {
    double dFirstMb = 0.0; // after the first load
    double dLastMb = 0.0;  // after the last
    int iLoads = 0;
};

// Waits for a line of the app that begins with sWord; false when the time is up or it ended.
bool WaitForLine(QProcess &app, const QByteArray &sWord)
{
    QElapsedTimer waiting;
    waiting.start();
    while (waiting.elapsed() < kTimeoutMs && app.state() == QProcess::Running) {
        while (app.canReadLine()) {
            if (app.readLine().startsWith(sWord))
                return true;
        }
        app.waitForReadyRead(100);
    }
    return false;
}

void Play(QProcess &app, int iMs)
{
    QElapsedTimer playing;
    playing.start();
    while (playing.elapsed() < iMs) {
        app.waitForReadyRead(50);
        app.readAll(); // the paint counts
    }
}

LoadsRun RunApp(const QString &sCommand, const QString &sClip, int iLoads)
{
    QStringList args = sCommand.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString sProgram = args.takeFirst();
    args.prepend(sClip);
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    QProcess app;
    app.setProcessEnvironment(env);
    // Its sound outputs' complaints where there is no sound server would bury the figures.
    app.setStandardErrorFile(QProcess::nullDevice());
    app.start(sProgram, args);
    LoadsRun run;
    if (!app.waitForStarted() || !WaitForLine(app, "playing"))
        return run;
    Play(app, kPlayMs);
    run.dFirstMb = Bench::RssMb(app.processId());
    run.iLoads = 1;
    while (run.iLoads < iLoads) {
        app.write("load\n");
        if (!WaitForLine(app, "loaded"))
            break;
        ++run.iLoads;
        Play(app, kPlayMs);
    }
    run.dLastMb = Bench::RssMb(app.processId());
    app.write("close\n");
    if (!app.waitForFinished(kTimeoutMs))
        app.kill();
    app.waitForFinished();
    return run;
}

// ffplay's resident memory after it has played as long as the program's first load.
double RunFfplay(const QString &sClip)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    QProcess ffplay;
    ffplay.setProcessEnvironment(env);
    ffplay.setStandardErrorFile(QProcess::nullDevice());
    ffplay.start(QStringLiteral("ffplay"),
                 {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                  QStringLiteral("-x"), QString::number(kPreviewWidth), QStringLiteral("-y"),
                  QString::number(kPreviewHeight), sClip});
    if (!ffplay.waitForStarted())
        return 0.0;
    // Its peak while playing, as the program's figure is read while it plays.
    double dPeakMb = 0.0;
    QElapsedTimer playing;
    playing.start();
    while (playing.elapsed() < 5 * kPlayMs) {
        QThread::msleep(250);
        dPeakMb = std::max(dPeakMb, Bench::RssMb(ffplay.processId()));
    }
    ffplay.kill();
    ffplay.waitForFinished();
    return dPeakMb;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const int iLoads = Bench::TakeCount(args, kDefaultLoads);
    const QStringList programs = QStringList{TestMedia::BinDir() + QStringLiteral("/bench_preview_app")} + args;
    const QString sClip = Bench::PreviewClip();
    if (sClip.isEmpty())
        return 1;

    const double dFfplayMb = RunFfplay(sClip);
    std::printf("ffplay playing the clip: rss %.0f MB\n", dFfplayMb);
    for (const QString &sProgram : programs) {
        const LoadsRun run = RunApp(sProgram, sClip, iLoads);
        std::printf("%s:\n  rss after 1 load %.0f MB, after %d loads %.0f MB; ratio to ffplay %.2f (target <= "
                    "%.2f), target <= %.0f MB%s\n",
                    qPrintable(sProgram), run.dFirstMb, run.iLoads, run.dLastMb,
                    run.dLastMb / std::max(dFfplayMb, 0.1), kRssRatioTarget, kRssTargetMb,
                    run.iLoads < iLoads ? " (LOADS FAILED)" : "");
        std::fflush(stdout);
    }
    return 0;
}
