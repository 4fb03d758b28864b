#include "EngineTestSupport.h"
#include "contract/modEncoder.h"
#include "engine/modJobOutput.h"

#include "common/AppPath.h"
#include "common/ScopedOverride.h"

#include <gtest/gtest.h>

namespace {
// The notices of one chunk, written out: "status:<text>" or "progress:<n>".
QStringList Notices(const QString &sChunk, float fFileTimeLength)
{
    QStringList notices;
    for (const JobNotice &notice : ReadOutputChunk(sChunk, fFileTimeLength)) {
        if (notice.kind == JobNotice::Kind::Status)
            notices << QStringLiteral("status:") + notice.sStatus;
        else
            notices << QStringLiteral("progress:") + QString::number(notice.iProgress);
    }
    return notices;
}

QStringList Progress(int iPercent)
{
    return {QStringLiteral("progress:%1").arg(iPercent)};
}

QStringList Status(const QString &sStatus)
{
    return {QStringLiteral("status:") + sStatus};
}

// Progress lines as old builds wrote them (plain seconds) and as today's write them.
const QString kOldProgressLine =
    QStringLiteral("frame=  250 fps= 25 q=2.0 size=    1024kB time=10.00 bitrate= 838.9kbits/s    \r");
const QString kNewProgressLine = QStringLiteral(
    "frame= 1630 fps=412 q=28.0 size=    2304kB time=00:01:05.20 bitrate= 289.5kbits/s speed=16.5x    \r");

// A failed run of ffmpeg 5.1 (LF line ends), the encoder's configuration line left out: the
// encoder got under way and then gave up.
const QString kNewFailedRun = QStringLiteral(
    "ffmpeg version 5.1.9-0+deb12u1 Copyright (c) 2000-2026 the FFmpeg developers\n"
    "  built with gcc 12 (Debian 12.2.0-14+deb12u1)\n"
    "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'in.mp4':\n"
    "  Metadata:\n"
    "    major_brand     : isom\n"
    "  Duration: 00:00:03.00, start: 0.000000, bitrate: 353 kb/s\n"
    "  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(progressive), 320x240\n"
    "  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, mono, fltp, 69 kb/s (default)\n"
    "Stream mapping:\n"
    "  Stream #0:0 -> #0:0 (h264 (native) -> h264 (libx264))\n"
    "  Stream #0:1 -> #0:1 (aac (native) -> aac (native))\n"
    "Press [q] to stop, [?] for help\n"
    "[libx264 @ 0x55b8c68e6b40] width not divisible by 2 (321x241)\n"
    "Conversion failed!\n");

// A failed run as old builds wrote it (CR LF line ends).
const QString kOldFailedRun = QStringLiteral(
    "FFmpeg version SVN-r13582, Copyright (c) 2000-2008 Fabrice Bellard, et al.\r\n"
    "  built on Jun  3 2008 00:53:35, gcc: 4.2.1\r\n"
    "Input #0, avi, from 'C:\\Videos\\in.avi':\r\n"
    "  Duration: 00:00:10.0, start: 0.000000, bitrate: 1534 kb/s\r\n"
    "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25.00 tb(r)\r\n"
    "    Stream #0.1: Audio: mp3, 44100 Hz, stereo, 128 kb/s\r\n"
    "Output #0, mp4, to 'C:\\Cut Files\\in.mp4':\r\n"
    "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, q=2-31, 320 kb/s, 25.00 tb(c)\r\n"
    "    Stream #0.1: Audio: libfaac, 22050 Hz, stereo, 64 kb/s\r\n"
    "Stream mapping:\r\n"
    "  Stream #0.0 -> #0.0\r\n"
    "  Stream #0.1 -> #0.1\r\n"
    "Error while opening codec for output stream #0.1 - maybe incorrect parameters such as bit_rate, rate, width or height\r\n");

} // namespace

