// What the preview costs against a plain player: the program (bench_preview_app: the real window
// and libmpv preview, the clip loaded through the open dialog's route and playing) and ffplay, on
// the same generated 60 s 1280x720 H.264 clip at the preview's size, alternating, several rounds.
// Both play their sound to nowhere: ffplay through SDL's dummy driver; the program with its own
// outputs, which fall back to mpv's null output where there is no sound server or card.
// Prints per program the medians of: CPU while playing, resident memory while playing, the ratio
// of each to ffplay's in the same round, the time from Close to the process gone (and whether the
// settings were saved and the lock released), the time to the window shown, and the video
// window's paints per second.
//   bench_preview [rounds] [program ...]
// measures the bench_preview_app beside it and then each program named (other builds of it, e.g.
// one from an earlier commit), 5 rounds unless told. A program given as "program option=value ..."
// (one argument) is run with those mpv options, to try options out side by side.
// The close time is split into the settings' save, the preview's release, and the process's end.
// Needs a display (run.sh runs it under xvfb-run).
#include "BenchSupport.h"
#include "support/TestMedia.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
// The preview area's size in pixels.
constexpr int kPreviewWidth = 318;
constexpr int kPreviewHeight = 189;
// Playback settles (decoder, caches, first frames) before the measured window begins.
constexpr int kSettleMs = 3000;
constexpr int kMeasureMs = 10000;
constexpr int kSampleMs = 500;
constexpr int kStartTimeoutMs = 60000;
constexpr int kCloseTimeoutMs = 20000;
constexpr int kDefaultRounds = 5;
constexpr double kCpuRatioTarget = 1.1;
constexpr double kMemoryRatioTarget = 1.5;
constexpr qint64 kCloseTargetMs = 500;
// The file of the named lock that the running program holds.
const QString kLockName = QStringLiteral("Orvantaclipwright.lock");

struct Usage {
    double dCpuPercent = 0.0; // of one core
    double dRssMb = 0.0;      // the highest sample while playing
};

struct AppRun {
    Usage usage;
    qint64 iShownMs = -1;
    qint64 iPlayingMs = -1;
    qint64 iCloseMs = -1;
    qint64 iSaveMs = -1;   // from the close event to the preview's release: the settings' save
    qint64 iClosedMs = -1; // the window's close handling, settings and preview release
    double dPaintsPerSecond = 0.0;
    bool bSettingsSaved = false;
    bool bLockReleased = false;
};

// User + system time of a live process, in seconds (all its threads).
double CpuSeconds(qint64 iPid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(iPid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0.0;
    const QByteArray sStat = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = sStat.mid(sStat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0.0;
    const double dTicks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (fields.at(11).toDouble() + fields.at(12).toDouble()) / dTicks;
}

// Lets the process settle, then measures it for kMeasureMs. pump runs while waiting.
template <typename Pump>
Usage Measure(qint64 iPid, Pump pump)
{
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < kSettleMs) {
        pump();
        QThread::msleep(50);
    }
    Usage usage;
    const double dCpuStart = CpuSeconds(iPid);
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < kMeasureMs) {
        QThread::msleep(kSampleMs);
        pump();
        usage.dRssMb = std::max(usage.dRssMb, Bench::RssMb(iPid));
    }
    usage.dCpuPercent = 100.0 * (CpuSeconds(iPid) - dCpuStart) / (wall.elapsed() / 1000.0);
    return usage;
}

bool SavedSince(const QString &sFolder, const QDateTime &since)
{
    QDirIterator it(sFolder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (QFileInfo(it.next()).lastModified() >= since)
            return true;
    }
    return false;
}

bool LockFree(const QString &sFile)
{
    const int fd = ::open(QFile::encodeName(sFile).constData(), O_RDWR);
    if (fd < 0)
        return false;
    const bool bFree = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return bFree;
}

