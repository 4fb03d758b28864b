// The encoder job against the encoder alone: a real re-encode cut of a generated 60 s 640x360 clip
// through CVideoConv, and the same ffmpeg command line run directly, in alternating pairs. Prints
// the wall-time ratio (ours / direct) and the CPU time our own process spent while it waited for
// the encoder, as a share of the encoder's CPU time.
#include "BenchSupport.h"
#include "common/MessageBox.h"
#include "engine/CVideoConv.h"
#include "engine/DOSOutputs.h"
#include "contract/modEncoder.h"
#include "platform/modCommandLine.h"
#include "support/TestMedia.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

namespace {
constexpr double kClipSeconds = 60.0;
const QString kClipSize = QStringLiteral("640x360");
// The window's default format with a 50 s selection from 5 s on, as the argument builder writes it.
const QString kArguments = QStringLiteral("-ar 22050 -ab 64000 -ac 2 -b 320000 -r 25 -ss 5 -t 50 -y");
constexpr float kCutSeconds = 50.0f;
constexpr double kRatioTarget = 1.03;
constexpr double kWaitingCpuTarget = 2.0; // percent of the encoder's CPU time
constexpr int kFixedCostRuns = 20;

struct Measure {
    double dWall = 0.0;     // s
    double dOwnCpu = 0.0;   // s, user + system of this process
    double dChildCpu = 0.0; // s, user + system of the reaped encoder
};

double Seconds(const timeval &tv)
{
    return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
}

Measure CpuNow()
{
    rusage self{};
    rusage children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    Measure now;
    now.dOwnCpu = Seconds(self.ru_utime) + Seconds(self.ru_stime);
    now.dChildCpu = Seconds(children.ru_utime) + Seconds(children.ru_stime);
    return now;
}

template <typename Run>
Measure Measured(Run run)
{
    const Measure before = CpuNow();
    QElapsedTimer clock;
    clock.start();
    run();
    Measure result = CpuNow();
    result.dWall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    result.dOwnCpu -= before.dOwnCpu;
    result.dChildCpu -= before.dChildCpu;
    return result;
}

bool g_bFailed = false;

Measure RunThroughJob(const QString &sInput, const QString &sOutput)
{
    CVideoConv job;
    job.setInputFile(sInput);
    job.setOutputFile(sOutput);
    job.setFileTimeLength(kCutSeconds);
    job.setParametrs(kArguments);
    return Measured([&job] { job.StartConversion(); });
}

// The same command line, split the same way, spawned and waited for; its output goes to
// /dev/null and its input comes from there, as ours does.
Measure RunCommandDirectly(const QString &sCommandLine)
{
    const QStringList tokens = SplitCommandLine(sCommandLine);
    return Measured([&] {
        if (!Bench::RunSilently(tokens))
            g_bFailed = true;
    });
}

Measure RunDirectly(const QString &sInput, const QString &sOutput)
{
    return RunCommandDirectly(ConversionCommandLine(sInput, kArguments, sOutput));
}

// The runner's fixed cost per run, start and end of the child: a short encoder run (its version
// text), many times through DOSOutputs and directly. Returns the mean wall times in ms.
void FixedCost(int iRuns, double *dOursMs, double *dDirectMs)
{
    const QString sCommandLine = QuoteProgramName(EncoderPath()) + QStringLiteral(" -version");
    DOSOutputs runner;
    double dOurs = 0.0;
    double dDirect = 0.0;
    for (int i = 0; i < iRuns; ++i) {
        dOurs += Measured([&] { runner.ExecuteCommand(sCommandLine); }).dWall;
        dDirect += RunCommandDirectly(sCommandLine).dWall;
    }
    *dOursMs = 1000.0 * dOurs / iRuns;
    *dDirectMs = 1000.0 * dDirect / iRuns;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int iPairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    SetMsgBoxHandler([](const QString &sText, MsgIcon) {
        std::fprintf(stderr, "message: %s\n", qPrintable(sText));
        g_bFailed = true;
    });

    QTemporaryDir temp;
    const QString sInput = temp.filePath(QStringLiteral("source.mp4"));
    std::printf("Making a %.0f s %s clip ...\n", kClipSeconds, qPrintable(kClipSize));
    std::fflush(stdout);
    if (!temp.isValid() || !TestMedia::MakeClip(sInput, kClipSeconds, kClipSize)) {
        std::fprintf(stderr, "could not make the clip\n");
        return 2;
    }
    std::printf("Encoder: %s\nArguments: %s\n", qPrintable(EncoderPath()), qPrintable(kArguments));

    // One direct run first, so that both sides find the clip and the encoder's libraries cached.
    RunDirectly(sInput, temp.filePath(QStringLiteral("warm-up.mp4")));

    std::vector<double> ratios;
    double dOursWall = 0.0;
    double dDirectWall = 0.0;
    double dOursFastest = 0.0;
    double dDirectFastest = 0.0;
    double dOwnCpu = 0.0;
    double dEncoderCpu = 0.0;
    double dDirectEncoderCpu = 0.0;
    std::printf("\n%4s %10s %10s %7s %12s %12s %12s\n", "pair", "direct s", "ours s", "ratio", "our CPU ms",
                "encoder s", "direct enc s");
    for (int i = 0; i < iPairs; ++i) {
        const QString sDirectOut = temp.filePath(QStringLiteral("direct.mp4"));
        const QString sOursOut = temp.filePath(QStringLiteral("ours.mp4"));
        Measure direct;
        Measure ours;
        // Alternate which goes first, so that a slow drift of the machine hits both alike.
        if (i % 2 == 0) {
            direct = RunDirectly(sInput, sDirectOut);
            ours = RunThroughJob(sInput, sOursOut);
        } else {
            ours = RunThroughJob(sInput, sOursOut);
            direct = RunDirectly(sInput, sDirectOut);
        }
        if (g_bFailed) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        ratios.push_back(ours.dWall / direct.dWall);
        dOursWall += ours.dWall;
        dDirectWall += direct.dWall;
        dOursFastest = i == 0 ? ours.dWall : std::min(dOursFastest, ours.dWall);
        dDirectFastest = i == 0 ? direct.dWall : std::min(dDirectFastest, direct.dWall);
        dOwnCpu += ours.dOwnCpu;
        dEncoderCpu += ours.dChildCpu;
        dDirectEncoderCpu += direct.dChildCpu;
        std::printf("%4d %10.3f %10.3f %7.4f %12.1f %12.2f %12.2f\n", i + 1, direct.dWall, ours.dWall,
                    ratios.back(), ours.dOwnCpu * 1000.0, ours.dChildCpu, direct.dChildCpu);
        std::fflush(stdout);
    }

    const double dRatio = dOursWall / dDirectWall;
    const double dWaitingShare = 100.0 * dOwnCpu / dEncoderCpu;
    // Other load on the machine only ever adds time, so the fastest runs of each side are the
    // least disturbed comparison; the sum and the median are shown beside it.
    const double dFastestRatio = dOursFastest / dDirectFastest;
    std::printf("\nwall-time ratio, ours / direct: %.4f fastest runs, %.4f median of pairs, %.4f over all pairs"
                " (target <= %.2f: %s)\n",
                dFastestRatio, Bench::Median(ratios), dRatio, kRatioTarget, dFastestRatio <= kRatioTarget ? "met" : "MISSED");
    std::printf("encoder CPU, ours / direct: %.4f\n", dEncoderCpu / dDirectEncoderCpu);
    double dOursMs = 0.0;
    double dDirectMs = 0.0;
    FixedCost(kFixedCostRuns, &dOursMs, &dDirectMs);
    std::printf("start and end of a child (ffmpeg -version, %d runs): %.1f ms ours, %.1f ms direct\n",
                kFixedCostRuns, dOursMs, dDirectMs);
    std::printf("our CPU while waiting: %.1f ms of %.2f s encoder CPU = %.3f %% (target <= %.0f %%: %s)\n",
                dOwnCpu * 1000.0, dEncoderCpu, dWaitingShare, kWaitingCpuTarget,
                dWaitingShare <= kWaitingCpuTarget ? "met" : "MISSED");
    return 0;
}