TEST(JobOutput, OldProgressReportsPlainSeconds)
{
    EXPECT_EQ(Notices(kOldProgressLine, 40.0f), Progress(25));
    EXPECT_EQ(Notices(kOldProgressLine, 0.0f), Status(QStringLiteral("10.00 Seconds Converted")));
    EXPECT_EQ(Notices(kOldProgressLine, -1.0f), Status(QStringLiteral("10.00 Seconds Converted")));
    EXPECT_EQ(Notices(QStringLiteral("TIME=10.00 bitrate"), 40.0f), Progress(25));
    // Only the first report of a chunk counts.
    EXPECT_EQ(Notices(QStringLiteral("time=10.00 x\rtime=20.00 x"), 40.0f), Progress(25));
    // A report cut off before its blank.
    EXPECT_EQ(Notices(QStringLiteral("size=  1kB time=12.3"), 40.0f), QStringList());
    EXPECT_EQ(Notices(QStringLiteral("size=  1kB time=12.3"), 0.0f), Status(QStringLiteral(" Seconds Converted")));
}

TEST(JobOutput, SecondsAndPercentRoundHalvesToEven)
{
    EXPECT_EQ(Notices(QStringLiteral("time=12.50 "), 100.0f), Progress(12));
    EXPECT_EQ(Notices(QStringLiteral("time=13.50 "), 100.0f), Progress(14));
    EXPECT_EQ(Notices(QStringLiteral("time=1 "), 8.0f), Progress(12));  // 12.5 %
    EXPECT_EQ(Notices(QStringLiteral("time=3 "), 8.0f), Progress(38));  // 37.5 %
    EXPECT_EQ(Notices(QStringLiteral("time=2 "), 3.0f), Progress(67));
    // Not capped, and only 16 bits wide.
    EXPECT_EQ(Notices(QStringLiteral("time=50.00 "), 40.0f), Progress(125));
    EXPECT_EQ(Notices(QStringLiteral("time=327 "), 1.0f), Progress(32700));
    EXPECT_EQ(Notices(QStringLiteral("time=328 "), 1.0f), QStringList());
    EXPECT_EQ(Notices(QStringLiteral("time=40000.00 "), 1000000.0f), QStringList());
    // No number at all.
    EXPECT_EQ(Notices(QStringLiteral("time=abc "), 40.0f), QStringList());
    EXPECT_EQ(Notices(QStringLiteral("time= x"), 40.0f), QStringList());
    EXPECT_EQ(Notices(QStringLiteral("time=abc "), 0.0f), Status(QStringLiteral("abc Seconds Converted")));
}

TEST(JobOutput, TodaysProgressReportsAClockTime)
{
    EXPECT_EQ(Notices(kNewProgressLine, 130.0f), Progress(50));
    EXPECT_EQ(Notices(kNewProgressLine, 0.0f), Status(QStringLiteral("00:01:05.20 Seconds Converted")));
    EXPECT_EQ(Notices(QStringLiteral("time=01:00:00.00 "), 7200.0f), Progress(50));
    EXPECT_EQ(Notices(QStringLiteral("time=00:00:12.50 "), 100.0f), Progress(12));
    EXPECT_EQ(Notices(QStringLiteral("time=00:00:13.50 "), 100.0f), Progress(14));
    EXPECT_EQ(Notices(QStringLiteral("time=00:00:08 "), 8.0f), Progress(100));
    // Before the first frame ffmpeg may report a small negative time.
    EXPECT_EQ(Notices(QStringLiteral("time=-00:00:00.04 "), 8.0f), Progress(0));
    // 32768 seconds do not fit.
    EXPECT_EQ(Notices(QStringLiteral("time=09:06:08.00 "), 40000.0f), QStringList());
    EXPECT_EQ(Notices(QStringLiteral("time=09:06:07.00 "), 32767.0f), Progress(100));
    EXPECT_EQ(Notices(QStringLiteral("size=N/A time=N/A bitrate=N/A speed=N/A    \r"), 8.0f), QStringList());
    EXPECT_EQ(Notices(QStringLiteral("time=00:0a:05.20 "), 8.0f), QStringList());
}

