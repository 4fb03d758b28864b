#include "engine/CVideoConv.h"

#include "EngineTestSupport.h"
#include "common/AppPath.h"
#include "common/ScopedOverride.h"
#include "platform/modChildProcesses.h"
#include "support/MsgBoxRecorder.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace EngineTest;

namespace {
const QString kErrorConverting = QStringLiteral("Error converting file: ");
const QString kCommandNotFound = QStringLiteral("File or command not found");
// The window's defaults for a cut, as the argument builder writes them, and " -y".
const QString kDefaultArguments = QStringLiteral("-ar 22050 -ab 64000 -ac 2 -b 320000 -r 25 -ss %1 -t %2 -y");

// Every event of a job, in order: "status:<text>" or "progress:<n>".
struct EventLog {
    explicit EventLog(CVideoConv &job)
    {
        QObject::connect(&job, &CVideoConv::CurrentStatus, &job,
                         [this](const QString &sStatus) { events << QStringLiteral("status:") + sStatus; });
        QObject::connect(&job, &CVideoConv::Progress, &job, [this](short iProgress) {
            events << QStringLiteral("progress:%1").arg(iProgress);
            progress << iProgress;
        });
    }
    QStringList Statuses() const { return events.filter(QStringLiteral("status:")); }
    QStringList events;
    QList<int> progress;
};

// A program folder of the test's own; the real one comes back at the end.
class ProgramFolder {
public:
    explicit ProgramFolder(const QString &sFolder)
        : m_sFolder(sFolder), m_made(QDir().mkpath(sFolder)), m_override(SetAppPathForTests, sFolder)
    {
    }
    // The real encoder, linked into this folder.
    bool LinkRealEncoder() const
    {
        return QFile::link(TestMedia::FfmpegPath(), m_sFolder + QStringLiteral("/ffmpeg"));
    }

private:
    QString m_sFolder;
    bool m_made;
    ScopedOverride m_override;
};

bool WriteTextFile(const QString &sPath, const QByteArray &text)
{
    QFile file(sPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}
} // namespace

TEST(CVideoConv, RealCutReportsProgressAndWritesTheSelection)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    // A program folder and paths with blanks, and a double quote in the input's name.
    ProgramFolder program(temp.filePath(QStringLiteral("program folder")));
    ASSERT_TRUE(program.LinkRealEncoder());
    const QString sInput = temp.filePath(QStringLiteral("My Videos/clip \"one\".mp4"));
    const QString sOutput = temp.filePath(QStringLiteral("Cut Files/clip \"one\".mp4"));
    ASSERT_TRUE(QDir().mkpath(temp.filePath(QStringLiteral("My Videos"))));
    ASSERT_TRUE(QDir().mkpath(temp.filePath(QStringLiteral("Cut Files"))));
    ASSERT_TRUE(TestMedia::MakeClip(sInput, 12.0));

    MsgBoxRecorder boxes;
    CVideoConv job;
    EventLog log(job);
    job.setInputFile(sInput);
    job.setOutputFile(sOutput);
    job.setFileTimeLength(8.0f);
    job.setParametrs(kDefaultArguments.arg(2).arg(8));
    job.StartConversion();

    EXPECT_TRUE(boxes.Messages().isEmpty()) << qPrintable(boxes.Texts().join(QLatin1Char('\n')));
    ASSERT_FALSE(log.events.isEmpty());
    EXPECT_EQ(log.events.first(), QStringLiteral("status:Starting..."));
    EXPECT_EQ(log.Statuses(), QStringList{QStringLiteral("status:Starting...")});
    ASSERT_FALSE(log.progress.isEmpty());
    for (int i = 1; i < log.progress.size(); ++i)
        EXPECT_LE(log.progress[i - 1], log.progress[i]);
    EXPECT_GE(log.progress.last(), 95);
    EXPECT_LE(log.progress.last(), 105);

