#include "engine/DOSOutputs.h"

#include "EngineTestSupport.h"
#include "platform/modCommandLine.h"
#include "platform/modChildProcesses.h"
#include "support/MsgBoxRecorder.h"
#include "support/TestMedia.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace EngineTest;

namespace {
const QString kCommandNotFound = QStringLiteral("File or command not found");

// Every ReceiveOutputs of a runner, in order.
struct ChunkLog {
    explicit ChunkLog(DOSOutputs &runner)
    {
        QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, &runner,
                         [this](const QString &sChunk) { chunks << sChunk; });
    }
    QStringList chunks;
};

// What "engine_fake_child write N" writes.
QString NumberedLines(int iBytes)
{
    QString sText;
    for (int i = 0; sText.size() < iBytes; ++i)
        sText += QStringLiteral("line %1 of the fake child's output\n").arg(i);
    sText.truncate(iBytes);
    return sText;
}

QString Child(const QString &sArguments)
{
    return FakeChild() + QLatin1Char(' ') + sArguments;
}
} // namespace

TEST(DOSOutputs, LongOutputArrivesInReadsOfAtMost512Bytes)
{
    MsgBoxRecorder boxes;
    DOSOutputs runner;
    ChunkLog log(runner);
    const QString sExpected = NumberedLines(5000);

    const QString sResult = runner.ExecuteCommand(Child(QStringLiteral("write 5000")));

    EXPECT_EQ(sResult, sExpected);
    EXPECT_EQ(runner.Outputs(), sExpected);
    EXPECT_EQ(log.chunks.join(QString()), sExpected);
    ASSERT_GE(log.chunks.size(), 11); // at least ten reads of data, then the empty last one
    for (int i = 0; i < log.chunks.size(); ++i) {
        EXPECT_LE(log.chunks[i].size(), 512);
        EXPECT_EQ(log.chunks[i].isEmpty(), i == log.chunks.size() - 1) << i;
    }
    EXPECT_EQ(runner.ExitCode(), 0);
    EXPECT_TRUE(boxes.Messages().isEmpty());
}

TEST(DOSOutputs, CharactersSplitBetweenReadsComeOutWhole)
{
    DOSOutputs runner;
    ChunkLog log(runner);
    const QString sExpected = QString(511, QLatin1Char('a')) + QChar(0xE9) + QString(510, QLatin1Char('b')) +
                              QChar(0x20AC) + QLatin1Char('\n');

    EXPECT_EQ(runner.ExecuteCommand(Child(QStringLiteral("utf8"))), sExpected);
    EXPECT_EQ(log.chunks.join(QString()), sExpected);
}

TEST(DOSOutputs, SilentChildGivesOneEmptyChunkAndAnEmptyResult)
{
    MsgBoxRecorder boxes;
    DOSOutputs runner;
    ChunkLog log(runner);

    EXPECT_EQ(runner.ExecuteCommand(Child(QStringLiteral("silent"))), QString());
    EXPECT_EQ(log.chunks, QStringList{QString()});
    EXPECT_EQ(runner.ExitCode(), 0);
    EXPECT_TRUE(boxes.Messages().isEmpty());
}

