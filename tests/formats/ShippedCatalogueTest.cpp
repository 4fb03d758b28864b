// The catalogues that ship with the program, as the build copies them into its folder, run
// through the system's ffmpeg. These tests are what keep the catalogues true to the encoder; the
// presets' files themselves are judged by the matrix test (PresetMatrixTest.cpp).
#include "common/AppPath.h"
#include "common/ScopedOverride.h"
#include "formats/MemoryList.h"
#include "formats/PresetLists.h"
#include "formats/modCatalogues.h"
#include "formats/modParameters.h"
#include "ShippedPresets.h"
#include "support/MsgBoxRecorder.h"
#include "support/TestMedia.h"

#include <QSet>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ShippedPresets::Key;

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
        {"libx264 -pix_fmt yuv420p -bf 0 -vf crop=trunc(iw/2)*2:trunc(ih/2)*2", {"h264", "MPG", "22.05 KHz"}},
        {"libx264 -pix_fmt yuv420p -vf crop=trunc(iw/2)*2:trunc(ih/2)*2", {"h264", "MOV", "44.1 KHz"}},
        {"mpeg4", {"mpeg4", "AVI", "22.05 KHz"}},
        {"libx265 -pix_fmt yuv420p -vf crop=trunc(iw/2)*2:trunc(ih/2)*2", {"hevc", "MP4", "44.1 KHz"}},
        {"libvpx-vp9 -pix_fmt yuv420p", {"vp9", "MP4", "44.1 KHz"}},
        {"libsvtav1 -pix_fmt yuv420p -vf crop=trunc(iw/2)*2:trunc(ih/2)*2", {"av1", "MP4", "44.1 KHz"}},
        {"mpeg2video", {"mpeg2video", "MPG", "44.1 KHz"}},
        {"wmv2", {"wmv2", "WMV", "44.1 KHz"}},
        {"flv", {"flv1", "FLV", "22.05 KHz"}},
        {"mjpeg", {"mjpeg", "AVI", "44.1 KHz"}},
        {"libmp3lame", {"mp3", "MPG", "22.05 KHz"}},
        {"aac", {"aac", "MP4", "44.1 KHz"}},
        {"libopus -ar 48000", {"opus", "MP4", "22.05 KHz"}},
        {"libvorbis", {"vorbis", "AVI", "44.1 KHz"}},
        {"ac3 -ar 48000", {"ac3", "AVI", "22.05 KHz"}},
        {"mp2", {"mp2", "MPG", "44.1 KHz"}},
        {"flac", {"flac", "AVI", "44.1 KHz"}},
        {"pcm_s16le", {"pcm_s16le", "AVI", "22.05 KHz"}},
        {"wmav2", {"wmav2", "WMV", "44.1 KHz"}},
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
    EXPECT_EQ(window.tables.PresetCount, ShippedPresets::Table().size());
    EXPECT_EQ(window.tables.CodecCount, ExpectedCodecs().size() + 1);
    QSet<QString> keys;
    for (int i = 0; i < window.tables.PresetCount; ++i) {
        const PresetEntry &preset = window.tables.Presets.at(i);
        const QString sKey = Key(preset.category, preset.label, preset.extension);
        EXPECT_TRUE(ShippedPresets::Table().contains(sKey)) << sKey.toStdString();
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
        // The name may carry options after the encoder's own name.
        const QString sEncoder = codec.name.section(QLatin1Char(' '), 0, 0);
        EXPECT_TRUE(sEncoders.contains(" " + sEncoder + " ")) << codec.name.toStdString();
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
    EXPECT_TRUE(chosenParams().contains(" -c:v libx264 "));

    // A first start selects position 1 of the category, label and container lists, where
    // the list has one.
    for (ListControl *list : {&window.cmbCategory, &window.cmbOutVCodec, &window.cmbOutFormat})
        if (list->ListCount() > 1)
            list->setListIndex(1);
    EXPECT_EQ(window.cmbCategory.Text(), "Web and Devices");
    EXPECT_EQ(window.cmbOutVCodec.Text(), "Phones and tablets 720p");
    EXPECT_EQ(window.cmbOutFormat.Text(), "mp4");
    EXPECT_TRUE(chosenParams().contains("-c:a aac"));

    // The codec lists: automatic first, then at position 1 the pair that every container of the
    // custom list but RM and "yuv" takes (the matrix test runs them all): 8-bit H.264 and MP3.
    EXPECT_EQ(window.cmbCVCodec.List(0), window.cmbCACodec.List(0));
    EXPECT_EQ(GetCodecName(window.cmbCVCodec.List(0), window.tables), "");
    EXPECT_TRUE(GetCodecName(window.cmbCVCodec.List(1), window.tables).startsWith("libx264 -pix_fmt yuv420p -bf 0 "));
    EXPECT_EQ(GetCodecName(window.cmbCACodec.List(1), window.tables), "libmp3lame");
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
            Convert(GetParamaters(choice, window.tables) + " -y",
                    m_dir.filePath(sName.section(QLatin1Char(' '), 0, 0) + "." + use.sContainer), &sLog);
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