TEST(JobOutput, UnreadableInputAndTheCancelNotice)
{
    const QStringList unknown{QStringLiteral("status:Unknown format"), QStringLiteral("progress:-1")};
    EXPECT_EQ(Notices(QStringLiteral("C:\\in.avi: Unknown format\r\n"), 40.0f), unknown);
    EXPECT_EQ(Notices(QStringLiteral("time=10.00 x\r\nin.avi: unknown FORMAT\r\n"), 40.0f), unknown);
    EXPECT_EQ(Notices(QStringLiteral("/tmp/zero.mp4: Invalid data found when processing input\n"), 0.0f), unknown);

    EXPECT_EQ(Notices(QStringLiteral("Cancelled"), 40.0f), Status(QStringLiteral("Cancelled")));
    EXPECT_EQ(Notices(QStringLiteral("cancelled"), 40.0f), QStringList());
    EXPECT_EQ(Notices(QStringLiteral("cancelled time=10.00 "), 40.0f), Progress(25));
    EXPECT_EQ(Notices(QString(), 40.0f), QStringList());
    EXPECT_EQ(Notices(QString(), 0.0f), QStringList());
    EXPECT_EQ(Notices(QStringLiteral("Stream mapping:\n"), 40.0f), QStringList());
}

TEST(JobOutput, ErrorDetailStartsAfterTheStreamLines)
{
    // Old form: from the line feed that ends the second stream line.
    EXPECT_EQ(GetErrorDetail(kOldFailedRun),
              QStringLiteral("\nError while opening codec for output stream #0.1 - maybe incorrect parameters "
                             "such as bit_rate, rate, width or height\r\n"));
    // Today's form, LF only.
    EXPECT_EQ(GetErrorDetail(kNewFailedRun),
              QStringLiteral("\nPress [q] to stop, [?] for help\n"
                             "[libx264 @ 0x55b8c68e6b40] width not divisible by 2 (321x241)\n"
                             "Conversion failed!\n"));
    // Without "Stream mapping:", four line breaks after "Input #".
    const QString sInputOnly = QStringLiteral(
        "built on x\r\nInput #0, avi\r\n  Duration: 1\r\n    Stream #0.0: Video\r\n    Stream #0.1: Audio\r\n"
        "Unsupported codec for output stream #0.0\r\n");
    EXPECT_EQ(GetErrorDetail(sInputOnly), QStringLiteral("\nUnsupported codec for output stream #0.0\r\n"));
    // The banner alone.
    EXPECT_EQ(GetErrorDetail(QStringLiteral("FFmpeg version SVN-r13582\r\n  built on Jun  3 2008\r\n"
                                            "in.avi: I/O error occured\r\n")),
              QString());
    EXPECT_EQ(GetErrorDetail(QString()), QString());
    EXPECT_EQ(GetErrorDetail(QStringLiteral("    ")), QString());
}

TEST(JobOutput, ErrorDetailRunsOutOfLineBreaksOrLandmarks)
{
    // Too few line breaks: the search starts again from the beginning of the text.
    EXPECT_EQ(GetErrorDetail(QStringLiteral("Stream mapping:\nonly one line")), QStringLiteral("\nonly one line"));
    // ... and when the last step ran out, the detail is the whole text.
    EXPECT_EQ(GetErrorDetail(QStringLiteral("x\nStream mapping:\r\nA\r\n")),
              QStringLiteral("x\nStream mapping:\r\nA\r\n"));
    EXPECT_EQ(GetErrorDetail(QStringLiteral("Stream mapping: no breaks")), QStringLiteral("Stream mapping: no breaks"));
    // None of the landmarks: the last line that says anything.
    EXPECT_EQ(GetErrorDetail(QStringLiteral("ffmpeg version 5.1\n  built with gcc 12\n"
                                            "/tmp/in.mp4: No such file or directory\n")),
              QStringLiteral("/tmp/in.mp4: No such file or directory"));
    EXPECT_EQ(GetErrorDetail(QStringLiteral("frame=1 time=0.00 \rSegmentation fault\r\n\r\n")),
              QStringLiteral("Segmentation fault"));
    EXPECT_EQ(GetErrorDetail(QStringLiteral("\n\r\n")), QString());
}

