// The output's folder and name, the video files' filters and extensions, and the folder check of
// Browse: the parts of the cut task that need no window.
#include "common/RunTimeError.h"
#include "common/ScopedOverride.h"
#include "platform/modDriveType.h"
#include "support/MsgBoxRecorder.h"
#include "support/TestMedia.h"
#include "workflow/FileFilter.h"
#include "workflow/modOutputFile.h"
#include "workflow/modVideoFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class OutputName : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Path(const QString &sName) const { return m_dir.filePath(sName); }
    void Touch(const QString &sName)
    {
        QFile file(Path(sName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("taken");
    }
    OutputFile Next(const QString &sSource, const QString &sExtension)
    {
        return NewOutputFile(m_dir.path(), Path(sSource), sExtension, [this] { ++m_iPumps; });
    }

    QTemporaryDir m_dir;
    MsgBoxRecorder m_messages;
    int m_iPumps = 0;
};

TEST_F(OutputName, TakesTheSourceNameThenConvertedThenNumbers)
{
    Touch("holiday.avi");
    OutputFile first = Next("holiday.avi", "mp4");
    EXPECT_EQ(first.sPath, Path("holiday.mp4"));
    EXPECT_TRUE(first.bReserved);
    EXPECT_EQ(m_iPumps, 0);
    // The name is held at once: an empty file of our own.
    ASSERT_TRUE(QFileInfo(first.sPath).isFile());
    EXPECT_EQ(QFileInfo(first.sPath).size(), 0);

    // The input itself is taken, so an output never overwrites it.
    EXPECT_EQ(Next("holiday.avi", "avi").sPath, Path("holiday_Converted.avi"));
    EXPECT_EQ(m_iPumps, 0);
    EXPECT_EQ(Next("holiday.avi", "avi").sPath, Path("holiday_Converted_0.avi"));
    EXPECT_EQ(m_iPumps, 2); // a numbered name lets the window breathe twice
    EXPECT_EQ(Next("holiday.avi", "avi").sPath, Path("holiday_Converted_1.avi"));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(OutputName, NamingCasesOfTheTargetFolder)
{
    // clip.mp4 and clip_Converted.mp4 taken.
    Touch("clip.mp4");
    Touch("clip_Converted.mp4");
    EXPECT_EQ(Next("clip.mp4", "mp4").sPath, Path("clip_Converted_0.mp4"));

    // An input already ending in _Converted gets no second one.
    Touch("take_Converted.avi");
    EXPECT_EQ(Next("take_Converted.avi", "avi").sPath, Path("take_Converted_0.avi"));
    // The suffix counts only in its exact letter case.
    Touch("shot_converted.avi");
    EXPECT_EQ(Next("shot_converted.avi", "avi").sPath, Path("shot_converted_Converted.avi"));

    // Only the last extension goes.
    Touch("a.b.mkv");
    EXPECT_EQ(Next("a.b.mkv", "mkv").sPath, Path("a.b_Converted.mkv"));

    // The reservation is only as taken as any file: the next task moves on.
    EXPECT_EQ(Next("clip.mp4", "mp4").sPath, Path("clip_Converted_1.mp4"));
}

TEST_F(OutputName, AFolderOfTheCandidatesNameDoesNotCount)
{
    Touch("clip.mp4");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("clip.mkv"));
    const OutputFile output = Next("clip.mp4", "mkv");
    EXPECT_EQ(output.sPath, Path("clip.mkv"));
    // Nothing of ours stands there to be removed later.
    EXPECT_FALSE(output.bReserved);
    EXPECT_TRUE(QFileInfo(output.sPath).isDir());
}

TEST_F(OutputName, NeverWritesThroughALinkThatPointsNowhere)
{
    Touch("clip.mp4");
    ASSERT_TRUE(QFile::link(Path("elsewhere/target.webm"), Path("clip.webm")));
    const OutputFile output = Next("clip.mp4", "webm");
    EXPECT_EQ(output.sPath, Path("clip_Converted.webm"));
    EXPECT_TRUE(output.bReserved);
    EXPECT_FALSE(QFileInfo::exists(Path("elsewhere")));
}

TEST_F(OutputName, GivesNothingWhenEveryNumberIsTaken)
{
    Touch("clip.ts");
    Touch("clip_Converted.ts");
    for (int n = 0; n <= 10000; ++n)
        Touch(QStringLiteral("clip_Converted_%1.ts").arg(n));
    const OutputFile output = Next("clip.ts", "ts");
    EXPECT_TRUE(output.sPath.isEmpty());
    EXPECT_FALSE(output.bReserved);
    EXPECT_FALSE(QFileInfo::exists(Path("clip_Converted_10001.ts")));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(OutputName, CreatesOneMissingLevelOfTheFolder)
{
    const QString sSource = Path("clip.mp4");
    Touch("clip.mp4");
    const QString sFolder = Path("Cut Files");
    const OutputFile output = NewOutputFile(sFolder, sSource, "mp4", {});
    EXPECT_TRUE(QFileInfo(sFolder).isDir());
    EXPECT_EQ(output.sPath, sFolder + "/clip.mp4");
    // A folder text with its own trailing separator gets no second one.
    EXPECT_EQ(NewOutputFile(sFolder + "/", sSource, "mp4", {}).sPath, sFolder + "/clip_Converted.mp4");
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(OutputName, AFolderThatCannotBeCreatedIsSaidAndGivesNoPath)
{
    // No parent, a file where the folder should be, no folder at all.
    Touch("notes");
    for (const QString &sFolder : {Path("missing/Cut Files"), Path("notes"), QString()}) {
        const OutputFile output = NewOutputFile(sFolder, Path("clip.mp4"), "mp4", {});
        EXPECT_TRUE(output.bNoFolder) << sFolder.toStdString();
        EXPECT_TRUE(output.sPath.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(Path("missing")));
    ASSERT_EQ(m_messages.Messages().size(), 3);
    for (const MsgBoxRecorder::Shown &shown : m_messages.Messages()) {
        EXPECT_EQ(shown.sText, "Output Folder is not exist and can not be created.");
        EXPECT_EQ(shown.icon, MsgIcon::Critical);
    }
}

TEST_F(OutputName, TheFolderIsTheSourcesOwnOrTheChosenOne)
{
    EXPECT_EQ(OutputFolder(true, "/videos/2024/clip.mp4", "/elsewhere"), "/videos/2024");
    EXPECT_EQ(OutputFolder(false, "/videos/2024/clip.mp4", "/elsewhere"), "/elsewhere");
    EXPECT_EQ(OutputFolder(false, "/videos/clip.mp4", ""), "");
}

TEST(VideoFiles, TheThirtyTwoExtensionsInOrder)
{
    const QStringList lsExpected{"wmv",  "asf",  "avi", "mpg",  "mpe", "mp2", "mpeg", "mp4",
                                 "mov",  "dat",  "flv", "rm",   "rmvb", "yuv", "mkv", "m4v",
                                 "m1v",  "m2v",  "mpv2", "mp2v", "ts",  "tp",  "tpr", "pva",
                                 "pss",  "divx", "webm", "mts", "m2ts", "3gp", "ogv", "vob"};
    EXPECT_EQ(VideoExtensions(), lsExpected);
}

TEST(VideoFiles, TheSixFiltersOfTheOpenDialog)
{
    const QList<FileFilter> filters = VideoFileFilters();
    ASSERT_EQ(filters.size(), 6);
    EXPECT_EQ(filters[0].sDescription, "Common Video Files");
    EXPECT_EQ(filters[0].lsPatterns.size(), 32);
    EXPECT_EQ(filters[0].lsPatterns.first(), "*.wmv");
    EXPECT_EQ(filters[0].lsPatterns.last(), "*.vob");
    EXPECT_EQ(filters[1].sDescription, "MPEG Files(.mpg,*.mpeg,*.mp2,*.mp4,*.mpe,*.m4v)");
    EXPECT_EQ(filters[1].lsPatterns.join(";"),
              "*.mpg;*.mp2;*.mpeg;*.mp4;*.mpe;*.m4v;*.m1v;*.m2v;*.mpv2;*.mp2v;*.dat;*.ts;*.tp;*.tpr;*.pva;*.pss");
    EXPECT_EQ(filters[2].sDescription, "Windows Media Files(*.wmv,*.asf)");
    EXPECT_EQ(filters[2].lsPatterns, QStringList({"*.wmv", "*.asf"}));
    EXPECT_EQ(filters[3].sDescription, "AVI Files(*.avi)");
    EXPECT_EQ(filters[3].lsPatterns, QStringList({"*.avi"}));
    EXPECT_EQ(filters[4].sDescription, "QuickTime Files-Ver2 or less(*.mov)");
    EXPECT_EQ(filters[4].lsPatterns, QStringList({"*.mov"}));
    EXPECT_EQ(filters[5].sDescription, "All Files(*.*)");
    EXPECT_EQ(filters[5].lsPatterns, QStringList({"*.*"}));

    // Qt's form: the description, its patterns in brackets; all files is "*" here.
    const QStringList lsQt = QtFilterText(filters).split(";;");
    ASSERT_EQ(lsQt.size(), 6);
    EXPECT_EQ(lsQt[3], "AVI Files(*.avi) (*.avi)");
    EXPECT_EQ(lsQt[5], "All Files(*.*) (*)");
}

TEST(VideoFiles, ADroppedFileCountsByItsLastExtensionInAnyCase)
{
    EXPECT_TRUE(HasVideoExtension("/clips/clip.TS"));
    EXPECT_TRUE(HasVideoExtension("/clips/holiday.2024.Mp4"));
    EXPECT_TRUE(HasVideoExtension("/clips/old.divx"));
    // What cameras, phones, discs and browsers write.
    for (const char *szName : {"rec.webm", "cam.MTS", "disc.m2ts", "tv.ts", "phone.3gp", "free.OGV",
                               "dvd.vob", "shop.m4v"})
        EXPECT_TRUE(HasVideoExtension(QStringLiteral("/clips/") + QLatin1String(szName))) << szName;
    EXPECT_FALSE(HasVideoExtension("/clips/notes.txt"));
    EXPECT_FALSE(HasVideoExtension("/clips/clip.mp4.txt"));
    EXPECT_FALSE(HasVideoExtension("/clips/mp4"));
    EXPECT_FALSE(HasVideoExtension("/clips/clip."));
}

TEST(OutputFolderDrive, OnlyAFixedDriveIsAccepted)
{
    // The kernel's own views are no drive to write cuts to.
    EXPECT_FALSE(CanChooseOutputFolder("/proc"));
    EXPECT_FALSE(CanChooseOutputFolder(""));
    QTemporaryDir missing;
    ASSERT_TRUE(missing.isValid());
    EXPECT_FALSE(CanChooseOutputFolder(missing.filePath("not there")));

    // The build tree lies on a local disk; flagged removable, the same disk is refused.
    const QString sFolder = TestMedia::BinDir();
    if (GetDriveTypeA(sFolder) != DRIVE_FIXED)
        GTEST_SKIP() << "the build folder is not on a fixed disk here";
    EXPECT_TRUE(CanChooseOutputFolder(sFolder));
    const QString sDevice = QFileInfo(QString::fromLocal8Bit(QStorageInfo(sFolder).device())).fileName();
    QTemporaryDir sysfs;
    ASSERT_TRUE(sysfs.isValid());
    ASSERT_TRUE(QDir().mkpath(sysfs.filePath("block/" + sDevice)));
    QFile flag(sysfs.filePath("block/" + sDevice + "/removable"));
    ASSERT_TRUE(flag.open(QIODevice::WriteOnly));
    flag.write("1\n");
    flag.close();
    const ScopedOverride removable(SetSysfsRootForTests, sysfs.path());
    EXPECT_FALSE(CanChooseOutputFolder(sFolder));
}

} // namespace