TEST(DOSOutputs, CommandLineIsStoredAndReused)
{
    MsgBoxRecorder boxes;
    DOSOutputs runner;
    ChunkLog log(runner);

    // Nothing to run.
    EXPECT_EQ(runner.ExecuteCommand(QString()), QString());
    ASSERT_EQ(boxes.Messages().size(), 1);
    EXPECT_EQ(boxes.Messages()[0].sText, QStringLiteral("Command Line is empty"));
    EXPECT_EQ(boxes.Messages()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(log.chunks.isEmpty());

    // The stored line runs when the argument is empty, and survives the run.
    const QString sExit3 = Child(QStringLiteral("exit 3"));
    runner.setCommandLine(sExit3);
    EXPECT_EQ(runner.ExecuteCommand(QString()), QStringLiteral("exiting\n"));
    EXPECT_EQ(runner.ExitCode(), 3);
    EXPECT_EQ(runner.CommandLine(), sExit3);

    // A given line replaces it.
    const QString sExit0 = Child(QStringLiteral("exit 0"));
    EXPECT_EQ(runner.ExecuteCommand(sExit0), QStringLiteral("exiting\n"));
    EXPECT_EQ(runner.CommandLine(), sExit0);
    EXPECT_EQ(runner.ExitCode(), 0);
    EXPECT_EQ(runner.ExecuteCommand(QString()), QStringLiteral("exiting\n"));
    EXPECT_EQ(boxes.Messages().size(), 1);
}

TEST(DOSOutputs, MissingProgramIsReportedAndKeepsTheLastOutput)
{
    MsgBoxRecorder boxes;
    DOSOutputs runner;
    ChunkLog log(runner);
    ASSERT_EQ(runner.ExecuteCommand(Child(QStringLiteral("exit 0"))), QStringLiteral("exiting\n"));
    const int iChunks = log.chunks.size();
    const int iDescriptors = OpenDescriptors();

    for (const QString &sLine : {QStringLiteral("/nonexistent/folder/ffmpeg -i x"), QStringLiteral("   "),
                                 QStringLiteral("\"\" -i x"), QStringLiteral("/tmp -i x")}) {
        boxes.Clear();
        EXPECT_EQ(runner.ExecuteCommand(sLine), QString()) << qPrintable(sLine);
        ASSERT_EQ(boxes.Messages().size(), 1) << qPrintable(sLine);
        EXPECT_EQ(boxes.Messages()[0].sText, kCommandNotFound);
        EXPECT_EQ(boxes.Messages()[0].icon, MsgIcon::Critical);
        EXPECT_EQ(runner.CommandLine(), sLine);
        EXPECT_EQ(runner.ExitCode(), -1);
    }
    EXPECT_EQ(log.chunks.size(), iChunks);
    EXPECT_EQ(runner.Outputs(), QStringLiteral("exiting\n"));
    EXPECT_EQ(OpenDescriptors(), iDescriptors);
    EXPECT_TRUE(ChildPids().isEmpty());
}

TEST(DOSOutputs, ArgumentsReachTheChildExactly)
{
    DOSOutputs runner;
    const QString sSpaced = QStringLiteral("/tmp/My Videos/clip \"one\".mp4");
    const QString sBackslashed = QStringLiteral("ends in \\");
    const QString sResult = runner.ExecuteCommand(Child(QStringLiteral("args ") + QuoteArgument(sSpaced) +
                                                        QLatin1Char(' ') + QuoteArgument(sBackslashed) +
                                                        QStringLiteral("  -y \"\"")));
    EXPECT_EQ(sResult, QLatin1Char('[') + sSpaced + QStringLiteral("]\n[") + sBackslashed +
                           QStringLiteral("]\n[-y]\n[]\n"));
}

TEST(DOSOutputs, StopWhileTheChildWritesEndsItAfterThatRead)
{
    DOSOutputs runner;
    ChunkLog log(runner);
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, &runner, [&runner](const QString &sChunk) {
        if (sChunk.contains(QStringLiteral("tick 3\n")))
            runner.setStopConvert(true);
    });

    EXPECT_EQ(runner.ExecuteCommand(Child(QStringLiteral("stream"))), QString());

    ASSERT_GE(log.chunks.size(), 2);
    EXPECT_EQ(log.chunks.last(), QStringLiteral("Cancelled"));
    EXPECT_TRUE(log.chunks[log.chunks.size() - 2].contains(QStringLiteral("tick 3\n")));
    EXPECT_EQ(runner.Outputs(), log.chunks.mid(0, log.chunks.size() - 1).join(QString()));
    EXPECT_FALSE(runner.Outputs().contains(QStringLiteral("tick 300\n")));
    const qint64 iPid = ChildPid(runner.Outputs());
    ASSERT_GT(iPid, 0);
    EXPECT_FALSE(ProcessExists(iPid));
    EXPECT_EQ(runner.ExitCode(), -1);
}

