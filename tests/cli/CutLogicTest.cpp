// clipwright-cut's plain parts: marks, preset names, the input's length, the command line and the
// progress line.
#include "cli/ProgressLine.h"
#include "cli/modCutArguments.h"
#include "cli/modCutTime.h"
#include "cli/modPresetLookup.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <ostream>

// Texts in test failures, readable (the tests of clipwright-cut share it).
void PrintTo(const QString &sText, std::ostream *os)
{
    *os << '"' << sText.toStdString() << '"';
}

namespace {
PresetEntry Preset(const char *sCategory, const char *sLabel, const char *sExtension, const char *sParams = "-p")
{
    return {QString::fromUtf8(sLabel), QString::fromUtf8(sParams), QString::fromUtf8(sExtension),
            QString::fromUtf8(sCategory)};
}

CatalogueTables Table()
{
    CatalogueTables tables;
    tables.Presets = {Preset("Everyday", "H.264/AAC 720p (HD)", "mp4", "-first"),
                      Preset("Everyday", "H.264/AAC, original size", "mp4"),
                      Preset("Everyday", "H.264/AAC, original size", "mkv"),
                      Preset("Audio Only", "MP3, 192 kbps", "mp3"),
                      Preset("Everyday", "H.264/AAC 720p (HD)", "mp4", "-second"),
                      // The slot a failed load was filling: not a preset.
                      Preset("Half", "Unfinished", "mp4")};
    tables.PresetCount = 5;
    return tables;
}

CutArguments Parse(QStringList args)
{
    args.prepend(QStringLiteral("clipwright-cut"));
    return ParseCutArguments(args);
}
} // namespace

TEST(CutTime, ReadsSecondsAndClockTimes)
{
    EXPECT_EQ(ParseCutTime("75"), 75);
    EXPECT_EQ(ParseCutTime("1:15"), 75);
    EXPECT_EQ(ParseCutTime("00:01:15"), 75);
    EXPECT_EQ(ParseCutTime("2:00:01"), 7201);
    EXPECT_EQ(ParseCutTime("0"), 0);
    EXPECT_EQ(ParseCutTime("90:00"), 5400); // the first field has no upper bound
    for (const char *sBad : {"", "1.5", "-3", "+3", " 5", "1:60", "1:2:60", "1:2:3:4", "1::2", ":5", "5:", "x",
                             "2147483648", "596524:00:00"})
        EXPECT_FALSE(ParseCutTime(QString::fromLatin1(sBad))) << sBad;
}

TEST(PresetLookup, FullNameOrUniqueLabel)
{
    const CatalogueTables tables = Table();
    // Labels hold slashes: the full name is split by the first and the last one only.
    PresetMatch match = FindPreset(tables, "Everyday/H.264/AAC 720p (HD)/mp4");
    ASSERT_EQ(match.kind, PresetMatch::Kind::Found);
    EXPECT_EQ(match.preset.params, "-first"); // the builder takes the first of a name too
    match = FindPreset(tables, "MP3, 192 kbps");
    ASSERT_EQ(match.kind, PresetMatch::Kind::Found);
    EXPECT_EQ(match.preset.extension, "mp3");
    // A label given twice under one full name is still one preset.
    EXPECT_EQ(FindPreset(tables, "H.264/AAC 720p (HD)").kind, PresetMatch::Kind::Found);
    EXPECT_EQ(PresetNames(tables), QStringList({"Everyday/H.264/AAC 720p (HD)/mp4",
                                                "Everyday/H.264/AAC, original size/mp4",
                                                "Everyday/H.264/AAC, original size/mkv", "Audio Only/MP3, 192 kbps/mp3"}));
}

