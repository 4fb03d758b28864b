// What the seek position of a cut costs: 10 s cut out of a 10-minute 1280x720 clip at 5 %, 50 %
// and 95 % of its length with the everyday preset, through the program's own path (the argument
// builder puts "-ss" after the input, so ffmpeg decodes everything before the cut) against the
// same cut with "-ss" before "-i" (ffmpeg seeks in the input), run directly. Prints both wall
// times and their ratio for each position.
//
// The clip is made once, with a fast encoder setting, into a cache folder under the build folder.
#include "common/AppPath.h"
#include "common/MessageBox.h"
#include "engine/CVideoConv.h"
#include "contract/modEncoder.h"
#include "formats/MemoryList.h"
#include "formats/PresetLists.h"
#include "formats/modCatalogues.h"
#include "formats/modParameters.h"
#include "platform/modCommandLine.h"
#include "support/TestMedia.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {
constexpr int kClipSeconds = 600;
const QString kClipSize = QStringLiteral("1280x720");
const QString kClipName = QStringLiteral("seek-600s-1280x720.mp4");
constexpr int kCutSeconds = 10;
const int kPositionsPercent[] = {5, 50, 95};
// The everyday preset: H.264/AAC at 720p in MP4.
const QString kCategory = QStringLiteral("Everyday");
const QString kPresetLabel = QStringLiteral("H.264/AAC 720p (HD)");
const QString kPresetFormat = QStringLiteral("mp4");
const QString kOverwrite = QStringLiteral(" -y");

bool g_bFailed = false;

QString CacheFolder()
{
    return QStringLiteral(CLIPWRIGHT_BENCH_CACHE);
}