    const TestMedia::ProbeResult probe = TestMedia::Probe(sOutput);
    ASSERT_TRUE(probe.bOk);
    EXPECT_NEAR(probe.dDuration, 8.0, 0.3);
    EXPECT_EQ(probe.iAudioSampleRate, 22050);
    EXPECT_EQ(probe.iAudioChannels, 2);
    EXPECT_EQ(probe.iWidth, 320);
    EXPECT_TRUE(ChildPids().isEmpty());
}

TEST(CVideoConv, StopInTheMiddleEndsTheEncoderAtOnce)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString sInput = temp.filePath(QStringLiteral("long clip.mp4"));
    ASSERT_TRUE(TestMedia::MakeClip(sInput, 20.0));

    MsgBoxRecorder boxes;
    CVideoConv job;
    EventLog log(job);
    job.setInputFile(sInput);
    job.setOutputFile(temp.filePath(QStringLiteral("cut.mp4")));
    job.setFileTimeLength(20.0f);
    job.setParametrs(kDefaultArguments.arg(0).arg(20));
    QElapsedTimer sinceStop;
    int iProgressAtStop = -1;
    QObject::connect(&job, &CVideoConv::Progress, &job, [&](short iProgress) {
        if (!sinceStop.isValid()) {
            iProgressAtStop = iProgress;
            sinceStop.start();
            job.StopConversion();
        }
    });
    job.StartConversion();
    const qint64 iStopMs = sinceStop.elapsed();

    ASSERT_TRUE(sinceStop.isValid());
    EXPECT_LT(iProgressAtStop, 100);
    EXPECT_LT(iStopMs, 100);
    const QStringList statuses = log.Statuses();
    ASSERT_GE(statuses.size(), 3);
    EXPECT_EQ(statuses.first(), QStringLiteral("status:Starting..."));
    EXPECT_EQ(statuses.mid(statuses.size() - 2),
              (QStringList{QStringLiteral("status:Cancelled"), QStringLiteral("status:Error")}));
    ASSERT_EQ(boxes.Messages().size(), 1);
    EXPECT_EQ(boxes.Messages()[0].sText, kErrorConverting + QStringLiteral("long clip.mp4\r\n"));
    EXPECT_EQ(boxes.Messages()[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(ChildPids().isEmpty());
}

TEST(CVideoConv, SilentEncoderCanBeStopped)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    ProgramFolder program(temp.path());
    ASSERT_TRUE(WriteFakeEncoder(temp.path(), QStringLiteral("exec sleep 30")));

    MsgBoxRecorder boxes;
    CVideoConv job;
    EventLog log(job);
    job.setInputFile(QStringLiteral("/videos/in.avi"));
    job.setOutputFile(temp.filePath(QStringLiteral("out.mp4")));
    job.setFileTimeLength(10.0f);
    job.setParametrs(kDefaultArguments.arg(0).arg(10));
    QElapsedTimer sinceStop;
    QTimer::singleShot(300, &job, [&] {
        sinceStop.start();
        job.StopConversion();
    });
    job.StartConversion();

    EXPECT_LT(sinceStop.elapsed(), 100);
    EXPECT_EQ(log.events, (QStringList{QStringLiteral("status:Starting..."), QStringLiteral("status:Cancelled"),
                                       QStringLiteral("status:Error")}));
    EXPECT_EQ(boxes.Texts(), QStringList{kErrorConverting + QStringLiteral("in.avi\r\n")});
    EXPECT_TRUE(ChildPids().isEmpty());
    // A job that never ran has nothing to stop.
    CVideoConv idle;
    idle.StopConversion();
}