TEST(PresetLookup, AmbiguousAndUnknownListNearOnes)
{
    const CatalogueTables tables = Table();
    const QStringList originals{"Everyday/H.264/AAC, original size/mp4", "Everyday/H.264/AAC, original size/mkv"};
    PresetMatch match = FindPreset(tables, "H.264/AAC, original size");
    EXPECT_EQ(match.kind, PresetMatch::Kind::Ambiguous);
    EXPECT_EQ(match.near, originals);

    match = FindPreset(tables, "ORIGINAL size");
    EXPECT_EQ(match.kind, PresetMatch::Kind::Unknown);
    EXPECT_EQ(match.near, originals);
    match = FindPreset(tables, "Everyday/H.264/AAC, original size/avi"); // holds a label
    EXPECT_EQ(match.near, originals);
    match = FindPreset(tables, "mp3, 129 kbps"); // a typing slip
    EXPECT_EQ(match.near, QStringList{"Audio Only/MP3, 192 kbps/mp3"});
    match = FindPreset(tables, "Unfinished");
    EXPECT_EQ(match.kind, PresetMatch::Kind::Unknown);
    EXPECT_TRUE(match.near.isEmpty());
}

TEST(CutArguments, ReadsACutAndRefusesBadOnes)
{
    CutArguments cut = Parse({"a.mp4", "--preset", "P", "--start", "1:00", "--end=90", "b.mp4", "--output", "o",
                              "--dry-run"});
    ASSERT_EQ(cut.mode, CutArguments::Mode::Cut) << qPrintable(cut.sError);
    EXPECT_EQ(cut.files, QStringList({"a.mp4", "b.mp4"}));
    EXPECT_EQ(cut.iStart, 60);
    EXPECT_EQ(cut.iEnd, 90);
    EXPECT_EQ(cut.sOutputFolder, "o");
    EXPECT_TRUE(cut.bDryRun);
    // "--" ends the options: a file may begin with a dash.
    EXPECT_EQ(Parse({"--preset", "P", "--start", "0", "--end", "5", "--", "-odd.mp4"}).files,
              QStringList{"-odd.mp4"});

    const QList<QStringList> bad{
        {"--preset", "P", "--start", "5", "--end", "5", "a.mp4"},    // the window's two refusals
        {"--preset", "P", "--start", "0:06", "--end", "5", "a.mp4"},
        {"--preset", "P", "--start", "0", "--end", "5"},             // no file
        {"--start", "0", "--end", "5", "a.mp4"},                     // no preset
        {"--preset", "P", "--start", "0", "--end", "1:5x", "a.mp4"}, // not a time
        {"--preset", "P", "--start", "0", "--end", "5", "--output", "", "a.mp4"},
        {"--preset", "P", "--start", "0", "--end", "5", "--bogus", "a.mp4"},
    };
    for (const QStringList &args : bad) {
        const CutArguments result = Parse(args);
        EXPECT_EQ(result.mode, CutArguments::Mode::UsageError) << qPrintable(args.join(' '));
        EXPECT_FALSE(result.sError.isEmpty());
    }
    EXPECT_EQ(Parse({"--end", "x", "--help"}).mode, CutArguments::Mode::Help);
    EXPECT_EQ(Parse({"--list-presets"}).mode, CutArguments::Mode::ListPresets);
}

TEST(ProgressLine, ALogGetsALinePerTenthATerminalOneLine)
{
    char *buffer = nullptr;
    size_t size = 0;
    std::FILE *stream = open_memstream(&buffer, &size);
    ASSERT_NE(stream, nullptr);
    {
        ProgressLine log(stream, false);
        log.Begin(2, 3, "a.mp4", true);
        for (short iPercent : {-1, 3, 12, 15, 19, 47, 100, 103})
            log.Progress(iPercent);
        log.Done();
        ProgressLine terminal(stream, true);
        terminal.Begin(3, 3, "b.mp4", true);
        terminal.Progress(7);
        terminal.Progress(7);
        terminal.Failed({"why"});
    }
    std::fclose(stream);
    const QString sText = QString::fromUtf8(buffer, static_cast<qsizetype>(size));
    std::free(buffer);
    EXPECT_EQ(sText, "[2/3] a.mp4: 10 %\n[2/3] a.mp4: 40 %\n[2/3] a.mp4: 100 %\n[2/3] a.mp4: done\n"
                     "\r\033[K[3/3] b.mp4: 0 %\r\033[K[3/3] b.mp4: 7 %\r\033[K[3/3] b.mp4: failed\n    why\n");
}
