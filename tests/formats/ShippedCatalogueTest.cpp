// The catalogues that ship with the program, as the build copies them into its folder, run
// through the system's ffmpeg. These tests are what keep the catalogues true to the encoder.
#include "common/AppPath.h"
#include "common/ScopedOverride.h"
#include "formats/MemoryList.h"
#include "formats/PresetLists.h"
#include "formats/modCatalogues.h"
#include "formats/modParameters.h"
#include "support/MsgBoxRecorder.h"
#include "support/TestMedia.h"

#include <QSet>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kMp4Format = QStringLiteral("mov,mp4,m4a,3gp,3g2,mj2");
const QString kMatroskaFormat = QStringLiteral("matroska,webm");

// What ffprobe must find in each shipped preset's output: container, codecs, picture height
// (0: no video). Keyed by category, label and extension.
struct Expected {
    QString sFormat;
    QString sVideoCodec;
    QString sAudioCodec;
    int iHeight;
};

QString Key(const QString &sCategory, const QString &sLabel, const QString &sExtension)
{
    return sCategory + QLatin1Char('|') + sLabel + QLatin1Char('|') + sExtension;
}

const QHash<QString, Expected> &ExpectedPresets()
{
    static const QHash<QString, Expected> table{
        {Key("Everyday", "H.264/AAC 1080p (Full HD)", "mp4"), {kMp4Format, "h264", "aac", 1080}},
        {Key("Everyday", "H.264/AAC 720p (HD)", "mp4"), {kMp4Format, "h264", "aac", 720}},
        {Key("Everyday", "H.264/AAC 480p (SD)", "mp4"), {kMp4Format, "h264", "aac", 480}},
        {Key("Everyday", "H.264/AAC, original size", "mp4"), {kMp4Format, "h264", "aac", 240}},
        {Key("Everyday", "H.264/AAC, original size", "mkv"), {kMatroskaFormat, "h264", "aac", 240}},
        {Key("Web and Devices", "Web upload 1080p (YouTube, Vimeo)", "mp4"), {kMp4Format, "h264", "aac", 1080}},
        {Key("Web and Devices", "Web page 720p (plays while loading)", "mp4"), {kMp4Format, "h264", "aac", 720}},
        {Key("Web and Devices", "Phones and tablets 720p", "mp4"), {kMp4Format, "h264", "aac", 720}},
        {Key("Web and Devices", "Messaging, small file 480p", "mp4"), {kMp4Format, "h264", "aac", 480}},
        {Key("Web and Devices", "Animated GIF, 480 wide, no sound", "gif"), {"gif", "gif", "", 360}},
        {Key("High Efficiency", "H.265/AAC 1080p (HEVC)", "mp4"), {kMp4Format, "hevc", "aac", 1080}},
        {Key("High Efficiency", "H.265/AAC 720p (HEVC)", "mp4"), {kMp4Format, "hevc", "aac", 720}},
        {Key("High Efficiency", "VP9/Opus 1080p", "webm"), {kMatroskaFormat, "vp9", "opus", 1080}},
        {Key("High Efficiency", "VP9/Opus 720p", "webm"), {kMatroskaFormat, "vp9", "opus", 720}},
        {Key("High Efficiency", "AV1/Opus 1080p (SVT-AV1)", "webm"), {kMatroskaFormat, "av1", "opus", 1080}},
        {Key("High Efficiency", "AV1/AAC 720p (SVT-AV1)", "mp4"), {kMp4Format, "av1", "aac", 720}},
        {Key("Classic Formats", "AVI, MPEG-4 Part 2 (Xvid) / MP3", "avi"), {"avi", "mpeg4", "mp3", 240}},
        {Key("Classic Formats", "WMV, Windows Media Video 8 / WMA", "wmv"), {"asf", "wmv2", "wmav2", 240}},
        {Key("Classic Formats", "FLV, Flash Video / MP3", "flv"), {"flv", "flv1", "mp3", 240}},
        {Key("Classic Formats", "MPEG-2 program stream (DVD quality)", "mpg"), {"mpeg", "mpeg2video", "mp2", 240}},
        {Key("Classic Formats", "MOV, H.264/AAC (QuickTime)", "mov"), {kMp4Format, "h264", "aac", 240}},
        {Key("Classic Formats", "AVI, Motion JPEG / PCM (for editing)", "avi"), {"avi", "mjpeg", "pcm_s16le", 240}},
        {Key("Audio Only", "MP3, 192 kbps", "mp3"), {"mp3", "", "mp3", 0}},
        {Key("Audio Only", "MP3, high quality VBR", "mp3"), {"mp3", "", "mp3", 0}},
        {Key("Audio Only", "AAC, 192 kbps", "m4a"), {kMp4Format, "", "aac", 0}},
        {Key("Audio Only", "Opus, 128 kbps", "opus"), {"ogg", "", "opus", 0}},
        {Key("Audio Only", "Ogg Vorbis, quality 6", "ogg"), {"ogg", "", "vorbis", 0}},
        {Key("Audio Only", "FLAC, lossless", "flac"), {"flac", "", "flac", 0}},
        {Key("Audio Only", "WAV, 16-bit PCM", "wav"), {"wav", "", "pcm_s16le", 0}},
    };
    return table;
}

