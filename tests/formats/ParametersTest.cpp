#include "formats/modParameters.h"
#include "common/RunTimeError.h"
#include "support/MsgBoxRecorder.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString kFailure = QStringLiteral("Error occured while getting paramters\r\n");

CatalogueTables Codecs()
{
    CatalogueTables tables;
    tables.Codecs = {{"", "Automatic", "general"},
                     {"   ", "Blank name", "video codec"},
                     {" libx264 ", "H.264", "video codec"},
                     {"libmp3lame", "MP3", "audio codec"},
                     {"mp2", "Twice", "audio codec"},
                     {"mpeg4", "Twice", "video codec"}};
    tables.CodecCount = static_cast<std::int32_t>(tables.Codecs.size());
    return tables;
}

// The saved-settings defaults of the custom panel, with a selection from 10 s to 70 s.
FormatChoice CustomDefaults()
{
    FormatChoice choice;
    choice.bPresetMode = false;
    choice.sSampleRate = "22.05 KHz";
    choice.sAudioBitrate = "64";
    choice.sAudioCodec = "Automatic";
    choice.sChannels = "2";
    choice.sVideoCodec = "Automatic";
    choice.sVideoBitrate = "320";
    choice.sVideoSize = "[As Input]";
    choice.sAspectRatio = "[As Input]";
    choice.sFrameRate = "25";
    choice.iSelectStart = 10;
    choice.iSelectEnd = 70;
    return choice;
}

TEST(GetParamaters, CustomModeBuildsThePiecesInOrder)
{
    MsgBoxRecorder recorder;
    const CatalogueTables tables = Codecs();
    EXPECT_EQ(GetParamaters(CustomDefaults(), tables), "-ar 22050 -ab 64000 -ac 2 -b 320000 -r 25 -ss 10 -t 60");

    FormatChoice choice = CustomDefaults();
    choice.sAudioCodec = "MP3";
    choice.sVideoCodec = "H.264";
    choice.sVideoSize = "hd720(1280x720) ";
    choice.sAspectRatio = "16:9";
    choice.sChannels = "6";
    choice.sFrameRate = "29.97";
    EXPECT_EQ(GetParamaters(choice, tables),
              "-ar 22050 -ab 64000 -acodec libmp3lame -ac 6 -vcodec libx264 -b 320000 -s hd720 "
              "-aspect 16:9 -r 29.97 -ss 10 -t 60");

    // A blank name leaves the option out; a description found twice resolves to the first one
    // in file order, whatever list it came from.
    choice = CustomDefaults();
    choice.sVideoCodec = "Blank name";
    choice.sAudioCodec = "Twice";
    choice.sVideoSize = "vga(640x480)";
    EXPECT_EQ(GetParamaters(choice, tables), "-ar 22050 -ab 64000 -acodec mp2 -ac 2 -b 320000 -s vga -r 25 -ss 10 -t 60");
    choice.sAudioCodec = "Not listed";
    choice.sVideoCodec = "Twice";
    EXPECT_EQ(GetParamaters(choice, tables), "-ar 22050 -ab 64000 -ac 2 -vcodec mp2 -b 320000 -s vga -r 25 -ss 10 -t 60");

    // Texts the boxes hold go in unchanged; bitrates are rounded half to even before "* 1000".
    choice = CustomDefaults();
    choice.sAudioBitrate = " 64.5 ";
    choice.sVideoBitrate = "65.5";
    choice.sChannels = " 2";
    choice.iSelectStart = 70;
    choice.iSelectEnd = 10;
    EXPECT_EQ(GetParamaters(choice, tables), "-ar 22050 -ab 64000 -ac  2 -b 66000 -r 25 -ss 70 -t -60");
    EXPECT_TRUE(recorder.Messages().isEmpty());
}

TEST(GetParamaters, SamplingRatesAreWrittenInHertz)
{
    MsgBoxRecorder recorder;
    const CatalogueTables tables = Codecs();
    const QList<QPair<QString, QString>> rates{
        {"8 KHz", "8000"},     {"11.025 KHz", "11025"}, {"12 KHz", "12000"},
        {"16 KHz", "16000"},   {"22.05 KHz", "22050"},  {"24 KHz", "24000"},
        {"32 KHz", "32000"},   {"44.1 KHz", "44100"},   {"48 KHz", "48000"},
        {"", "0"},             {"KHz", "0"},            {"0.0441", "44.1"}};
    for (const auto &rate : rates) {
        FormatChoice choice = CustomDefaults();
        choice.sSampleRate = rate.first;
        EXPECT_EQ(GetParamaters(choice, tables).section(' ', 0, 1), "-ar " + rate.second) << rate.first.toStdString();
    }
    EXPECT_TRUE(recorder.Messages().isEmpty());
}