// A cut onto a full disk as ffmpeg 5.1 wrote it (shortened: fewer progress lines, the encoder's
// statistics left out): every progress line ends in a lone CR, the complaint follows the last.
const QString kFullDiskRun = QStringLiteral(
    "Stream mapping:\n"
    "  Stream #0:0 -> #0:0 (h264 (native) -> h264 (libx264))\n"
    "  Stream #0:1 -> #0:1 (aac (native) -> vorbis (libvorbis))\n"
    "Press [q] to stop, [?] for help\n"
    "Output #0, matroska, to '/media/full/cut.mkv':\n"
    "frame=    1 fps=0.0 q=0.0 size=       4kB time=00:00:00.01 bitrate=2441.1kbits/s speed=1.69x    \r"
    "frame=   49 fps=0.0 q=28.0 size=       4kB time=00:00:01.96 bitrate=  17.4kbits/s speed=17.1x    \r"
    "frame=  292 fps=186 q=28.0 size=     180kB time=00:00:11.69 bitrate= 126.4kbits/s speed=7.43x    \r"
    "av_interleaved_write_frame(): No space left on device\n"
    "    Last message repeated 50 times\n"
    "Error writing trailer of /media/full/cut.mkv: No space left on device\n"
    "frame=  296 fps=168 q=-1.0 Lsize=     380kB time=00:00:11.88 bitrate= 262.0kbits/s speed=6.75x    \n"
    "Conversion failed!\n");

TEST(JobOutput, ErrorDetailShowsProgressLinesAsATerminalDoes)
{
    EXPECT_EQ(GetErrorDetail(kFullDiskRun),
              QStringLiteral("\nPress [q] to stop, [?] for help\n"
                             "Output #0, matroska, to '/media/full/cut.mkv':\n"
                             "av_interleaved_write_frame(): No space left on device\n"
                             "    Last message repeated 50 times\n"
                             "Error writing trailer of /media/full/cut.mkv: No space left on device\n"
                             "frame=  296 fps=168 q=-1.0 Lsize=     380kB time=00:00:11.88 bitrate= 262.0kbits/s "
                             "speed=6.75x    \n"
                             "Conversion failed!\n"));
    // CR LF stays one line break; a run that was cut off keeps its last progress line.
    EXPECT_EQ(GetErrorDetail(QStringLiteral("Input #0\r\n1\r\n2\r\n3\r\nframe=1 \rframe=2 \r\r\nframe=3 \rframe=4 \r")),
              QStringLiteral("\nframe=2 \r\nframe=4 "));
}

TEST(EncoderContract, CommandLinesKeepTheirLetters)
{
    {
        const ScopedOverride folder(SetAppPathForTests, QStringLiteral("/opt/clipwright"));
        EXPECT_EQ(EncoderPath(), QStringLiteral("/opt/clipwright/ffmpeg"));
        EXPECT_EQ(ProbeCommandLine(QStringLiteral("/home/me/My Videos/a.avi")),
                  QStringLiteral("/opt/clipwright/ffmpeg -i \"/home/me/My Videos/a.avi\""));
        EXPECT_EQ(ConversionCommandLine(QStringLiteral("/v/a.avi"), QStringLiteral("-ss 10 -t 60 -y"),
                                        QStringLiteral("/v/Cut Files/a.mp4")),
                  QStringLiteral("/opt/clipwright/ffmpeg -i \"/v/a.avi\" -ss 10 -t 60 -y \"/v/Cut Files/a.mp4\""));
        // Arguments go in unchanged, a leading blank included.
        EXPECT_EQ(ConversionCommandLine(QStringLiteral("/v/a.avi"), QStringLiteral(" -ar 22050"),
                                        QStringLiteral("/v/b.mp4")),
                  QStringLiteral("/opt/clipwright/ffmpeg -i \"/v/a.avi\"  -ar 22050 \"/v/b.mp4\""));
        // A quote in a path is escaped, so the encoder gets the path back exactly.
        EXPECT_EQ(ProbeCommandLine(QStringLiteral("/v/say \"hi\".avi")),
                  QStringLiteral("/opt/clipwright/ffmpeg -i \"/v/say \\\"hi\\\".avi\""));
    }
    {
        const ScopedOverride folder(SetAppPathForTests, QStringLiteral("/opt/clip wright/"));
        EXPECT_EQ(ProbeCommandLine(QStringLiteral("/v/a.avi")),
                  QStringLiteral("\"/opt/clip wright/ffmpeg\" -i \"/v/a.avi\""));
    }
}