TEST(CVideoConv, EncoderThatFailsAfterGettingUnderWayIsAFailure)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString sInput = temp.filePath(QStringLiteral("clip.mp4"));
    ASSERT_TRUE(TestMedia::MakeClip(sInput, 2.0));

    // The real encoder refuses an odd frame size after it printed "Press [q] to stop".
    MsgBoxRecorder boxes;
    CVideoConv job;
    EventLog log(job);
    job.setInputFile(sInput);
    job.setOutputFile(temp.filePath(QStringLiteral("odd.mp4")));
    job.setFileTimeLength(2.0f);
    job.setParametrs(QStringLiteral("-s 321x241 -y"));
    job.StartConversion();

    EXPECT_EQ(log.Statuses(), (QStringList{QStringLiteral("status:Starting..."), QStringLiteral("status:Error")}));
    ASSERT_EQ(boxes.Messages().size(), 1);
    const QString sMessage = boxes.Messages()[0].sText;
    EXPECT_TRUE(sMessage.startsWith(kErrorConverting + QStringLiteral("clip.mp4\r\n\nPress [q] to stop")))
        << qPrintable(sMessage);
    EXPECT_TRUE(sMessage.contains(QStringLiteral("width not divisible by 2"))) << qPrintable(sMessage);
}

TEST(CVideoConv, SuccessNeedsTheStartMarkExitCodeZeroAndAnOutput)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    ProgramFolder program(temp.path());
    // The fake encoders write "data" into the output (their last argument) where they say so.
    const QString sWriteOutput = QStringLiteral("for last; do :; done; echo data > \"$last\"; ");
    struct Case {
        QString sScript;
        bool bSucceeds;
    };
    const QList<Case> cases{
        {sWriteOutput + QStringLiteral("echo 'Press [q] to stop, [?] for help'; exit 0"), true},
        {sWriteOutput + QStringLiteral("printf 'PRESS [Q] TO STOP ENCODING\\r\\n'; exit 0"), true},
        {sWriteOutput + QStringLiteral("echo 'Press [q] to stop, [?] for help'; echo 'Conversion failed!'; exit 1"),
         false},
        {sWriteOutput + QStringLiteral("echo 'Press [q] to stop, [?] for help'; kill -SEGV $$"), false},
        {sWriteOutput + QStringLiteral("echo 'Output written'; exit 0"), false},
        {QStringLiteral("echo 'Press [q] to stop, [?] for help'; exit 0"), false},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(WriteFakeEncoder(temp.path(), c.sScript));
        // The window reserves the output as an empty file before the encoder runs.
        ASSERT_TRUE(WriteTextFile(temp.filePath(QStringLiteral("out.mp4")), QByteArray()));
        MsgBoxRecorder boxes;
        CVideoConv job;
        EventLog log(job);
        job.setInputFile(QStringLiteral("/videos/in.avi"));
        job.setOutputFile(temp.filePath(QStringLiteral("out.mp4")));
        job.setParametrs(QStringLiteral("-y"));
        job.StartConversion();
        if (c.bSucceeds) {
            EXPECT_EQ(log.events, QStringList{QStringLiteral("status:Starting...")}) << qPrintable(c.sScript);
            EXPECT_TRUE(boxes.Messages().isEmpty()) << qPrintable(c.sScript);
        } else {
            EXPECT_EQ(log.events.last(), QStringLiteral("status:Error")) << qPrintable(c.sScript);
            EXPECT_EQ(boxes.Messages().size(), 1) << qPrintable(c.sScript);
        }
    }
    // An empty output is named as the cause when the encoder did not name it.
    MsgBoxRecorder emptyBoxes;
    CVideoConv emptyJob;
    emptyJob.setInputFile(QStringLiteral("/videos/in.avi"));
    emptyJob.setOutputFile(temp.filePath(QStringLiteral("out.mp4")));
    emptyJob.StartConversion();
    EXPECT_EQ(emptyBoxes.Texts(), QStringList{kErrorConverting + QStringLiteral("in.avi\r\nPress [q] to stop, [?] for "
                                                                               "help\r\nOutput file is empty, "
                                                                               "nothing was encoded")});
    // The encoder's last word is the detail when its output has no landmark.
    ASSERT_TRUE(WriteFakeEncoder(temp.path(), QStringLiteral("echo 'Press [q] to stop'; echo 'Conversion failed!'; exit 1")));
    MsgBoxRecorder boxes;
    CVideoConv job;
    job.setInputFile(QStringLiteral("/videos/in.avi"));
    job.StartConversion();
    EXPECT_EQ(boxes.Texts(), QStringList{kErrorConverting + QStringLiteral("in.avi\r\nConversion failed!")});
}