TEST(DOSOutputs, SilentChildCanBeStoppedAndTheWindowStaysLive)
{
    DOSOutputs runner;
    ChunkLog log(runner);
    // A window's timer: it must keep running while the child is silent.
    QElapsedTimer sinceTick;
    qint64 iLongestGap = 0;
    int iTicks = 0;
    QTimer window;
    window.setInterval(10);
    QObject::connect(&window, &QTimer::timeout, [&] {
        if (iTicks++ > 0)
            iLongestGap = std::max(iLongestGap, sinceTick.elapsed());
        sinceTick.start();
    });
    window.start();
    QElapsedTimer sinceStop;
    QTimer::singleShot(400, &runner, [&] {
        sinceStop.start();
        runner.setStopConvert(true);
    });

    EXPECT_EQ(runner.ExecuteCommand(Child(QStringLiteral("sleep 20000"))), QString());
    const qint64 iStopMs = sinceStop.elapsed();

    EXPECT_LT(iStopMs, 100);
    EXPECT_GE(iTicks, 10);
    EXPECT_LT(iLongestGap, 100); // the runner pumps at least every 50 ms
    ASSERT_GE(log.chunks.size(), 3);
    EXPECT_TRUE(log.chunks.first().startsWith(QStringLiteral("pid=")));
    EXPECT_EQ(log.chunks.mid(log.chunks.size() - 2), (QStringList{QString(), QStringLiteral("Cancelled")}));
    EXPECT_FALSE(ProcessExists(ChildPid(runner.Outputs())));
}

TEST(DOSOutputs, StopKillsAChildThatIgnoresTerminate)
{
    DOSOutputs runner;
    QElapsedTimer sinceStop;
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, &runner, [&](const QString &sChunk) {
        if (sChunk.contains(QStringLiteral("pid="))) {
            sinceStop.start();
            runner.setStopConvert(true);
        }
    });

    EXPECT_EQ(runner.ExecuteCommand(Child(QStringLiteral("stubborn"))), QString());

    EXPECT_LT(sinceStop.elapsed(), 100);
    const qint64 iPid = ChildPid(runner.Outputs());
    ASSERT_GT(iPid, 0);
    EXPECT_FALSE(ProcessExists(iPid));
}

TEST(DOSOutputs, StopEndsTheChildAtOnceWhenAnotherRunStartsInsideThePump)
{
    // Stop and Start clicked in a row: the second run begins before the stopped one's pump
    // returns to it, and lasts longer than the stop may take.
    DOSOutputs first;
    DOSOutputs second;
    ChunkLog log(first);
    qint64 iFirstPid = 0;
    qint64 iGoneAfterMs = -1;
    QString sSecond;
    QObject::connect(&first, &DOSOutputs::ReceiveOutputs, &first, [&](const QString &sChunk) {
        if (iFirstPid != 0 || !sChunk.contains(QStringLiteral("pid=")))
            return;
        iFirstPid = ChildPid(sChunk);
        QElapsedTimer sinceStop;
        sinceStop.start();
        first.setStopConvert(true);
        while (ProcessExists(iFirstPid) && sinceStop.elapsed() < 100)
            ::usleep(1000);
        if (!ProcessExists(iFirstPid))
            iGoneAfterMs = sinceStop.elapsed();
        sSecond = second.ExecuteCommand(Child(QStringLiteral("write 3000")));
    });

    EXPECT_EQ(first.ExecuteCommand(Child(QStringLiteral("stream"))), QString());

    ASSERT_GT(iFirstPid, 0);
    EXPECT_GE(iGoneAfterMs, 0) << "the stopped child still ran 100 ms after the stop";
    EXPECT_EQ(sSecond, NumberedLines(3000));
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_EQ(log.chunks.last(), QStringLiteral("Cancelled"));
    EXPECT_EQ(first.ExitCode(), -1);
    EXPECT_TRUE(ChildPids().isEmpty());
}

