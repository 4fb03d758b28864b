// Every shipped preset, and the custom panel's first-start codecs with every container they can
// fill, over the awkward inputs people really load: odd sizes, portrait and rotated pictures,
// anamorphic DVD footage with 5.1 sound, a camcorder's interlaced MPEG-2, 10-bit video, subtitles,
// cover art, no sound, no picture.
// Each cut goes through GetParamaters, " -y" and the program's own command line to the real
// encoder; ffprobe and a decode-back judge the file. Slow: labelled so a quick run leaves it out.
#include "ShippedPresets.h"
#include "common/AppPath.h"
#include "contract/modEncoder.h"
#include "formats/MemoryList.h"
#include "formats/modCatalogues.h"
#include "formats/modParameters.h"
#include "platform/modCommandLine.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iostream>
#include <memory>
#include <thread>

namespace {

using namespace ShippedPresets;

// Inputs last 2 s, mostly at low frame rates to keep the matrix quick; every run cuts the second
// from 1 s to 2 s.
constexpr WholeSeconds kStart = 1;
constexpr WholeSeconds kEnd = 2;
constexpr double kLength = 1.0;
constexpr double kLengthTolerance = 0.25;
constexpr double kAspectTolerance = 0.02;

// One input: the ffmpeg commands that make it (run in order in the inputs' folder, after
// "-hide_banner -loglevel error"), and what a viewer sees and hears of it.
struct Input {
    QString sName;
    QList<QStringList> commands;
    int iWidth;    // upright picture in square pixels; 0: no picture
    int iHeight;
    int iChannels; // 0: no sound
    bool bStreamChoice; // needs the choice of streams only presets make (cover art, subtitles)
    bool bInterlaced = false; // its frames are marked interlaced, top field first
};

QStringList Lavfi(const QString &sSource)
{
    return {"-f", "lavfi", "-i", sSource};
}

QStringList Picture(const QString &sSize, int iRate, const QString &sExtra = QString())
{
    return Lavfi(QStringLiteral("testsrc2=size=%1:rate=%2:duration=2%3").arg(sSize).arg(iRate).arg(sExtra));
}

const QStringList kTone = Lavfi("aevalsrc=sin(440*2*PI*t)|sin(660*2*PI*t):sample_rate=48000:duration=2");
const QStringList kQuickH264 = {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};

// A subtitle cue that runs past the cut's end, as an inline SRT file.
QString SubtitleSource()
{
    const QByteArray srt("1\n00:00:00,500 --> 00:00:03,000\nHello\n");
    return QStringLiteral("data:text/plain;base64,") + QString::fromLatin1(srt.toBase64());
}

const QList<Input> &Inputs()
{
    static const QList<Input> inputs{
        {"odd.webm",
         {Picture("428x240", 15) + kTone +
          QStringList{"-vf", "scale=427:239,setsar=1", "-c:v", "libvpx", "-deadline", "realtime", "-cpu-used",
                      "8", "-c:a", "libopus", "odd.webm"}},
         427, 239, 2, false},
        {"portrait.mp4", {Picture("540x960", 10) + kTone + kQuickH264 + QStringList{"-c:a", "aac", "portrait.mp4"}},
         540, 960, 2, false},
        {"rotated.mp4",
         {Picture("480x270", 15) + kTone + kQuickH264 + QStringList{"-c:a", "aac", "upright.mp4"},
          {"-i", "upright.mp4", "-c", "copy", "-metadata:s:v:0", "rotate=90", "rotated.mp4"}},
         270, 480, 2, false},
        {"dvd.mpg",
         {Picture("720x576", 10, ",setsar=64/45") + kTone +
          QStringList{"-af", "pan=5.1(side)|FL=c0|FR=c1|FC=c0|LFE=c1|SL=c0|SR=c1", "-c:v", "mpeg2video", "-q:v",
                      "4", "-c:a", "ac3", "-b:a", "384k", "dvd.mpg"}},
         1024, 576, 6, false},
        // 50 fields a second woven into 25 frames, as a camcorder writes them. The blur keeps the
        // interlace detector from taking the test picture's one-pixel lines for combing.
        {"interlaced.mpg",
         {Picture("352x288", 50, ",boxblur=1") + kTone +
          QStringList{"-vf", "tinterlace=4,setfield=tff", "-flags", "+ilme+ildct", "-c:v", "mpeg2video", "-q:v",
                      "4", "-c:a", "mp2", "interlaced.mpg"}},
         352, 288, 2, false, true},
        {"tenbit.mp4",
         {Picture("320x180", 10) + kTone +
          QStringList{"-c:v", "libx265", "-preset", "ultrafast", "-pix_fmt", "yuv420p10le", "-x265-params",
                      "log-level=error", "-c:a", "aac", "tenbit.mp4"}},
         320, 180, 2, false},
        {"subtitled.mkv",
         {Picture("320x240", 10) + kTone + QStringList{"-i", SubtitleSource(), "-map", "0:v", "-map", "1:a", "-map", "2:s"} +
          kQuickH264 + QStringList{"-c:a", "aac", "-c:s", "srt", "subtitled.mkv"}},
         320, 240, 2, true},
        {"silent.mp4", {Picture("320x240", 10) + kQuickH264 + QStringList{"silent.mp4"}}, 320, 240, 0, false},
        {"cover.mp3",
         {Picture("320x240", 25) + QStringList{"-frames:v", "1", "cover.png"},
          kTone + QStringList{"-i", "cover.png", "-map", "0", "-map", "1", "-c:a", "libmp3lame", "-c:v", "png",
                              "-disposition:v", "attached_pic", "cover.mp3"}},
         0, 0, 2, true},
        {"sound.m4a", {kTone + QStringList{"-c:a", "aac", "sound.m4a"}}, 0, 0, 2, false},
    };
    return inputs;
}

// What ffprobe reads of one stream and of the whole file.
struct StreamInfo {
    QString sType, sCodec, sPixelFormat, sLayout, sFieldOrder;
    int iWidth = 0, iHeight = 0, iChannels = 0;
    double dPixelAspect = 1.0;
    double dDuration = 0.0;
};

struct FileInfo {
    bool bOk = false;
    QString sFormat;
    QList<StreamInfo> streams;
};

double Ratio(const QString &sRatio)
{
    const QStringList parts = sRatio.split(':');
    const double dNum = parts.value(0).toDouble(), dDen = parts.value(1).toDouble();
    return dNum > 0 && dDen > 0 ? dNum / dDen : 1.0;
}

// Seconds of a stream: its own duration, else Matroska's DURATION tag, else the file's.
double StreamDuration(const QJsonObject &stream, double dFileDuration)
{
    const QString sOwn = stream.value("duration").toString();
    if (!sOwn.isEmpty())
        return sOwn.toDouble();
    const QStringList hms = stream.value("tags").toObject().value("DURATION").toString().split(':');
    if (hms.size() == 3)
        return hms[0].toDouble() * 3600 + hms[1].toDouble() * 60 + hms[2].toDouble();
    return dFileDuration;
}

FileInfo Probe(const QString &sPath)
{
    FileInfo info;
    QString sJson;
    if (TestMedia::Run(TestMedia::FfprobePath(),
                       {"-v", "error", "-of", "json", "-show_format", "-show_streams", sPath}, &sJson) != 0)
        return info;
    const QJsonObject root = QJsonDocument::fromJson(sJson.toUtf8()).object();
    const QJsonObject format = root.value("format").toObject();
    info.sFormat = format.value("format_name").toString();
    const double dFileDuration = format.value("duration").toString().toDouble();
    for (const QJsonValue &value : root.value("streams").toArray()) {
        const QJsonObject stream = value.toObject();
        StreamInfo s;
        s.sType = stream.value("codec_type").toString();
        s.sCodec = stream.value("codec_name").toString();
        s.sPixelFormat = stream.value("pix_fmt").toString();
        s.iWidth = stream.value("width").toInt();
        s.iHeight = stream.value("height").toInt();
        s.iChannels = stream.value("channels").toInt();
        s.sLayout = stream.value("channel_layout").toString();
        s.sFieldOrder = stream.value("field_order").toString();
        s.dPixelAspect = Ratio(stream.value("sample_aspect_ratio").toString());
        s.dDuration = StreamDuration(stream, dFileDuration);
        info.streams << s;
    }
    info.bOk = true;
    return info;
}

// What one cut gave: the encoder's exit and output, and what ffprobe and a decode-back read.
struct Outcome {
    int iExit = -1;
    QString sLog;
    bool bFileMade = false;
    FileInfo file;
    int iDecodeExit = -1;
    QString sDecodeLog;
    QString sInterlaceDetection; // of the picture of an interlaced input: the detector's report
};

// The interlace detector's verdict on each frame alone ("Single frame detection"): how many of
// them read as combed with the top field first, the interlaced input's order, out of how many.
// Woven fields kept make nearly every frame read so. Noise (a codec's ringing, a GIF palette's
// dithering, even from a progressive source) reads as combing of either order in a few frames,
// so the checks allow a quarter.
struct Combing {
    int iTopFirst = 0;
    int iFrames = 0;
};

Combing ReadCombing(const QString &sDetection)
{
    static const QRegularExpression counts(QStringLiteral(
        R"(Single frame detection: TFF:\s*(\d+)\s*BFF:\s*(\d+)\s*Progressive:\s*(\d+)\s*Undetermined:\s*(\d+))"));
    const QRegularExpressionMatch match = counts.match(sDetection);
    Combing combing;
    if (match.hasMatch()) {
        combing.iTopFirst = match.captured(1).toInt();
        for (int i = 1; i <= 4; ++i)
            combing.iFrames += match.captured(i).toInt();
    }
    return combing;
}

Outcome RunCut(const QStringList &tokens, const QString &sOutput, bool bInterlacedInput)
{
    Outcome outcome;
    outcome.iExit = TestMedia::Run(tokens.first(), tokens.mid(1), &outcome.sLog);
    outcome.bFileMade = QFileInfo::exists(sOutput);
    if (outcome.iExit == 0) {
        outcome.file = Probe(sOutput);
        outcome.iDecodeExit = TestMedia::Run(TestMedia::FfmpegPath(), {"-v", "error", "-i", sOutput, "-f", "null", "-"},
                                             &outcome.sDecodeLog);
        if (bInterlacedInput)
            TestMedia::Run(TestMedia::FfmpegPath(),
                           {"-hide_banner", "-i", sOutput, "-map", "0:v:0?", "-vf", "idet", "-f", "null", "-"},
                           &outcome.sInterlaceDetection);
    }
    return outcome;
}

// Counts the failed checks, so that each cell of the summary knows whether it added any.
struct FailureCounter : ::testing::EmptyTestEventListener {
    int iFailures = 0;
    void OnTestPartResult(const ::testing::TestPartResult &result) override { iFailures += result.failed(); }
};
FailureCounter *g_failures = nullptr;

// Checks one output against the rules; answers "pass", "refused" or "FAIL" for the summary.
QString Judge(const Expected &expected, const Input &input, const Outcome &outcome)
{
    const int iFailuresBefore = g_failures->iFailures;
    const bool bVideo = !expected.sVideoCodec.isEmpty() && input.iWidth > 0;
    const bool bAudio = !expected.sAudioCodec.isEmpty() && input.iChannels > 0;
    auto verdict = [&](const QString &sGood) {
        return g_failures->iFailures == iFailuresBefore ? sGood : QStringLiteral("FAIL");
    };
    if ((!bVideo && !bAudio) || ((expected.rules & kNeedsVideo) && input.iWidth == 0)) {
        // Nothing the format can hold: a clear failure and no file at all.
        EXPECT_NE(outcome.iExit, 0) << "made a file without content";
        EXPECT_FALSE(outcome.bFileMade);
        return verdict("refused");
    }
    EXPECT_EQ(outcome.iExit, 0) << outcome.sLog.toStdString();
    const FileInfo &info = outcome.file;
    EXPECT_TRUE(info.bOk);
    EXPECT_EQ(info.sFormat, expected.sFormat);
    EXPECT_EQ(info.streams.size(), int(bVideo) + int(bAudio)) << "only the main picture and the first sound";
    for (const StreamInfo &s : info.streams) {
        SCOPED_TRACE(s.sType.toStdString());
        EXPECT_NEAR(s.dDuration, kLength, kLengthTolerance);
        if (s.sType == "video") {
            EXPECT_TRUE(bVideo);
            EXPECT_EQ(s.sCodec, expected.sVideoCodec);
            EXPECT_EQ(s.iWidth % 2, 0);
            EXPECT_EQ(s.iHeight % 2, 0);
            if (expected.rules & kEightBit) {
                EXPECT_EQ(s.sPixelFormat, "yuv420p");
            }
            if (expected.rules & kSquarePixels) {
                EXPECT_NEAR(s.dPixelAspect, 1.0, 1e-9);
            }
            // Upright, same shape, never larger than the source, named size on the shorter side.
            const double dShownWidth = s.iWidth * s.dPixelAspect;
            EXPECT_NEAR(dShownWidth / s.iHeight / (double(input.iWidth) / input.iHeight), 1.0, kAspectTolerance);
            EXPECT_EQ(dShownWidth > s.iHeight, input.iWidth > input.iHeight);
            EXPECT_LE(dShownWidth, input.iWidth + 1.0);
            EXPECT_LE(s.iHeight, input.iHeight);
            const int iShort = std::min(input.iWidth, input.iHeight);
            const int iNamed = expected.iShortSide > 0 ? std::min(expected.iShortSide, iShort) : iShort;
            EXPECT_EQ(std::min(s.iWidth, s.iHeight), iNamed / 2 * 2);
            if (input.bInterlaced && (expected.rules & kProgressive)) {
                // Neither combed nor flagged as fields.
                EXPECT_TRUE(s.sFieldOrder.isEmpty() || s.sFieldOrder == "progressive") << s.sFieldOrder.toStdString();
                const Combing combing = ReadCombing(outcome.sInterlaceDetection);
                EXPECT_GT(combing.iFrames, 0) << outcome.sInterlaceDetection.toStdString();
                EXPECT_LE(combing.iTopFirst * 4, combing.iFrames) << combing.iTopFirst << " combed";
            }
        } else {
            EXPECT_EQ(s.sType, "audio");
            EXPECT_TRUE(bAudio);
            EXPECT_EQ(s.sCodec, expected.sAudioCodec);
            EXPECT_EQ(s.iChannels, (expected.rules & kStereo) ? std::min(2, input.iChannels) : input.iChannels);
            if (s.iChannels > 2) { // beyond stereo the order of the channels must be known
                EXPECT_FALSE(s.sLayout.isEmpty());
            }
        }
    }
    EXPECT_EQ(outcome.iDecodeExit, 0);
    EXPECT_TRUE(outcome.sDecodeLog.trimmed().isEmpty()) << outcome.sDecodeLog.toStdString();
    return verdict("pass");
}

class PresetMatrix : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!g_failures) {
            g_failures = new FailureCounter; // owned by the listener list
            ::testing::UnitTest::GetInstance()->listeners().Append(g_failures);
        }
        s_inputs = std::make_unique<QTemporaryDir>();
        s_bInputsMade = s_inputs->isValid();
        for (const Input &input : Inputs()) {
            for (const QStringList &command : input.commands) {
                // File names are the inputs' folder's: the output (last) and files made before.
                QStringList args{"-hide_banner", "-loglevel", "error"};
                for (int i = 0; i < command.size(); ++i) {
                    const QString sInFolder = s_inputs->filePath(command.at(i));
                    args << (i == command.size() - 1 || QFileInfo::exists(sInFolder) ? sInFolder : command.at(i));
                }
                args.insert(args.size() - 1, "-y");
                QString sLog;
                if (TestMedia::Run(TestMedia::FfmpegPath(), args, &sLog) != 0) {
                    std::cerr << input.sName.toStdString() << ": " << sLog.toStdString() << "\n";
                    s_bInputsMade = false;
                }
            }
        }
    }
    static void TearDownTestSuite() { s_inputs.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_bInputsMade);
        ASSERT_TRUE(m_out.isValid());
        SetAppPathForTests(TestMedia::BinDir());
        LoadPresets(m_tables, m_cmbCategory);
        LoadCodecs(m_tables, m_cmbCVCodec, m_cmbCACodec);
    }
    void TearDown() override { SetAppPathForTests(QString()); }

    // One cut of the matrix and the row and column of its verdict in the summary.
    struct Cell {
        FormatChoice choice;
        Expected expected;
        int iInput;
        QString sOutput;
        QString sRow;
    };

    // Cuts every cell as the program does (its command line, split by its own rules), two at a
    // time for the machine's two cores, then judges them in order; gives the summary's rows.
    QMap<QString, QStringList> CutAll(const QList<Cell> &cells)
    {
        QList<QStringList> tokens;
        QStringList arguments;
        for (const Cell &cell : cells) {
            arguments << GetParamaters(cell.choice, m_tables) + " -y";
            tokens << SplitCommandLine(ConversionCommandLine(s_inputs->filePath(Inputs().at(cell.iInput).sName),
                                                             arguments.last(), cell.sOutput));
        }
        QVector<Outcome> outcomes(cells.size());
        std::atomic<int> iNext{0};
        auto worker = [&] {
            for (int i = iNext++; i < cells.size(); i = iNext++)
                outcomes[i] = RunCut(tokens.at(i), cells.at(i).sOutput, Inputs().at(cells.at(i).iInput).bInterlaced);
        };
        std::thread helper(worker);
        worker();
        helper.join();

        QMap<QString, QStringList> rows;
        for (int i = 0; i < cells.size(); ++i) {
            const Input &input = Inputs().at(cells.at(i).iInput);
            SCOPED_TRACE((cells.at(i).sRow + " / " + input.sName + ": " + arguments.at(i)).toStdString());
            QStringList &row = rows[cells.at(i).sRow];
            while (row.size() < cells.at(i).iInput)
                row << QStringLiteral("-").leftJustified(7);
            row << Judge(cells.at(i).expected, input, outcomes.at(i)).leftJustified(7);
        }
        return rows;
    }

    static void PrintSummary(const QString &sTitle, const QMap<QString, QStringList> &rows, qint64 iMs)
    {
        std::cout << sTitle.toStdString() << " (" << iMs / 1000.0 << " s), inputs:";
        for (const Input &input : Inputs())
            std::cout << ' ' << input.sName.toStdString();
        std::cout << '\n';
        for (auto row = rows.cbegin(); row != rows.cend(); ++row)
            std::cout << "  " << row.value().join(' ').toStdString() << "  " << row.key().toStdString() << '\n';
    }

    static std::unique_ptr<QTemporaryDir> s_inputs;
    static bool s_bInputsMade;
    QTemporaryDir m_out;
    CatalogueTables m_tables;
    MemoryList m_cmbCategory, m_cmbCVCodec, m_cmbCACodec;
};