TEST(CVideoConv, RealEncoderThatWritesNothingFailsTheJob)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString sInput = temp.filePath(QStringLiteral("short.mp4"));
    const QString sOutput = temp.filePath(QStringLiteral("short.gif"));
    ASSERT_TRUE(TestMedia::MakeClip(sInput, 1.0));
    ASSERT_TRUE(WriteTextFile(sOutput, QByteArray()));

    // A cut that starts after the input's end: ffmpeg 5.1 exits 0 and leaves the GIF empty.
    MsgBoxRecorder boxes;
    CVideoConv job;
    EventLog log(job);
    job.setInputFile(sInput);
    job.setOutputFile(sOutput);
    job.setFileTimeLength(2.0f);
    job.setParametrs(QStringLiteral("-ss 5 -t 2 -y"));
    job.StartConversion();

    EXPECT_EQ(log.Statuses().last(), QStringLiteral("status:Error"));
    ASSERT_EQ(boxes.Messages().size(), 1);
    const QString sMessage = boxes.Messages()[0].sText;
    EXPECT_TRUE(sMessage.startsWith(kErrorConverting + QStringLiteral("short.mp4\r\n"))) << qPrintable(sMessage);
    EXPECT_TRUE(sMessage.contains(QStringLiteral("Output file is empty, nothing was encoded"))) << qPrintable(sMessage);
    EXPECT_EQ(boxes.Messages()[0].icon, MsgIcon::Critical);
}

TEST(CVideoConv, EncoderGetsThePathsExactly)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    // The fake encoder writes its arguments, one to a line, into the program folder.
    const QString sFolder = temp.filePath(QStringLiteral("my program"));
    ProgramFolder program(sFolder);
    ASSERT_TRUE(WriteFakeEncoder(sFolder, QStringLiteral("printf '[%s]\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"; "
                                                       "for last; do :; done; echo data > \"$last\"; "
                                                       "echo 'Press [q] to stop'")));
    const QString sInput = QStringLiteral("/videos/say \"hi\" \\ there\\");
    const QString sOutput = temp.filePath(QStringLiteral("Cut Files/a\"b.mp4"));
    ASSERT_TRUE(QDir().mkpath(temp.filePath(QStringLiteral("Cut Files"))));
    const auto ArgumentsSeen = [&sFolder] {
        QFile args(sFolder + QStringLiteral("/args.txt"));
        return args.open(QIODevice::ReadOnly) ? QString::fromUtf8(args.readAll()) : QString();
    };

    MsgBoxRecorder boxes;
    CVideoConv job;
    job.setInputFile(sInput);
    job.setOutputFile(sOutput);
    job.setParametrs(QStringLiteral("-ss 1 -t 2 -y"));
    job.StartConversion();
    EXPECT_TRUE(boxes.Messages().isEmpty());
    EXPECT_EQ(ArgumentsSeen(), QStringLiteral("[-i]\n[") + sInput + QStringLiteral("]\n[-ss]\n[1]\n[-t]\n[2]\n[-y]\n[") +
                                   sOutput + QStringLiteral("]\n"));

    EXPECT_TRUE(job.IsFileSupported(sInput));
    EXPECT_EQ(ArgumentsSeen(), QStringLiteral("[-i]\n[") + sInput + QStringLiteral("]\n"));
}

