#include "common/AppPath.h"
#include "common/MessageBox.h"
#include "common/ScopedOverride.h"
#include "support/MsgBoxRecorder.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(AppPath, IsTheProgramFolderUnlessATestOverridesIt)
{
    EXPECT_EQ(AppPath(), QCoreApplication::applicationDirPath());
    {
        const ScopedOverride folder(SetAppPathForTests, QStringLiteral("/tmp/fake program/"));
        EXPECT_EQ(AppPath(), QStringLiteral("/tmp/fake program"));
        {
            const ScopedOverride inner(SetAppPathForTests, QStringLiteral("/tmp/inner"));
            EXPECT_EQ(AppPath(), QStringLiteral("/tmp/inner"));
        }
        // An override ending gives back the one it replaced.
        EXPECT_EQ(AppPath(), QStringLiteral("/tmp/fake program"));
    }
    EXPECT_EQ(AppPath(), QCoreApplication::applicationDirPath());
    EXPECT_FALSE(AppPath().endsWith(QLatin1Char('/')));
}

TEST(MsgBox, ReachesTheInstalledHandlerWithItsIcon)
{
    MsgBoxRecorder recorder;
    MsgBox(QStringLiteral("No video file loaded"), MsgIcon::Information);
    MsgBox(QStringLiteral("File is not supported"), MsgIcon::Exclamation);
    ASSERT_EQ(recorder.Messages().size(), 2);
    EXPECT_EQ(recorder.Messages()[0].sText, QStringLiteral("No video file loaded"));
    EXPECT_EQ(recorder.Messages()[0].icon, MsgIcon::Information);
    EXPECT_EQ(recorder.Messages()[1].icon, MsgIcon::Exclamation);
}