// The clip, made on first use: ultrafast H.264 (at a quality that keeps the file small) with AAC, written under another name first so
// that a run broken off never leaves half a clip in the cache.
QString CachedClip()
{
    const QString sPath = CacheFolder() + QLatin1Char('/') + kClipName;
    if (QFileInfo(sPath).isFile())
        return sPath;
    if (!QDir().mkpath(CacheFolder()))
        return QString();
    const QString sPart = sPath + QStringLiteral(".part.mp4");
    std::printf("Making the %d s %s clip once (into %s) ...\n", kClipSeconds, qPrintable(kClipSize),
                qPrintable(CacheFolder()));
    std::fflush(stdout);
    if (!TestMedia::MakeClip(sPart, kClipSeconds, kClipSize,
                             {QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                              QStringLiteral("ultrafast"), QStringLiteral("-crf"), QStringLiteral("30"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
                              QStringLiteral("-c:a"), QStringLiteral("aac")}) ||
        !QFile::rename(sPart, sPath)) {
        QFile::remove(sPart);
        return QString();
    }
    return sPath;
}

double Timed(const std::function<void()> &run)
{
    QElapsedTimer clock;
    clock.start();
    run();
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// The program's path: the window's choice through GetParamaters, " -y", and an encoder job.
double CutThroughJob(const CatalogueTables &tables, const QString &sInput, int iStart, const QString &sOutput)
{
    FormatChoice choice;
    choice.sCategory = kCategory;
    choice.sPresetLabel = kPresetLabel;
    choice.sPresetFormat = kPresetFormat;
    choice.iSelectStart = iStart;
    choice.iSelectEnd = iStart + kCutSeconds;
    const QString sParameters = GetParamaters(choice, tables);
    if (sParameters.isEmpty()) {
        g_bFailed = true;
        return 0.0;
    }
    CVideoConv job;
    job.setInputFile(sInput);
    job.setOutputFile(sOutput);
    job.setFileTimeLength(static_cast<float>(kCutSeconds));
    job.setParametrs(sParameters + kOverwrite);
    return Timed([&job] { job.StartConversion(); });
}

// The same preset with the seek before the input, run as a plain child with its output discarded.
double CutDirectly(const QString &sPresetParams, const QString &sInput, int iStart, const QString &sOutput)
{
    const QString sCommandLine = QuoteProgramName(EncoderPath()) + QStringLiteral(" -ss ") +
                                 QString::number(iStart) + QStringLiteral(" -i ") + QuoteArgument(sInput) +
                                 QLatin1Char(' ') + sPresetParams + QStringLiteral(" -t ") +
                                 QString::number(kCutSeconds) + kOverwrite + QLatin1Char(' ') +
                                 QuoteArgument(sOutput);
    QStringList lsArgs = SplitCommandLine(sCommandLine);
    const QString sProgram = lsArgs.takeFirst();
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return Timed([&] {
        process.start(sProgram, lsArgs);
        if (!process.waitForStarted() || !process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0)
            g_bFailed = true;
    });
}

double CutLength(const QString &sPath)
{
    return TestMedia::Probe(sPath).dDuration;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int iRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    SetMsgBoxHandler([](const QString &sText, MsgIcon) {
        std::fprintf(stderr, "message: %s\n", qPrintable(sText));
        g_bFailed = true;
    });
    // The build's program folder: the encoder link and the shipped catalogues.
    SetAppPathForTests(TestMedia::BinDir());
    CatalogueTables tables;
    MemoryList cmbCategory, cmbOutVCodec, cmbOutFormat, cmbCVCodec, cmbCACodec;
    const PresetLists lists(tables, cmbCategory, cmbOutVCodec, cmbOutFormat);
    LoadPresets(tables, cmbCategory);
    QString sPresetParams;
    for (int i = 0; i < tables.PresetCount; ++i) {
        const PresetEntry &preset = tables.Presets.at(i);
        if (preset.category == kCategory && preset.label == kPresetLabel && preset.extension == kPresetFormat) {
            sPresetParams = preset.params;
            break;
        }
    }
    if (g_bFailed || sPresetParams.isEmpty()) {
        std::fprintf(stderr, "the everyday preset is not in %s/presets.xml\n", qPrintable(AppPath()));
        return 2;
    }

    const QString sInput = CachedClip();
    QTemporaryDir temp;
    if (sInput.isEmpty() || !temp.isValid()) {
        std::fprintf(stderr, "could not make the clip\n");
        return 2;
    }
    std::printf("Clip: %s (%d s, %s)\nPreset: %s / %s / %s: %s\nCut: %d s; best of %d round(s)\n\n",
                qPrintable(sInput), kClipSeconds, qPrintable(kClipSize), qPrintable(kCategory),
                qPrintable(kPresetLabel), qPrintable(kPresetFormat), qPrintable(sPresetParams), kCutSeconds,
                iRounds);
    std::printf("%8s %8s %12s %12s %8s %10s %10s\n", "position", "start s", "ours s", "direct s", "ratio",
                "ours len", "direct len");
    std::fflush(stdout);

    for (const int iPercent : kPositionsPercent) {
        const int iStart = kClipSeconds * iPercent / 100;
        const QString sOurs = temp.filePath(QStringLiteral("ours-%1.mp4").arg(iPercent));
        const QString sDirect = temp.filePath(QStringLiteral("direct-%1.mp4").arg(iPercent));
        double dOurs = 0.0;
        double dDirect = 0.0;
        for (int i = 0; i < iRounds; ++i) {
            // Alternate which goes first, so that a drift of the machine hits both alike.
            double dOursRun = 0.0;
            double dDirectRun = 0.0;
            if (i % 2 == 0) {
                dOursRun = CutThroughJob(tables, sInput, iStart, sOurs);
                dDirectRun = CutDirectly(sPresetParams, sInput, iStart, sDirect);
            } else {
                dDirectRun = CutDirectly(sPresetParams, sInput, iStart, sDirect);
                dOursRun = CutThroughJob(tables, sInput, iStart, sOurs);
            }
            // Other load only ever adds time: the fastest run of each side counts.
            dOurs = i == 0 ? dOursRun : std::min(dOurs, dOursRun);
            dDirect = i == 0 ? dDirectRun : std::min(dDirect, dDirectRun);
        }
        if (g_bFailed) {
            std::fprintf(stderr, "a cut failed\n");
            return 1;
        }
        std::printf("%7d%% %8d %12.2f %12.2f %8.2f %10.2f %10.2f\n", iPercent, iStart, dOurs, dDirect,
                    dOurs / dDirect, CutLength(sOurs), CutLength(sDirect));
        std::fflush(stdout);
    }
    return 0;
}
