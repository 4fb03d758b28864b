#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

// The installed command is a link (<prefix>/bin/clipwright -> ../lib/clipwright/clipwright) and
// the program must still find its encoder and catalogues beside the real file. Here the real
// file is reached through two links: a relative one like the installed command, to a second,
// absolute one.
TEST(AppPath, IsTheFolderOfTheRealProgramWhenStartedThroughLinks)
{
    const QFileInfo probe(QStringLiteral(CLIPWRIGHT_APPPATH_PROBE));
    ASSERT_TRUE(probe.isExecutable());
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("lib/clipwright")));
    const QString sAppLink = root.filePath(QStringLiteral("lib/clipwright/probe"));
    const QString sCommand = root.filePath(QStringLiteral("bin/probe"));
    ASSERT_TRUE(QFile::link(probe.absoluteFilePath(), sAppLink));
    ASSERT_EQ(::symlink("../lib/clipwright/probe", QFile::encodeName(sCommand).constData()), 0);

    QProcess run;
    run.start(sCommand, {});
    ASSERT_TRUE(run.waitForFinished(10000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromLocal8Bit(run.readAllStandardOutput()), probe.canonicalPath());
}