TEST(DOSOutputs, CleanUpFromInsideThePumpEndsTheRunWithTheTextSoFar)
{
    DOSOutputs runner;
    ChunkLog log(runner);
    QTimer::singleShot(300, &runner, [&runner] { runner.CleanUp(); });

    const QString sResult = runner.ExecuteCommand(Child(QStringLiteral("sleep 20000")));

    EXPECT_TRUE(sResult.startsWith(QStringLiteral("pid=")));
    EXPECT_EQ(sResult, runner.Outputs());
    EXPECT_FALSE(log.chunks.contains(QStringLiteral("Cancelled")));
    EXPECT_EQ(log.chunks.last(), QString());
    EXPECT_FALSE(ProcessExists(ChildPid(sResult)));
    EXPECT_EQ(runner.ExitCode(), -1);

    // On an idle runner, again and again: nothing happens.
    runner.CleanUp();
    runner.CleanUp();
    DOSOutputs idle;
    idle.CleanUp();
    EXPECT_EQ(idle.Outputs(), QString());
}

TEST(DOSOutputs, RunnerDestroyedDuringItsRunEndsAndReapsTheChild)
{
    // From a listener of its own event, while the child is alive.
    {
        auto *runner = new DOSOutputs;
        QPointer<DOSOutputs> alive(runner);
        qint64 iPid = 0;
        QObject::connect(runner, &DOSOutputs::ReceiveOutputs, [&](const QString &sChunk) {
            if (iPid == 0 && sChunk.contains(QStringLiteral("pid="))) {
                iPid = ChildPid(sChunk);
                delete runner;
            }
        });
        EXPECT_EQ(runner->ExecuteCommand(Child(QStringLiteral("stream"))), QString());
        EXPECT_TRUE(alive.isNull());
        ASSERT_GT(iPid, 0);
        EXPECT_FALSE(ProcessExists(iPid));
    }
    // From a window event while the child is silent.
    {
        auto *runner = new DOSOutputs;
        QPointer<DOSOutputs> alive(runner);
        QObject owner;
        QTimer::singleShot(300, &owner, [&runner] { delete runner; });
        EXPECT_EQ(runner->ExecuteCommand(Child(QStringLiteral("sleep 20000"))), QString());
        EXPECT_TRUE(alive.isNull());
    }
    // With deleteLater from inside the pump.
    {
        auto *runner = new DOSOutputs;
        QPointer<DOSOutputs> alive(runner);
        QTimer::singleShot(300, runner, [&runner] { runner->deleteLater(); });
        runner->ExecuteCommand(Child(QStringLiteral("sleep 20000")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(alive.isNull());
    }
    EXPECT_TRUE(ChildPids().isEmpty());
}

TEST(DOSOutputs, ASecondRunInsideARunIsRefused)
{
    MsgBoxRecorder boxes;
    DOSOutputs runner;
    QString sInner = QStringLiteral("not run");
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, &runner, [&](const QString &sChunk) {
        if (sChunk.contains(QStringLiteral("pid=")))
            sInner = runner.ExecuteCommand(Child(QStringLiteral("exit 0")));
    });
    const QString sResult = runner.ExecuteCommand(Child(QStringLiteral("sleep 100")));
    EXPECT_EQ(sInner, QString());
    EXPECT_TRUE(sResult.startsWith(QStringLiteral("pid=")));
    EXPECT_EQ(runner.ExitCode(), 0);
    EXPECT_TRUE(boxes.Messages().isEmpty());
    EXPECT_TRUE(ChildPids().isEmpty());
}

TEST(DOSOutputs, NoDescriptorOrChildIsLeftAfterAHundredRuns)
{
    MsgBoxRecorder boxes;
    DOSOutputs runner;
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs, &runner, [&runner](const QString &sChunk) {
        if (sChunk.contains(QStringLiteral("tick 1\n")))
            runner.setStopConvert(true);
    });
    // Programs that exist but cannot run: a bad interpreter line, bytes that are no program.
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString sBadInterpreter = temp.filePath(QStringLiteral("bad interpreter"));
    const QString sNoProgram = temp.filePath(QStringLiteral("no program"));
    for (const auto &[sPath, content] : {std::pair{sBadInterpreter, QByteArrayLiteral("#!/nonexistent/sh\n")},
                                         std::pair{sNoProgram, QByteArrayLiteral("\x7f" "ELF garbage\n")}}) {
        QFile file(sPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        ASSERT_TRUE(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    // One run first, so that what Qt keeps open for good is open already.
    runner.ExecuteCommand(Child(QStringLiteral("exit 0")));
    const int iDescriptors = OpenDescriptors();
    ASSERT_GT(iDescriptors, 0);

    int iMissing = 0;
    for (int i = 0; i < 100; ++i) {
        switch (i % 4) {
        case 0:
            EXPECT_EQ(runner.ExecuteCommand(Child(QStringLiteral("write 1500"))), NumberedLines(1500));
            break;
        case 1:
            EXPECT_EQ(runner.ExecuteCommand(Child(QStringLiteral("stream"))), QString());
            break;
        case 2: {
            const QString sCannotRun[] = {QStringLiteral("/nonexistent/ffmpeg"), QuoteArgument(sBadInterpreter),
                                          QuoteArgument(sNoProgram)};
            EXPECT_EQ(runner.ExecuteCommand(sCannotRun[(i / 4) % 3] + QStringLiteral(" -i x")), QString());
            ++iMissing;
            break;
        }
        default:
            EXPECT_EQ(runner.ExecuteCommand(Child(QStringLiteral("silent"))), QString());
        }
    }
    EXPECT_EQ(OpenDescriptors(), iDescriptors);
    EXPECT_TRUE(ChildPids().isEmpty());
    EXPECT_EQ(boxes.Texts(), QStringList(iMissing, kCommandNotFound));
}

TEST(DOSOutputs, ChildDiesWithAProgramThatIsKilled)
{
    // A program killed outright cleans nothing up; its child must not run on without it.
    QProcess host;
    host.start(TestMedia::BinDir() + QStringLiteral("/engine_runner_host"), {Child(QStringLiteral("sleep 20000"))});
    ASSERT_TRUE(host.waitForStarted());
    QByteArray hostOutput;
    while (ChildPid(QString::fromLatin1(hostOutput)) == 0 && host.waitForReadyRead(5000))
        hostOutput += host.readAll();
    const qint64 iPid = ChildPid(QString::fromLatin1(hostOutput));
    ASSERT_GT(iPid, 0);
    ASSERT_TRUE(ProcessRuns(iPid));

    ::kill(static_cast<pid_t>(host.processId()), SIGKILL);
    ASSERT_TRUE(host.waitForFinished());
    QElapsedTimer sinceKill;
    sinceKill.start();
    while (ProcessRuns(iPid) && sinceKill.elapsed() < 5000)
        ::usleep(10000);
    EXPECT_FALSE(ProcessRuns(iPid)) << "the child outlived the program that started it";
}

TEST(DOSOutputs, PipeFailureIsReportedWithTheSystemErrorCode)
{
    MsgBoxRecorder boxes;
    DOSOutputs runner;
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);

    // Use up every descriptor below a low limit, so that no pipe can be made.
    int iHighest = -1;
    for (int fd = 0; fd < 1024; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1)
            iHighest = fd;
    }
    rlimit low = saved;
    low.rlim_cur = static_cast<rlim_t>(iHighest + 1);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> fillers;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;)
        fillers.push_back(fd);

    const QString sResult = runner.ExecuteCommand(Child(QStringLiteral("exit 0")));

    for (const int fd : fillers)
        ::close(fd);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);

    EXPECT_EQ(sResult, QString());
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("CreatePipe failed. Error: %1").arg(EMFILE)});
    // Once descriptors are free again, the same runner works.
    boxes.Clear();
    EXPECT_EQ(runner.ExecuteCommand(QString()), QStringLiteral("exiting\n"));
    EXPECT_TRUE(boxes.Messages().isEmpty());
}