std::unique_ptr<QTemporaryDir> PresetMatrix::s_inputs;
bool PresetMatrix::s_bInputsMade = false;

TEST_F(PresetMatrix, EveryPresetMakesTheRightFileFromEveryInput)
{
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(m_tables.PresetCount, Table().size());
    QList<Cell> cells;
    for (int i = 0; i < m_tables.PresetCount; ++i) {
        const PresetEntry &preset = m_tables.Presets.at(i);
        const QString sKey = Key(preset.category, preset.label, preset.extension);
        ASSERT_TRUE(Table().contains(sKey)) << sKey.toStdString();
        FormatChoice choice;
        choice.sCategory = preset.category;
        choice.sPresetLabel = preset.label;
        choice.sPresetFormat = preset.extension;
        choice.iSelectStart = kStart;
        choice.iSelectEnd = kEnd;
        for (int j = 0; j < Inputs().size(); ++j)
            cells << Cell{choice, Table().value(sKey), j,
                          m_out.filePath(QStringLiteral("p%1-%2.%3").arg(i).arg(j).arg(preset.extension)),
                          QStringLiteral("%1 %2").arg(i, 2).arg(sKey)};
    }
    const QMap<QString, QStringList> rows = CutAll(cells);
    PrintSummary("Presets", rows, timer.elapsed());
}

