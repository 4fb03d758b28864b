// The window's preview on a real display (run under xvfb-run): the video drawn through mpv's
// render API over the preview area.
#include "WorkflowFixture.h"

#include "support/PictureCheck.h"
#include "preview/MpvVideoWidget.h"
#include "widgets/PictureBox.h"

#include <QGuiApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

using PictureCheck::ColumnLit;
using PictureCheck::CoarseColours;

namespace {

class WindowPreview : public WorkflowFixture {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            if (qEnvironmentVariableIsEmpty("DISPLAY"))
                GTEST_SKIP() << "needs a display: run under xvfb-run";
            FAIL() << "DISPLAY is set, but the tests run on " << QGuiApplication::platformName().toStdString();
        }
        WorkflowFixture::SetUp();
    }

    // What the screen shows over the preview area.
    static QImage OnScreen(frmMain &w)
    {
        const QPoint origin = w.picVideoWindow->mapTo(&w, QPoint(0, 0));
        return w.screen()
            ->grabWindow(w.winId(), origin.x(), origin.y(), w.picVideoWindow->width(), w.picVideoWindow->height())
            .toImage();
    }
};

TEST_F(WindowPreview, TheVideoFillsThePreviewAreaAndTakesDropsOnItself)
{
    const QString sClip = Clip("four-three.mp4", 4.0);
    const QString sNext = Clip("next.mkv", 3.0);
    ASSERT_FALSE(sClip.isEmpty());
    ASSERT_FALSE(sNext.isEmpty());
    frmMain &w = Start();
    w.show();
    ASSERT_TRUE(WaitUntil([&] { return w.windowHandle() && w.windowHandle()->isExposed(); }, 20000));

    DropFiles(w, {sClip});
    ASSERT_FALSE(w.bNoVideo);
    const QList<MpvVideoWidget *> videos = w.picVideoWindow->findChildren<MpvVideoWidget *>();
    ASSERT_EQ(videos.size(), 1);
    EXPECT_EQ(videos[0]->geometry(), QRect(0, 0, 318, 189));

    // The 4:3 picture is stretched over the whole area: lit to both edges, no bars.
    ASSERT_TRUE(WaitUntil([&] { return CoarseColours(OnScreen(w)) >= 8; }, 20000));
    const QImage shown = OnScreen(w);
    EXPECT_TRUE(ColumnLit(shown, 0));
    EXPECT_TRUE(ColumnLit(shown, shown.width() - 1));
    // It plays: the picture changes.
    EXPECT_TRUE(WaitUntil([&] { return OnScreen(w) != shown; }, 20000));

    // A file dropped on the playing video reaches the preview area under it.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(sNext)});
    const QPoint centre = videos[0]->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(videos[0], &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(videos[0], &drop);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.sVideoFile, sNext);
    EXPECT_FALSE(w.bNoVideo);
    EXPECT_EQ(w.picVideoWindow->findChildren<MpvVideoWidget *>().size(), 1);
    EXPECT_TRUE(WaitUntil([&] { return CoarseColours(OnScreen(w)) >= 8; }, 20000));

    // Closing the window releases the graph and its video window.
    EXPECT_TRUE(w.close());
    EXPECT_EQ(w.objMediaControl, nullptr);
    EXPECT_TRUE(w.picVideoWindow->findChildren<MpvVideoWidget *>().isEmpty());
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
}

} // namespace