TEST(CVideoConv, IsFileSupportedAsksTheEncoder)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString sClip = temp.filePath(QStringLiteral("clip.mp4"));
    const QString sText = temp.filePath(QStringLiteral("notes.mp4"));
    const QString sEmpty = temp.filePath(QStringLiteral("empty.mp4"));
    ASSERT_TRUE(TestMedia::MakeClip(sClip, 1.0));
    ASSERT_TRUE(WriteTextFile(sText, "These are my notes, not a video.\n"));
    ASSERT_TRUE(WriteTextFile(sEmpty, QByteArray()));

    // A browser's recording: its container states no duration, only its streams tell.
    const QString sLive = temp.filePath(QStringLiteral("live.webm"));
    ASSERT_TRUE(TestMedia::MakeClip(sLive, 6.0, QStringLiteral("320x240"),
                                    {"-c:v", "libvpx-vp9", "-deadline", "realtime", "-cpu-used", "8",
                                     "-c:a", "libopus", "-live", "1", "-f", "webm"}));
    ASSERT_EQ(TestMedia::Probe(sLive).dDuration, 0.0); // ffprobe: duration=N/A

    MsgBoxRecorder boxes;
    CVideoConv job;
    EXPECT_TRUE(job.IsFileSupported(sLive));
    EXPECT_NEAR(job.StreamDuration(), 6.0, 0.1);
    EXPECT_TRUE(job.IsFileSupported(sClip));
    EXPECT_EQ(job.StreamDuration(), 0.0); // its container knows: nothing read
    EXPECT_FALSE(job.IsFileSupported(sText));
    EXPECT_FALSE(job.IsFileSupported(sEmpty));
    EXPECT_TRUE(CVideoConv().IsFileSupported(sClip));
    EXPECT_TRUE(boxes.Messages().isEmpty());

    // Without an encoder in the program folder, nothing speaks against the file.
    QTemporaryDir emptyFolder;
    ProgramFolder program(emptyFolder.path());
    CVideoConv missing;
    EXPECT_TRUE(missing.IsFileSupported(sText));
    EXPECT_EQ(boxes.Texts(), QStringList{kCommandNotFound});
}

TEST(CVideoConv, MissingEncoderFailsTheConversion)
{
    QTemporaryDir emptyFolder;
    ASSERT_TRUE(emptyFolder.isValid());
    ProgramFolder program(emptyFolder.path());
    MsgBoxRecorder boxes;
    CVideoConv job;
    EventLog log(job);
    job.setInputFile(QStringLiteral("/videos/holiday.avi"));
    job.setOutputFile(emptyFolder.filePath(QStringLiteral("holiday.mp4")));
    job.setParametrs(QStringLiteral("-y"));
    job.StartConversion();

    EXPECT_EQ(log.events, (QStringList{QStringLiteral("status:Starting..."), QStringLiteral("status:Error")}));
    EXPECT_EQ(boxes.Texts(), (QStringList{kCommandNotFound, kErrorConverting + QStringLiteral("holiday.avi\r\n")}));
}

TEST(CVideoConv, JobDestroyedDuringItsRunEndsTheEncoder)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    ProgramFolder program(temp.path());
    MsgBoxRecorder boxes;

    // The window closes while the encoder is silent.
    ASSERT_TRUE(WriteFakeEncoder(temp.path(), QStringLiteral("exec sleep 30")));
    {
        auto *job = new CVideoConv;
        QPointer<CVideoConv> alive(job);
        QObject window;
        QTimer::singleShot(300, &window, [&job] { delete job; });
        job->setInputFile(QStringLiteral("/videos/in.avi"));
        job->StartConversion();
        EXPECT_TRUE(alive.isNull());
    }
    // ... or from its own progress event.
    ASSERT_TRUE(WriteFakeEncoder(temp.path(), QStringLiteral("echo 'frame= 1 time=1.00 bitrate= 1'; exec sleep 30")));
    {
        auto *job = new CVideoConv;
        QPointer<CVideoConv> alive(job);
        int iProgress = -2;
        QObject::connect(job, &CVideoConv::Progress, [&](short i) {
            iProgress = i;
            delete job;
        });
        job->setInputFile(QStringLiteral("/videos/in.avi"));
        job->setFileTimeLength(4.0f);
        job->StartConversion();
        EXPECT_TRUE(alive.isNull());
        EXPECT_EQ(iProgress, 25);
    }
    EXPECT_TRUE(ChildPids().isEmpty());
    EXPECT_TRUE(boxes.Messages().isEmpty());
}