TEST(EncoderContract, MarksIgnoreLetterCase)
{
    EXPECT_TRUE(ReportsEncodingStarted(QStringLiteral("x\nPress [q] to stop, [?] for help\n")));
    EXPECT_TRUE(ReportsEncodingStarted(QStringLiteral("press [q] to stop encoding\r\n")));
    EXPECT_TRUE(ReportsEncodingStarted(QStringLiteral("PRESS [Q] TO STOP")));
    EXPECT_FALSE(ReportsEncodingStarted(QStringLiteral("Press [q] to")));
    EXPECT_TRUE(ReportsUnknownFormat(QStringLiteral("a.avi: unknown format")));
    EXPECT_TRUE(ReportsUnknownFormat(QStringLiteral("a.mp4: Invalid data found when processing input")));
    EXPECT_FALSE(ReportsUnknownFormat(QStringLiteral("a.mp4: No such file or directory")));
    EXPECT_TRUE(StatesNoDuration(QStringLiteral("  Duration: N/A, start: -0.007000, bitrate: N/A\n")));
    EXPECT_FALSE(StatesNoDuration(QStringLiteral("  Duration: 00:00:06.00, start: 0.000000, bitrate: N/A\n")));
}

TEST(EncoderContract, TheLastProgressTimeIsTheLengthRead)
{
    double dSeconds = -1.0;
    EXPECT_TRUE(LastProgressSeconds(QStringLiteral("size=N/A time=00:00:01.00 x\rLsize=N/A time=01:02:03.50 "
                                                   "bitrate=N/A\n"),
                                    dSeconds));
    EXPECT_DOUBLE_EQ(dSeconds, 3723.5);
    EXPECT_TRUE(LastProgressSeconds(QStringLiteral("time=12.25 bitrate"), dSeconds));
    EXPECT_DOUBLE_EQ(dSeconds, 12.25);
    EXPECT_FALSE(LastProgressSeconds(QStringLiteral("time=00:00:02.00 then time=N/A bitrate"), dSeconds));
    EXPECT_FALSE(LastProgressSeconds(QStringLiteral("Duration: N/A"), dSeconds));
}

TEST(EncoderContract, TheStatedDurationIsRead)
{
    const QString sCheck = QStringLiteral("Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'a.mp4':\n"
                                          "  Duration: 01:02:05.50, start: 0.000000, bitrate: 396 kb/s\n"
                                          "  Stream #0:0: Video: h264\n");
    double dSeconds = 0.0;
    EXPECT_TRUE(StatedDuration(sCheck, dSeconds));
    EXPECT_DOUBLE_EQ(dSeconds, 3725.5);
    EXPECT_TRUE(StatedDuration(QStringLiteral("  Duration: 00:00:08.00\r\n"), dSeconds));
    EXPECT_DOUBLE_EQ(dSeconds, 8.0);
    EXPECT_FALSE(StatedDuration(QStringLiteral("  Duration: N/A, start: 0.000000, bitrate: N/A\n"), dSeconds));
    EXPECT_FALSE(StatedDuration(QStringLiteral("missing.mp4: No such file or directory\n"), dSeconds));
}