// The codec ffprobe reports for each shipped encoder name, and a container of the custom
// panel's fixed list (with a sampling rate of its list) that takes it.
struct CodecUse {
    QString sProbedCodec;
    QString sContainer;
    QString sSampleRate;
};

const QHash<QString, CodecUse> &ExpectedCodecs()
{
    static const QHash<QString, CodecUse> table{
        {"mpeg4", {"mpeg4", "AVI", "22.05 KHz"}},       {"libx264", {"h264", "MP4", "44.1 KHz"}},
        {"libx265", {"hevc", "MP4", "44.1 KHz"}},       {"libvpx-vp9", {"vp9", "MP4", "44.1 KHz"}},
        {"libsvtav1", {"av1", "MP4", "44.1 KHz"}},      {"mpeg2video", {"mpeg2video", "MPG", "44.1 KHz"}},
        {"wmv2", {"wmv2", "WMV", "44.1 KHz"}},          {"flv", {"flv1", "FLV", "22.05 KHz"}},
        {"mjpeg", {"mjpeg", "AVI", "44.1 KHz"}},        {"libmp3lame", {"mp3", "AVI", "22.05 KHz"}},
        {"aac", {"aac", "MP4", "44.1 KHz"}},            {"libopus", {"opus", "MP4", "48 KHz"}},
        {"libvorbis", {"vorbis", "AVI", "44.1 KHz"}},   {"ac3", {"ac3", "AVI", "48 KHz"}},
        {"mp2", {"mp2", "MPG", "44.1 KHz"}},            {"flac", {"flac", "AVI", "44.1 KHz"}},
        {"pcm_s16le", {"pcm_s16le", "AVI", "22.05 KHz"}}, {"wmav2", {"wmav2", "WMV", "44.1 KHz"}},
    };
    return table;
}

// The window's side of both catalogues, loaded from the program's folder of the build.
struct Window {
    CatalogueTables tables;
    MemoryList cmbCategory, cmbOutVCodec, cmbOutFormat, cmbCVCodec, cmbCACodec;
    PresetLists lists{tables, cmbCategory, cmbOutVCodec, cmbOutFormat};

    Window()
    {
        const ScopedOverride programFolder(SetAppPathForTests, TestMedia::BinDir());
        LoadPresets(tables, cmbCategory);
        LoadCodecs(tables, cmbCVCodec, cmbCACodec);
    }
};