AppRun RunApp(const QString &sCommand, const QString &sClip)
{
    QStringList args = sCommand.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString sProgram = args.takeFirst();
    args.prepend(sClip);
    AppRun run;
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    QDir(home.path()).mkpath(QStringLiteral("config"));
    QProcess app;
    app.setProcessEnvironment(env);
    app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    app.start(sProgram, args);
    if (!app.waitForStarted())
        return run;

    std::vector<int> paints;
    bool bCounting = false;
    auto readLines = [&] {
        app.waitForReadyRead(0);
        while (app.canReadLine()) {
            const QList<QByteArray> words = app.readLine().trimmed().split(' ');
            if (words.size() != 2)
                continue;
            if (words[0] == "shown")
                run.iShownMs = words[1].toLongLong();
            else if (words[0] == "playing")
                run.iPlayingMs = words[1].toLongLong();
            else if (words[0] == "saved")
                run.iSaveMs = words[1].toLongLong();
            else if (words[0] == "closed")
                run.iClosedMs = words[1].toLongLong();
            else if (words[0] == "paints" && bCounting)
                paints.push_back(words[1].toInt());
        }
    };
    QElapsedTimer starting;
    starting.start();
    while (run.iPlayingMs < 0 && starting.elapsed() < kStartTimeoutMs && app.state() == QProcess::Running) {
        app.waitForReadyRead(100);
        readLines();
    }
    if (run.iPlayingMs < 0) {
        app.kill();
        app.waitForFinished();
        return run;
    }
    bCounting = true;
    run.usage = Measure(app.processId(), readLines);
    bCounting = false;
    // The first and last second are partial.
    if (paints.size() > 2)
        run.dPaintsPerSecond = Bench::Median(std::vector<double>(paints.begin() + 1, paints.end() - 1));

    const QDateTime closeAsked = QDateTime::currentDateTime().addSecs(-1);
    QElapsedTimer closing;
    closing.start();
    app.write("close\n");
    if (app.waitForFinished(kCloseTimeoutMs))
        run.iCloseMs = closing.elapsed();
    else
        app.kill();
    app.waitForFinished();
    readLines();
    run.bSettingsSaved = SavedSince(home.filePath(QStringLiteral("config")), closeAsked);
    run.bLockReleased = LockFree(home.filePath(kLockName));
    return run;
}

Usage RunFfplay(const QString &sClip)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    QProcess ffplay;
    ffplay.setProcessEnvironment(env);
    ffplay.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffplay.start(QStringLiteral("ffplay"),
                 {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                  QStringLiteral("-x"), QString::number(kPreviewWidth), QStringLiteral("-y"),
                  QString::number(kPreviewHeight), sClip});
    if (!ffplay.waitForStarted())
        return {};
    const Usage usage = Measure(ffplay.processId(), [] {});
    ffplay.kill();
    ffplay.waitForFinished();
    return usage;
}

// The machine's load average: other work on it makes the CPU figures noisy.
QByteArray LoadAverage()
{
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    return loadavg.open(QIODevice::ReadOnly) ? loadavg.readAll().trimmed() : QByteArray("unknown");
}

