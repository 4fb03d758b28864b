// The window's preview on a real display (run under xvfb-run): the video drawn through mpv's
// render API over the preview area.
#include "WorkflowFixture.h"

#include "support/PictureCheck.h"
#include "preview/MpvVideoWidget.h"
#include "widgets/MyFrame.h"
#include "widgets/PictureBox.h"

#include <QGuiApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>
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

// Slides a panel up and compares what the screen shows where it lies over the preview area with
// the panel's own drawing of that part.
class PanelsOverVideo : public WindowPreview {
protected:
    // The share of pixels of the overlap that the screen shows otherwise than the panel draws them.
    static double ShareUnlikeThePanel(frmMain &w, QWidget *panel)
    {
        const QRect preview(w.picVideoWindow->mapTo(&w, QPoint(0, 0)), w.picVideoWindow->size());
        const QRect overlap = preview.intersected(panel->geometry());
        if (overlap.isEmpty())
            return 1.0;
        const QPoint screenAt = w.mapToGlobal(overlap.topLeft());
        const QImage shown =
            w.screen()->grabWindow(0, screenAt.x(), screenAt.y(), overlap.width(), overlap.height()).toImage()
                .convertToFormat(QImage::Format_RGB32);
        const QImage own = panel->grab(overlap.translated(-panel->pos())).toImage().convertToFormat(QImage::Format_RGB32);
        if (shown.size() != own.size())
            return 1.0;
        int iUnlike = 0;
        for (int y = 0; y < own.height(); ++y)
            for (int x = 0; x < own.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = own.pixel(x, y);
                if (qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b)) > 24)
                    ++iUnlike;
            }
        return double(iUnlike) / (own.width() * own.height());
    }

    void ExpectPanelsInSight(frmMain &w)
    {
        const auto SlidUp = [&](QWidget *panel) {
            return WaitUntil([&] { return !w.tmrAnimate->isActive() && panel->y() < w.height() / 2; }, 20000);
        };
        const auto InSight = [&](QWidget *panel) {
            return WaitUntil([&] { return ShareUnlikeThePanel(w, panel) < 0.01; }, 5000);
        };
        w.cmdChangeFormat_Click();
        ASSERT_TRUE(SlidUp(w.frFormats));
        EXPECT_TRUE(InSight(w.frFormats)) << ShareUnlikeThePanel(w, w.frFormats) << " of the format panel unlike";
        w.optFormat[1]->setChecked(true);
        EXPECT_TRUE(InSight(w.frFormats)) << ShareUnlikeThePanel(w, w.frFormats) << " of the custom panel unlike";
        w.cmdHide_Click();
        ASSERT_TRUE(WaitUntil([&] { return !w.tmrAnimate->isActive(); }, 20000));

        w.cmdAbout_Click();
        ASSERT_TRUE(SlidUp(w.frAbout));
        EXPECT_TRUE(InSight(w.frAbout)) << ShareUnlikeThePanel(w, w.frAbout) << " of the About panel unlike";
        w.cmdCloseHelp_Click();
        ASSERT_TRUE(WaitUntil([&] { return !w.tmrAnimate->isActive(); }, 20000));
    }

    frmMain &Shown()
    {
        frmMain &w = Start();
        w.show();
        EXPECT_TRUE(WaitUntil([&] { return w.windowHandle() && w.windowHandle()->isExposed(); }, 20000));
        return w;
    }
};

TEST_F(PanelsOverVideo, ThePanelsAreDrawnAboveAPlayingVideo)
{
    const QString sClip = Clip("playing.mp4", 30.0);
    ASSERT_FALSE(sClip.isEmpty());
    frmMain &w = Shown();
    DropFiles(w, {sClip});
    ASSERT_FALSE(w.bNoVideo);
    ASSERT_TRUE(WaitUntil([&] { return CoarseColours(OnScreen(w)) >= 8; }, 20000));
    ExpectPanelsInSight(w);
    // With the panels gone, the whole picture is in sight again.
    EXPECT_TRUE(WaitUntil([&] { return ColumnLit(OnScreen(w), 0) && ColumnLit(OnScreen(w), w.picVideoWindow->width() - 1); },
                          5000));
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Texts().join("\n").toStdString();
}

TEST_F(PanelsOverVideo, ThePanelsAreDrawnWithNoVideoLoaded)
{
    frmMain &w = Shown();
    ExpectPanelsInSight(w);
}

} // namespace