// A clip of 3 s; every run cuts 1 s to 3 s out of it.
class ShippedCatalogue : public ::testing::Test {
protected:
    static constexpr WholeSeconds kStart = 1;
    static constexpr WholeSeconds kEnd = 3;

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_sInput = m_dir.filePath("input.mp4");
        ASSERT_TRUE(TestMedia::MakeClip(m_sInput, 3.0));
    }

    // Runs the encoder as the program does: -i "input", the arguments, "output".
    TestMedia::ProbeResult Convert(const QString &sArguments, const QString &sOutput, QString *sLog)
    {
        const QStringList args = QStringList{"-nostdin", "-i", m_sInput} + QProcess::splitCommand(sArguments) +
                                 QStringList{sOutput};
        const int iExit = TestMedia::Run(TestMedia::BinDir() + "/ffmpeg", args, sLog);
        EXPECT_EQ(iExit, 0) << sLog->toStdString();
        return TestMedia::Probe(sOutput);
    }

    QTemporaryDir m_dir;
    QString m_sInput;
};

TEST(ShippedCatalogueFiles, HaveTheFileFormatAndLoadWithoutAMessage)
{
    for (const QString &sName : {kPresetsFileName, kCodecsFileName}) {
        QFile source(TestMedia::SourceDir() + "/catalog/" + sName);
        QFile copy(TestMedia::BinDir() + "/" + sName);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        const QByteArray bytes = source.readAll();
        EXPECT_EQ(copy.readAll(), bytes) << "the build copies the catalogue unchanged";
        // Every line ends in CR LF and there is no lone LF or CR.
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
        EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
        const QList<QByteArray> lines = bytes.split('\n');
        EXPECT_EQ(lines.at(0), "<?xml version=\"1.0\"?>\r");
    }

    MsgBoxRecorder recorder;
    Window window;
    EXPECT_TRUE(recorder.Messages().isEmpty()) << recorder.Texts().join("\n").toStdString();
    EXPECT_EQ(window.tables.PresetCount, ExpectedPresets().size());
    EXPECT_EQ(window.tables.CodecCount, ExpectedCodecs().size() + 1);
    QSet<QString> keys;
    for (int i = 0; i < window.tables.PresetCount; ++i) {
        const PresetEntry &preset = window.tables.Presets.at(i);
        const QString sKey = Key(preset.category, preset.label, preset.extension);
        EXPECT_TRUE(ExpectedPresets().contains(sKey)) << sKey.toStdString();
        EXPECT_FALSE(keys.contains(sKey)) << "two presets " << sKey.toStdString();
        keys.insert(sKey);
        EXPECT_FALSE(preset.params.isEmpty());
        EXPECT_EQ(preset.params, preset.params.trimmed());
    }
    EXPECT_EQ(window.cmbCategory.Items(),
              QStringList({"Everyday", "Web and Devices", "High Efficiency", "Classic Formats", "Audio Only"}));

    // One codec of type "general" with an empty name; every other name is an encoder of this
    // ffmpeg, and one of the table above.
    QString sEncoders;
    ASSERT_EQ(TestMedia::Run(TestMedia::FfmpegPath(), {"-hide_banner", "-encoders"}, &sEncoders), 0);
    int iGeneral = 0;
    for (int i = 0; i < window.tables.CodecCount; ++i) {
        const CodecEntry &codec = window.tables.Codecs.at(i);
        if (codec.type == "general") {
            ++iGeneral;
            EXPECT_EQ(codec.name, "");
            continue;
        }
        EXPECT_TRUE(codec.type == "video codec" || codec.type == "audio codec") << codec.type.toStdString();
        EXPECT_TRUE(ExpectedCodecs().contains(codec.name)) << codec.name.toStdString();
        EXPECT_TRUE(sEncoders.contains(" " + codec.name + " ")) << codec.name.toStdString();
    }
    EXPECT_EQ(iGeneral, 1);
}