// The saved settings' first start: position 1 of both codec lists, "22.05 KHz", 64 kbps,
// 2 channels, 320 kbps, size and aspect as input, 25 fps. Without a choice of streams, inputs
// with cover art or subtitles are left to the presets.
TEST_F(PresetMatrix, TheCustomDefaultsWorkWithEveryContainer)
{
    QElapsedTimer timer;
    timer.start();
    const QList<QPair<QString, QString>> containers{
        {"WMV", "asf"}, {"ASF", "asf"},   {"AVI", "avi"},   {"MOV", kMp4Format},
        {"FLV", "flv"}, {"MPG", "mpeg"}, {"MPEG", "mpeg"}, {"MP4", kMp4Format}};
    FormatChoice choice;
    choice.bPresetMode = false;
    choice.sSampleRate = "22.05 KHz";
    choice.sAudioBitrate = "64";
    choice.sAudioCodec = m_cmbCACodec.List(1);
    choice.sChannels = "2";
    choice.sVideoCodec = m_cmbCVCodec.List(1);
    choice.sVideoBitrate = "320";
    choice.sVideoSize = kAsInput;
    choice.sAspectRatio = kAsInput;
    choice.sFrameRate = "25";
    choice.iSelectStart = kStart;
    choice.iSelectEnd = kEnd;
    QList<Cell> cells;
    for (int i = 0; i < containers.size(); ++i) {
        const Expected expected{containers.at(i).second, "h264", "mp3", 0, kEightBit | kStereo};
        for (int j = 0; j < Inputs().size(); ++j) {
            if (!Inputs().at(j).bStreamChoice)
                cells << Cell{choice, expected, j, m_out.filePath(QStringLiteral("c%1.%2").arg(j).arg(containers.at(i).first)),
                              QStringLiteral("%1 %2").arg(i).arg(containers.at(i).first)};
        }
    }
    const QMap<QString, QStringList> rows = CutAll(cells);
    PrintSummary("Custom defaults", rows, timer.elapsed());
}

} // namespace
