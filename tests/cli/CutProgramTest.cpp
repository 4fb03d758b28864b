// clipwright-cut run as people run it: a separate process on files in a temporary folder. CutUsage
// runs no encoder; CutRun cuts clips generated with the real ffmpeg.
#include "platform/modChildProcesses.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <ostream>
#include <unistd.h>

void PrintTo(const QString &sText, std::ostream *os); // CutLogicTest.cpp

namespace {
const QString kPreset = QStringLiteral("Everyday/H.264/AAC 480p (SD)/mp4");
const QString kSlowPreset = QStringLiteral("High Efficiency/H.265/AAC 720p (HEVC)/mp4");
const QString kFolderMissing = QStringLiteral("Output Folder is not exist and can not be created.");
constexpr int kRunTimeoutMs = 240000;
constexpr double kLengthTolerance = 0.25; // s: the encoder's last frame and audio padding

struct CutResult {
    int iExit = -1;
    QStringList outputs; // standard output's lines
    QString sErrors;     // standard error
};

QString Program()
{
    return TestMedia::BinDir() + QStringLiteral("/clipwright-cut");
}

void Start(QProcess &process, const QStringList &args)
{
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(Program(), args);
}

CutResult Finish(QProcess &process)
{
    CutResult result;
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    result.iExit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.outputs = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    result.sErrors += QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

CutResult RunCut(const QStringList &args)
{
    QProcess process;
    Start(process, args);
    return Finish(process);
}

QStringList Files(const QString &sFolder)
{
    return QDir(sFolder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class CutTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_temp.isValid()); }
    QString Path(const QString &sName) const { return m_temp.filePath(sName); }
    bool MakeClip(const QString &sName, double dSeconds, const QString &sSize = QStringLiteral("320x240"))
    {
        QDir().mkpath(QFileInfo(Path(sName)).absolutePath());
        return TestMedia::MakeClip(Path(sName), dSeconds, sSize);
    }

private:
    QTemporaryDir m_temp;
};

using CutUsage = CutTest;
using CutRun = CutTest;
} // namespace