TEST(ShippedCatalogueFiles, FirstEntriesAndTheFirstStartPositionsAreEverydayChoices)
{
    Window window;
    auto chosenParams = [&window] {
        FormatChoice choice;
        choice.sCategory = window.cmbCategory.Text();
        choice.sPresetLabel = window.cmbOutVCodec.Text();
        choice.sPresetFormat = window.cmbOutFormat.Text();
        return GetParamaters(choice, window.tables);
    };
    // After loading: the first of each list.
    EXPECT_EQ(window.cmbOutVCodec.Text(), "H.264/AAC 1080p (Full HD)");
    EXPECT_EQ(window.cmbOutFormat.Text(), "mp4");
    EXPECT_TRUE(chosenParams().startsWith("-c:v libx264 "));

    // A first start selects position 1 of the category, label and container lists, where
    // the list has one.
    for (ListControl *list : {&window.cmbCategory, &window.cmbOutVCodec, &window.cmbOutFormat})
        if (list->ListCount() > 1)
            list->setListIndex(1);
    EXPECT_EQ(window.cmbCategory.Text(), "Web and Devices");
    EXPECT_EQ(window.cmbOutVCodec.Text(), "Web page 720p (plays while loading)");
    EXPECT_EQ(window.cmbOutFormat.Text(), "mp4");
    EXPECT_TRUE(chosenParams().contains("-c:a aac"));

    // The codec lists: automatic first, then the classic AVI pair at position 1.
    EXPECT_EQ(window.cmbCVCodec.List(0), window.cmbCACodec.List(0));
    EXPECT_EQ(GetCodecName(window.cmbCVCodec.List(0), window.tables), "");
    EXPECT_EQ(GetCodecName(window.cmbCVCodec.List(1), window.tables), "mpeg4");
    EXPECT_EQ(GetCodecName(window.cmbCACodec.List(1), window.tables), "libmp3lame");
}

TEST_F(ShippedCatalogue, EveryPresetMakesTheExpectedFile)
{
    Window window;
    for (int i = 0; i < window.tables.PresetCount; ++i) {
        const PresetEntry &preset = window.tables.Presets.at(i);
        const QString sKey = Key(preset.category, preset.label, preset.extension);
        SCOPED_TRACE(sKey.toStdString());
        ASSERT_TRUE(ExpectedPresets().contains(sKey));
        const Expected &expected = ExpectedPresets().value(sKey);

        FormatChoice choice;
        choice.sCategory = preset.category;
        choice.sPresetLabel = preset.label;
        choice.sPresetFormat = preset.extension;
        choice.iSelectStart = kStart;
        choice.iSelectEnd = kEnd;
        const QString sArguments = GetParamaters(choice, window.tables) + " -y";
        EXPECT_EQ(sArguments, preset.params + " -ss 1 -t 2 -y");

        QString sLog;
        const QString sOutput = m_dir.filePath(QStringLiteral("preset%1.%2").arg(i).arg(preset.extension));
        const TestMedia::ProbeResult probe = Convert(sArguments, sOutput, &sLog);
        ASSERT_TRUE(probe.bOk) << sLog.toStdString();
        EXPECT_EQ(probe.sFormatName, expected.sFormat);
        EXPECT_EQ(probe.sVideoCodec, expected.sVideoCodec);
        EXPECT_EQ(probe.sAudioCodec, expected.sAudioCodec);
        EXPECT_EQ(probe.iHeight, expected.iHeight);
        EXPECT_NEAR(probe.dDuration, 2.0, 0.25);
    }
}

