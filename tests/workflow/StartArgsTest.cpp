// The command line, read before Qt starts.
#include "workflow/modStartArgs.h"

#include <gtest/gtest.h>

namespace {
using Action = StartArgs::Action;

StartArgs Parse(const QStringList &lsArgs)
{
    return ParseStartArgs(lsArgs);
}
} // namespace

TEST(StartArgs, AFileAmongQtsOwnOptionsIsTheFileToLoad)
{
    EXPECT_EQ(Parse({}).action, Action::Run);
    EXPECT_TRUE(Parse({}).sFile.isEmpty());
    // Qt's options and their values are Qt's, in every form Qt takes them.
    const StartArgs args = Parse({"-platform", "xcb", "--display", ":1", "-style=Fusion", "-reverse", "clip.mp4",
                                  "-qwindowtitle", "-v"});
    EXPECT_EQ(args.action, Action::Run);
    EXPECT_EQ(args.sFile, "clip.mp4");
    EXPECT_TRUE(args.bStyleGiven);
    EXPECT_FALSE(Parse({"-platform", "offscreen"}).bStyleGiven);
    // After "--" a name that looks like an option is a file; so is "-".
    EXPECT_EQ(Parse({"--", "-v.mp4"}).sFile, "-v.mp4");
    EXPECT_EQ(Parse({"-"}).sFile, "-");
}

TEST(StartArgs, HelpAndVersionWinOverEverythingElseButTheFirstOfThemWins)
{
    EXPECT_EQ(Parse({"--help"}).action, Action::Help);
    EXPECT_EQ(Parse({"-h", "clip.mp4", "--version"}).action, Action::Help);
    EXPECT_EQ(Parse({"-platform", "offscreen", "-v", "-h"}).action, Action::Version);
    EXPECT_EQ(Parse({"--version"}).action, Action::Version);
    EXPECT_TRUE(StartHelpText().startsWith("Usage: clipwright [OPTION]... [FILE]\n"));
    EXPECT_TRUE(StartVersionText().startsWith("clipwright 1.0.0."));
    EXPECT_TRUE(StartVersionText().endsWith('\n'));
}

TEST(StartArgs, WhatCannotBeReadIsAnErrorWithAShortUsage)
{
    for (const QStringList &lsArgs :
         {QStringList{"--bogus"}, QStringList{"-x", "clip.mp4"}, QStringList{"-reverse=1"},
          QStringList{"clip.mp4", "--platform"}, QStringList{"a.mp4", "b.mp4"}}) {
        const StartArgs args = Parse(lsArgs);
        EXPECT_EQ(args.action, Action::Error) << lsArgs.join(' ').toStdString();
        EXPECT_FALSE(args.sError.isEmpty());
    }
    EXPECT_EQ(Parse({"--bogus"}).sError, "unknown option '--bogus'");
    EXPECT_EQ(StartUsageText("unknown option '--bogus'"),
              "clipwright: unknown option '--bogus'\n"
              "Usage: clipwright [OPTION]... [FILE]\n"
              "Try 'clipwright --help' for more information.\n");
}