QString Yes(bool b)
{
    return b ? QStringLiteral("yes") : QStringLiteral("NO");
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const int iRounds = Bench::TakeCount(args, kDefaultRounds);
    const QStringList programs = QStringList{TestMedia::BinDir() + QStringLiteral("/bench_preview_app")} + args;
    const QString sClip = Bench::PreviewClip();
    if (sClip.isEmpty())
        return 1;

    std::printf("load average at the start: %s\n", LoadAverage().constData());
    std::vector<std::vector<AppRun>> appRuns(programs.size());
    std::vector<Usage> ffplayRuns;
    for (int iRound = 0; iRound < iRounds; ++iRound) {
        // Alternating the order spreads the machine's other load over both sides.
        const bool bFfplayFirst = iRound % 2 == 0;
        if (bFfplayFirst)
            ffplayRuns.push_back(RunFfplay(sClip));
        for (int i = 0; i < programs.size(); ++i) {
            const int iProgram = bFfplayFirst ? i : static_cast<int>(programs.size()) - 1 - i;
            appRuns[iProgram].push_back(RunApp(programs.at(iProgram), sClip));
            const AppRun &run = appRuns[iProgram].back();
            std::printf("round %d %s: cpu %.1f%% rss %.0f MB close %lld ms (save %lld, save and release %lld) "
                        "paints %.0f/s\n",
                        iRound + 1, qPrintable(programs.at(iProgram)), run.usage.dCpuPercent, run.usage.dRssMb,
                        static_cast<long long>(run.iCloseMs), static_cast<long long>(run.iSaveMs),
                        static_cast<long long>(run.iClosedMs), run.dPaintsPerSecond);
        }
        if (!bFfplayFirst)
            ffplayRuns.push_back(RunFfplay(sClip));
        std::printf("round %d ffplay: cpu %.1f%% rss %.0f MB\n", iRound + 1, ffplayRuns.back().dCpuPercent,
                    ffplayRuns.back().dRssMb);
        std::fflush(stdout);
    }

    std::printf("load average at the end: %s\n", LoadAverage().constData());
    std::vector<double> ffCpu, ffRss;
    for (const Usage &usage : ffplayRuns) {
        ffCpu.push_back(usage.dCpuPercent);
        ffRss.push_back(usage.dRssMb);
    }
    std::printf("\nffplay: cpu %.1f%% of a core, rss %.0f MB (medians of %d rounds)\n", Bench::Median(ffCpu),
                Bench::Median(ffRss), iRounds);
    for (int i = 0; i < programs.size(); ++i) {
        std::vector<double> cpu, rss, cpuRatio, rssRatio, close, save, closed, shown, playing, paints;
        bool bSaved = true;
        bool bReleased = true;
        for (int iRound = 0; iRound < iRounds; ++iRound) {
            const AppRun &run = appRuns[i][iRound];
            cpu.push_back(run.usage.dCpuPercent);
            rss.push_back(run.usage.dRssMb);
            cpuRatio.push_back(run.usage.dCpuPercent / std::max(ffplayRuns[iRound].dCpuPercent, 0.1));
            rssRatio.push_back(run.usage.dRssMb / std::max(ffplayRuns[iRound].dRssMb, 0.1));
            close.push_back(static_cast<double>(run.iCloseMs));
            save.push_back(static_cast<double>(run.iSaveMs));
            closed.push_back(static_cast<double>(run.iClosedMs));
            shown.push_back(static_cast<double>(run.iShownMs));
            playing.push_back(static_cast<double>(run.iPlayingMs));
            paints.push_back(run.dPaintsPerSecond);
            bSaved = bSaved && run.bSettingsSaved;
            bReleased = bReleased && run.bLockReleased && run.iCloseMs >= 0;
        }
        std::printf("%s:\n", qPrintable(programs.at(i)));
        std::printf("  cpu %.1f%% of a core, ratio to ffplay %.2f (target <= %.2f)\n", Bench::Median(cpu),
                    Bench::Median(cpuRatio), kCpuRatioTarget);
        std::printf("  rss %.0f MB, ratio to ffplay %.2f (target <= %.2f)\n", Bench::Median(rss), Bench::Median(rssRatio),
                    kMemoryRatioTarget);
        std::printf("  close to process gone %.0f ms (target <= %lld), settings saved %s, lock released %s\n",
                    Bench::Median(close), static_cast<long long>(kCloseTargetMs), qPrintable(Yes(bSaved)),
                    qPrintable(Yes(bReleased)));
        std::printf("  of the close: saving the settings %.0f ms, releasing the preview %.0f ms, the rest the "
                    "process ending\n",
                    Bench::Median(save), Bench::Median(closed) - Bench::Median(save));
        std::printf("  start to window shown %.0f ms, to playing %.0f ms; video window paints %.0f/s\n",
                    Bench::Median(shown), Bench::Median(playing), Bench::Median(paints));
    }
    return 0;
}