TEST_F(ShippedCatalogue, TheCustomDefaultsMakeASoundAvi)
{
    Window window;
    // The saved-settings defaults: container "AVI", position 1 of both codec lists,
    // "22.05 KHz", 64 kbps, 2 channels, 320 kbps, size and aspect as input, 25 fps.
    FormatChoice choice;
    choice.bPresetMode = false;
    choice.sSampleRate = "22.05 KHz";
    choice.sAudioBitrate = "64";
    choice.sAudioCodec = window.cmbCACodec.List(1);
    choice.sChannels = "2";
    choice.sVideoCodec = window.cmbCVCodec.List(1);
    choice.sVideoBitrate = "320";
    choice.sVideoSize = kAsInput;
    choice.sAspectRatio = kAsInput;
    choice.sFrameRate = "25";
    choice.iSelectStart = kStart;
    choice.iSelectEnd = kEnd;
    const QString sArguments = GetParamaters(choice, window.tables) + " -y";
    EXPECT_EQ(sArguments, "-ar 22050 -ab 64000 -acodec libmp3lame -ac 2 -vcodec mpeg4 -b 320000 -r 25 -ss 1 -t 2 -y");

    QString sLog;
    const TestMedia::ProbeResult probe = Convert(sArguments, m_dir.filePath("custom.AVI"), &sLog);
    ASSERT_TRUE(probe.bOk) << sLog.toStdString();
    EXPECT_EQ(probe.sFormatName, "avi");
    EXPECT_EQ(probe.sVideoCodec, "mpeg4");
    EXPECT_EQ(probe.sAudioCodec, "mp3");
    EXPECT_EQ(probe.iAudioSampleRate, 22050);
    EXPECT_EQ(probe.iAudioChannels, 2);
    EXPECT_EQ(probe.iHeight, 240);
    EXPECT_NEAR(probe.dDuration, 2.0, 0.25);

    // The automatic entry leaves both codecs to the container.
    choice.sAudioCodec = window.cmbCACodec.List(0);
    choice.sVideoCodec = window.cmbCVCodec.List(0);
    const TestMedia::ProbeResult automatic =
        Convert(GetParamaters(choice, window.tables) + " -y", m_dir.filePath("automatic.AVI"), &sLog);
    EXPECT_EQ(automatic.sFormatName, "avi");
    EXPECT_FALSE(automatic.sVideoCodec.isEmpty());
    EXPECT_FALSE(automatic.sAudioCodec.isEmpty());
}

TEST_F(ShippedCatalogue, EveryCodecWorksInACustomContainer)
{
    Window window;
    auto runWith = [&](const QString &sList, const QString &sDescription, const QString &sOtherDescription) {
        const QString sName = GetCodecName(sDescription, window.tables);
        SCOPED_TRACE((sList + ": " + sName).toStdString());
        ASSERT_TRUE(ExpectedCodecs().contains(sName));
        const CodecUse &use = ExpectedCodecs().value(sName);
        FormatChoice choice;
        choice.bPresetMode = false;
        choice.sSampleRate = use.sSampleRate;
        choice.sAudioBitrate = "128";
        choice.sChannels = "2";
        choice.sVideoBitrate = "800";
        choice.sVideoSize = "qvga(320x240)";
        choice.sAspectRatio = "4:3";
        choice.sFrameRate = "25";
        choice.sAudioCodec = sList == "audio" ? sDescription : sOtherDescription;
        choice.sVideoCodec = sList == "video" ? sDescription : sOtherDescription;
        choice.iSelectStart = kStart;
        choice.iSelectEnd = kEnd;
        QString sLog;
        const TestMedia::ProbeResult probe =
            Convert(GetParamaters(choice, window.tables) + " -y", m_dir.filePath(sName + "." + use.sContainer), &sLog);
        ASSERT_TRUE(probe.bOk) << sLog.toStdString();
        EXPECT_EQ(sList == "video" ? probe.sVideoCodec : probe.sAudioCodec, use.sProbedCodec);
        EXPECT_NEAR(probe.dDuration, 2.0, 0.25);
    };
    // The other stream takes the container's own codec.
    const QString sAutomatic = window.cmbCVCodec.List(0);
    for (int i = 1; i < window.cmbCVCodec.ListCount(); ++i)
        runWith("video", window.cmbCVCodec.List(i), sAutomatic);
    for (int i = 1; i < window.cmbCACodec.ListCount(); ++i)
        runWith("audio", window.cmbCACodec.List(i), sAutomatic);
}

} // namespace