TEST_F(CutUsage, MistakesExitTwoBeforeAnythingRuns)
{
    const QString sOut = Path("out");
    const QStringList common{"--output", sOut, Path("a.mp4")};
    const QList<QStringList> mistakes{
        QStringList{"--preset", kPreset, "--start", "1:00", "--end", "60"} + common,
        QStringList{"--preset", kPreset, "--start", "10", "--end", "0:09"} + common,
        QStringList{"--preset", kPreset, "--start", "1", "--end", "1.5"} + common,
        QStringList{"--preset", kPreset, "--start", "1", "--end", "5", "--output", sOut},
        QStringList{"--preset", "original size", "--start", "1", "--end", "5"} + common,
        QStringList{"--preset", "H.264/AAC, original size", "--start", "1", "--end", "5"} + common,
    };
    for (const QStringList &args : mistakes) {
        const CutResult result = RunCut(args);
        EXPECT_EQ(result.iExit, 2) << qPrintable(args.join(' ') + '\n' + result.sErrors);
        EXPECT_TRUE(result.outputs.isEmpty());
        EXPECT_FALSE(result.sErrors.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(sOut));
    // A preset name that misses lists the near ones to choose from.
    const CutResult unknown = RunCut(mistakes.at(4));
    EXPECT_TRUE(unknown.sErrors.contains("  Everyday/H.264/AAC, original size/mp4\n")) << qPrintable(unknown.sErrors);
    EXPECT_TRUE(unknown.sErrors.contains("  Everyday/H.264/AAC, original size/mkv\n"));
}

TEST_F(CutUsage, DryRunPrintsTheCommandLinesAndLeavesNothing)
{
    // Two inputs of one name into one folder that already holds that name: three names in a row,
    // none of them made.
    ASSERT_TRUE(QDir().mkpath(Path("in1")) && QDir().mkpath(Path("in2")) && QDir().mkpath(Path("out")));
    for (const char *sName : {"in1/a.mp4", "in2/a.mkv", "out/a.mp4"}) {
        QFile file(Path(sName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const CutResult result = RunCut({"--dry-run", "--preset", kPreset, "--start", "0:03", "--end", "7", "--output",
                                     Path("out"), Path("in1/a.mp4"), Path("in2/a.mkv")});
    EXPECT_EQ(result.iExit, 0) << qPrintable(result.sErrors);
    ASSERT_EQ(result.outputs.size(), 2);
    EXPECT_TRUE(result.outputs.at(0).contains(QStringLiteral(" -i \"%1\" ").arg(Path("in1/a.mp4"))));
    EXPECT_TRUE(result.outputs.at(0).endsWith(QStringLiteral(" -ss 3 -t 4 -y \"%1\"").arg(Path("out/a_Converted.mp4"))))
        << qPrintable(result.outputs.at(0));
    EXPECT_TRUE(result.outputs.at(1).endsWith(QStringLiteral(" -y \"%1\"").arg(Path("out/a_Converted_0.mp4"))));
    EXPECT_EQ(Files(Path("out")), QStringList{"a.mp4"});

    // A missing output folder is not made.
    const CutResult missing = RunCut({"--dry-run", "--preset", kPreset, "--start", "0", "--end", "7", "--output",
                                      Path("new"), Path("in1/a.mp4")});
    EXPECT_EQ(missing.iExit, 0);
    ASSERT_EQ(missing.outputs.size(), 1);
    EXPECT_TRUE(missing.outputs.at(0).endsWith(QStringLiteral("\"%1\"").arg(Path("new/a.mp4"))));
    EXPECT_FALSE(QFileInfo::exists(Path("new")));
}

TEST_F(CutRun, TwoFilesOnePresetTheShorterCutToItsEnd)
{
    ASSERT_TRUE(MakeClip("in/long.mp4", 8.0));
    ASSERT_TRUE(MakeClip("in/short.mkv", 5.0));
    // Without --output each goes beside its input; long.mp4 itself takes the first name.
    const CutResult result = RunCut({"--preset", kPreset, "--start", "2", "--end", "0:06", Path("in/long.mp4"),
                                     Path("in/short.mkv")});
    ASSERT_EQ(result.iExit, 0) << qPrintable(result.sErrors);
    EXPECT_EQ(result.outputs, QStringList({Path("in/long_Converted.mp4"), Path("in/short.mp4")}));
    const TestMedia::ProbeResult longCut = TestMedia::Probe(Path("in/long_Converted.mp4"));
    const TestMedia::ProbeResult shortCut = TestMedia::Probe(Path("in/short.mp4"));
    EXPECT_NEAR(longCut.dDuration, 4.0, kLengthTolerance);
    EXPECT_NEAR(shortCut.dDuration, 3.0, kLengthTolerance);
    for (const TestMedia::ProbeResult &cut : {longCut, shortCut}) {
        EXPECT_EQ(cut.sVideoCodec, "h264");
        EXPECT_EQ(cut.sAudioCodec, "aac");
    }
    // The short file's progress counts against what it holds, so it, too, ends at 100 %.
    EXPECT_TRUE(result.sErrors.contains("[2/2] " + Path("in/short.mkv") + ": 100 %\n")) << qPrintable(result.sErrors);
    EXPECT_TRUE(result.sErrors.contains("[2/2] " + Path("in/short.mkv") + ": done\n"));
}

TEST_F(CutRun, RunsAgainNeverOverwrite)
{
    ASSERT_TRUE(MakeClip("clip.mkv", 2.0));
    const QStringList args{"--preset", kPreset, "--start", "0", "--end", "1", "--output", Path("out"), Path("clip.mkv")};
    for (const char *sName : {"clip.mp4", "clip_Converted.mp4", "clip_Converted_0.mp4"}) {
        const CutResult result = RunCut(args);
        EXPECT_EQ(result.iExit, 0) << qPrintable(result.sErrors);
        EXPECT_EQ(result.outputs, QStringList{Path("out/" + QString::fromLatin1(sName))});
    }
    EXPECT_EQ(Files(Path("out")), QStringList({"clip.mp4", "clip_Converted.mp4", "clip_Converted_0.mp4"}));
}

TEST_F(CutRun, AnOutputFolderThatCannotBeWrittenFailsEveryFile)
{
    ASSERT_TRUE(MakeClip("a.mp4", 2.0));
    QFile blocker(Path("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // A folder under a file can never be made.
    CutResult result = RunCut({"--preset", kPreset, "--start", "0", "--end", "1", "--output", Path("file/out"),
                               Path("a.mp4"), Path("a.mp4")});
    EXPECT_EQ(result.iExit, 1);
    EXPECT_TRUE(result.outputs.isEmpty());
    EXPECT_EQ(result.sErrors.count(kFolderMissing), 2) << qPrintable(result.sErrors);

    // A folder without the right to write (root has every right: nothing to see there).
    if (::geteuid() != 0) {
        ASSERT_TRUE(QDir().mkdir(Path("locked")));
        QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner);
        result = RunCut({"--preset", kPreset, "--start", "0", "--end", "1", "--output", Path("locked"), Path("a.mp4")});
        QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(result.iExit, 1);
        EXPECT_TRUE(result.outputs.isEmpty());
        EXPECT_TRUE(result.sErrors.contains("failed\n")) << qPrintable(result.sErrors);
        EXPECT_TRUE(Files(Path("locked")).isEmpty());
    }
}

TEST_F(CutRun, AMissingInputFailsAndTheOthersAreCut)
{
    ASSERT_TRUE(MakeClip("a.mp4", 2.0));
    ASSERT_TRUE(MakeClip("b.mp4", 2.0));
    const CutResult result = RunCut({"--preset", kPreset, "--start", "0", "--end", "1", "--output", Path("out"),
                                     Path("a.mp4"), Path("gone.mp4"), Path("b.mp4")});
    EXPECT_EQ(result.iExit, 1);
    EXPECT_EQ(result.outputs, QStringList({Path("out/a.mp4"), Path("out/b.mp4")}));
    EXPECT_EQ(Files(Path("out")), QStringList({"a.mp4", "b.mp4"}));
    // The encoder's word for it, under the file's line.
    EXPECT_TRUE(result.sErrors.contains(QStringLiteral("[2/3] %1: failed\n    %1: No such file or directory\n")
                                            .arg(Path("gone.mp4"))))
        << qPrintable(result.sErrors);
}

TEST_F(CutRun, QuitSignalsStopTheEncoderAndRemoveItsFile)
{
    ASSERT_TRUE(MakeClip("long.mp4", 20.0, QStringLiteral("640x360")));
    const QList<QPair<int, QString>> quitSignals{{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};
    for (const auto &[iSignal, sName] : quitSignals) {
        SCOPED_TRACE(sName.toStdString());
        QProcess cut;
        Start(cut, {"--preset", kSlowPreset, "--start", "0", "--end", "20", "--output", Path("out"), Path("long.mp4")});
        ASSERT_TRUE(cut.waitForStarted());
        // Under way: the encoder has reported progress (its first report may be past 10 % already).
        cut.setReadChannel(QProcess::StandardError);
        QString sErrors;
        QElapsedTimer clock;
        clock.start();
        while (!sErrors.contains(" %") && clock.elapsed() < kRunTimeoutMs && cut.waitForReadyRead(kRunTimeoutMs))
            sErrors += QString::fromLocal8Bit(cut.readAllStandardError());
        const QList<qint64> encoders = ChildPidsOf(cut.processId());
        ASSERT_EQ(encoders.size(), 1) << qPrintable(sErrors);
        ASSERT_EQ(Files(Path("out")).size(), 1);

        ::kill(static_cast<pid_t>(cut.processId()), iSignal);
        CutResult result = Finish(cut);
        result.sErrors.prepend(sErrors);
        EXPECT_EQ(result.iExit, 128 + iSignal);
        EXPECT_TRUE(result.sErrors.contains("stopped by " + sName)) << qPrintable(result.sErrors);
        EXPECT_TRUE(result.outputs.isEmpty());
        EXPECT_TRUE(Files(Path("out")).isEmpty()) << qPrintable(Files(Path("out")).join(' '));
        EXPECT_FALSE(ProcessRuns(encoders.first()));
    }
}
