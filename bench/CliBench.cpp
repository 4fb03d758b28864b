// clipwright-cut against the encoder alone: a 60 s cut of a generated 60 s 1280x720 clip through the
// whole program (start, catalogue, the encoder's file check, naming, the encoder job), and the
// same ffmpeg command line, as its --dry-run prints it, run directly, in alternating pairs. Prints
// the wall-time ratio (ours / direct), and the CPU-time ratio of the whole process trees (ours:
// the program, its file check and its encoder), which other load on the machine disturbs less.
#include "BenchSupport.h"
#include "platform/modCommandLine.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

namespace {
constexpr double kClipSeconds = 60.0;
const QString kClipSize = QStringLiteral("1280x720");
const QString kPreset = QStringLiteral("Everyday/H.264/AAC 720p (HD)/mp4");
const QString kStart = QStringLiteral("0");
const QString kEnd = QStringLiteral("60");
constexpr double kRatioTarget = 1.03;
constexpr int kDefaultPairs = 3;

QString Program()
{
    return TestMedia::BinDir() + QStringLiteral("/clipwright-cut");
}

QStringList CutArguments(const QString &sOutputFolder, const QString &sInput)
{
    return {QStringLiteral("--preset"), kPreset, QStringLiteral("--start"), kStart, QStringLiteral("--end"), kEnd,
            QStringLiteral("--output"), sOutputFolder, sInput};
}

struct Measure {
    double dWall = -1.0; // s; negative when the run failed
    double dCpu = 0.0;   // s, user + system of the run and every child it waited for
};

double ChildrenCpu()
{
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    const auto seconds = [](const timeval &tv) {
        return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
    };
    return seconds(children.ru_utime) + seconds(children.ru_stime);
}

Measure TimedRun(const QStringList &command)
{
    const double dCpuBefore = ChildrenCpu();
    QElapsedTimer clock;
    clock.start();
    const bool bOk = Bench::RunSilently(command);
    Measure result;
    if (bOk)
        result.dWall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    result.dCpu = ChildrenCpu() - dCpuBefore;
    return result;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int iPairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultPairs;

    QTemporaryDir temp;
    const QString sInput = temp.filePath(QStringLiteral("source.mp4"));
    std::printf("Making a %.0f s %s clip ...\n", kClipSeconds, qPrintable(kClipSize));
    std::fflush(stdout);
    if (!temp.isValid() ||
        !TestMedia::MakeClip(sInput, kClipSeconds, kClipSize,
                             {QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                              QStringLiteral("ultrafast"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")})) {
        std::fprintf(stderr, "could not make the clip\n");
        return 2;
    }
    const QString sOurs = temp.filePath(QStringLiteral("ours"));
    const QString sDirect = temp.filePath(QStringLiteral("direct"));
    QDir().mkpath(sDirect);

    // The direct side runs exactly the command line the program would run.
    QProcess dryRun;
    dryRun.start(Program(), QStringList{QStringLiteral("--dry-run")} + CutArguments(sDirect, sInput));
    if (!dryRun.waitForFinished() || dryRun.exitCode() != 0) {
        std::fprintf(stderr, "clipwright-cut --dry-run failed: %s\n", dryRun.readAllStandardError().constData());
        return 2;
    }
    const QString sCommandLine = QString::fromLocal8Bit(dryRun.readAllStandardOutput()).trimmed();
    const QStringList direct = SplitCommandLine(sCommandLine);
    const QStringList ours = QStringList{Program()} + CutArguments(sOurs, sInput);
    std::printf("Direct: %s\nOurs:   %s\n", qPrintable(sCommandLine), qPrintable(ours.join(QLatin1Char(' '))));

    // One direct run first, so that both sides find the clip and the encoder's libraries cached.
    TimedRun(direct);

    std::vector<double> ratios;
    double dOursSum = 0.0;
    double dDirectSum = 0.0;
    double dOursFastest = 0.0;
    double dDirectFastest = 0.0;
    double dOursCpu = 0.0;
    double dDirectCpu = 0.0;
    std::printf("\n%4s %10s %10s %7s %12s %12s\n", "pair", "direct s", "ours s", "ratio", "direct CPU s",
                "ours CPU s");
    for (int i = 0; i < iPairs; ++i) {
        // The program never overwrites: its folder starts empty each time, so it does the same work.
        QDir(sOurs).removeRecursively();
        Measure oursRun;
        Measure directRun;
        // Alternate which goes first, so that a slow drift of the machine hits both alike.
        if (i % 2 == 0) {
            directRun = TimedRun(direct);
            oursRun = TimedRun(ours);
        } else {
            oursRun = TimedRun(ours);
            directRun = TimedRun(direct);
        }
        const double dOurs = oursRun.dWall;
        const double dDirectRun = directRun.dWall;
        if (dOurs < 0.0 || dDirectRun < 0.0) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        ratios.push_back(dOurs / dDirectRun);
        dOursSum += dOurs;
        dDirectSum += dDirectRun;
        dOursFastest = i == 0 ? dOurs : std::min(dOursFastest, dOurs);
        dDirectFastest = i == 0 ? dDirectRun : std::min(dDirectFastest, dDirectRun);
        dOursCpu += oursRun.dCpu;
        dDirectCpu += directRun.dCpu;
        std::printf("%4d %10.3f %10.3f %7.4f %12.2f %12.2f\n", i + 1, dDirectRun, dOurs, ratios.back(), directRun.dCpu,
                    oursRun.dCpu);
        std::fflush(stdout);
    }

    // Other load on the machine only ever adds time, so the fastest runs of each side are the
    // least disturbed comparison; the median of pairs and the sums are shown beside it.
    const double dFastestRatio = dOursFastest / dDirectFastest;
    std::printf("\nwall-time ratio, clipwright-cut / direct: %.4f fastest runs, %.4f median of pairs, %.4f over all"
                " pairs (target <= %.2f: %s)\n",
                dFastestRatio, Bench::Median(ratios), dOursSum / dDirectSum, kRatioTarget,
                dFastestRatio <= kRatioTarget ? "met" : "MISSED");
    std::printf("CPU-time ratio, clipwright-cut with its encoder / direct: %.4f\n", dOursCpu / dDirectCpu);
    return 0;
}