TEST(GetParamaters, FailuresShowTheMessageAndGiveNothing)
{
    const CatalogueTables tables = Codecs();
    struct Case {
        FormatChoice choice;
        QString sDescription;
    };
    QList<Case> cases;
    FormatChoice choice = CustomDefaults();
    choice.sAudioBitrate = "";
    cases.append({choice, "Type mismatch"});
    choice = CustomDefaults();
    choice.sVideoBitrate = "fast";
    cases.append({choice, "Type mismatch"});
    choice = CustomDefaults();
    choice.sVideoBitrate = "2147484"; // * 1000 leaves 32 bits
    cases.append({choice, "Overflow"});
    choice = CustomDefaults();
    choice.sAudioBitrate = "3000000000";
    cases.append({choice, "Overflow"});
    choice = CustomDefaults();
    choice.sVideoSize = "vga";
    cases.append({choice, "Invalid procedure call or argument"});
    choice = CustomDefaults();
    choice.iSelectStart = -10;
    choice.iSelectEnd = std::numeric_limits<std::int32_t>::max();
    cases.append({choice, "Overflow"});
    for (const Case &c : cases) {
        MsgBoxRecorder recorder;
        EXPECT_EQ(GetParamaters(c.choice, tables), "");
        ASSERT_EQ(recorder.Messages().size(), 1);
        EXPECT_EQ(recorder.Messages().at(0).sText, kFailure + c.sDescription);
        EXPECT_EQ(recorder.Messages().at(0).icon, MsgIcon::Critical);
    }

    // The largest bitrate that fits still works.
    MsgBoxRecorder recorder;
    choice = CustomDefaults();
    choice.sVideoBitrate = "2147483";
    EXPECT_TRUE(GetParamaters(choice, tables).contains(" -b 2147483000 "));

    // A failure while reading the window's controls is the builder's failure too.
    const QString sResult = GetParamaters(
        []() -> FormatChoice { throw RunTimeError(RunTimeError::Overflow, "Overflow"); }, tables);
    EXPECT_EQ(sResult, "");
    ASSERT_EQ(recorder.Messages().size(), 1);
    EXPECT_EQ(recorder.Messages().at(0).sText, kFailure + "Overflow");
    EXPECT_EQ(GetParamaters([] { return CustomDefaults(); }, tables),
              "-ar 22050 -ab 64000 -ac 2 -b 320000 -r 25 -ss 10 -t 60");
}

TEST(GetParamaters, PresetModeUsesTheFirstPresetMatchingAllThreeTexts)
{
    CatalogueTables tables;
    tables.Presets = {{"HD", " -c:v libx264", "mp4", "Video"},
                      {"HD", "-c:v libx265", "mkv", "Video"},
                      {"HD", "-second", "mp4", "Video"},
                      {"hd", "-lower", "mp4", "Video"},
                      {"Late", "-uncounted", "avi", "Video"}};
    tables.PresetCount = 4;
    FormatChoice choice;
    choice.sCategory = "Video";
    choice.sPresetLabel = "HD";
    choice.sPresetFormat = "mp4";
    choice.iSelectStart = 10;
    choice.iSelectEnd = 70;

    MsgBoxRecorder recorder;
    EXPECT_EQ(GetParamaters(choice, tables), " -c:v libx264 -ss 10 -t 60");
    choice.sPresetFormat = "mkv";
    EXPECT_EQ(GetParamaters(choice, tables), "-c:v libx265 -ss 10 -t 60");
    choice.sPresetLabel = "hd";
    EXPECT_EQ(GetParamaters(choice, tables), "");
    choice.sPresetLabel = "Late";
    choice.sPresetFormat = "avi";
    EXPECT_EQ(GetParamaters(choice, tables), "");
    EXPECT_EQ(GetParamaters(choice, CatalogueTables()), "");
    EXPECT_TRUE(recorder.Messages().isEmpty());

    choice.sPresetLabel = "HD";
    choice.sPresetFormat = "mp4";
    choice.iSelectStart = std::numeric_limits<std::int32_t>::min();
    choice.iSelectEnd = 1;
    EXPECT_EQ(GetParamaters(choice, tables), "");
    ASSERT_EQ(recorder.Messages().size(), 1);
    EXPECT_EQ(recorder.Messages().at(0).sText, kFailure + "Overflow");
}

TEST(GetCodecName, FindsTheFirstExactDescriptionAndTrimsTheName)
{
    const CatalogueTables tables = Codecs();
    EXPECT_EQ(GetCodecName("H.264", tables), "libx264");
    EXPECT_EQ(GetCodecName("h.264", tables), "");
    EXPECT_EQ(GetCodecName("Twice", tables), "mp2");
    EXPECT_EQ(GetCodecName("Blank name", tables), "");
    EXPECT_EQ(GetCodecName("", tables), "");
    CatalogueTables counted = tables;
    counted.CodecCount = 2; // slots past the count are not looked at
    EXPECT_EQ(GetCodecName("H.264", counted), "");
}

} // namespace
