#include "preview/PreviewTestSupport.h"
#include "common/ScopedOverride.h"
#include "support/PictureCheck.h"
#include "preview/MpvPreview.h"
#include "preview/MpvVideoWidget.h"
#include "preview/CurrentContextScope.h"

#include <QGuiApplication>
#include <QImage>
#include <QOpenGLContext>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

using PreviewTest::Clip;
using PreviewTest::Pump;
using PreviewTest::WaitUntil;
using PictureCheck::ColumnLit;
using PictureCheck::CoarseColours;

namespace {

constexpr int kAreaWidth = 318; // the preview area, in pixels
constexpr int kAreaHeight = 189;

QImage Picture(QWidget *objVideo)
{
    auto *objSurface = qobject_cast<MpvVideoWidget *>(objVideo);
    return objSurface ? objSurface->grabFramebuffer() : QImage();
}

bool ShowsAPicture(QWidget *objVideo)
{
    const QImage image = Picture(objVideo);
    return !image.isNull() && CoarseColours(image) >= 8;
}

class MpvPreviewDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new QTemporaryDir();
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        s_folder = nullptr;
    }

    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            if (qEnvironmentVariableIsEmpty("DISPLAY"))
                GTEST_SKIP() << "needs a display: run under xvfb-run";
            FAIL() << "DISPLAY is set, but the tests run on "
                   << QGuiApplication::platformName().toStdString() << " instead of xcb";
        }
        ASSERT_TRUE(s_folder->isValid());
        m_sClip = Clip(*s_folder, QStringLiteral("three.mp4"), 3.0);
        ASSERT_FALSE(m_sClip.isEmpty());

        m_window.resize(kAreaWidth + 40, kAreaHeight + 60);
        m_objArea = new QWidget(&m_window);
        m_objArea->setObjectName(QStringLiteral("picVideoWindow"));
        m_objArea->setGeometry(20, 20, kAreaWidth, kAreaHeight);
        m_window.show();
        ASSERT_TRUE(WaitUntil([this] { return m_window.windowHandle() && m_window.windowHandle()->isExposed(); },
                              20000));
    }

    // The loader's steps, in its order.
    void Load(VideoPreview &graph, QWidget *objOwner)
    {
        ASSERT_EQ(graph.RenderFile(m_sClip), PreviewResult::Ok);
        EXPECT_EQ(graph.PutVolume(0), PreviewResult::Ok);
        EXPECT_EQ(graph.PutBalance(0), PreviewResult::Ok);
        EXPECT_EQ(graph.PutTop(0), PreviewResult::Ok);
        EXPECT_EQ(graph.PutWindowStyle(0x06000000), PreviewResult::Ok);
        EXPECT_EQ(graph.PutLeft(0), PreviewResult::Ok);
        EXPECT_EQ(graph.PutHeight(kAreaHeight), PreviewResult::Ok);
        EXPECT_EQ(graph.PutWidth(kAreaWidth), PreviewResult::Ok);
        EXPECT_EQ(graph.PutOwner(objOwner), PreviewResult::Ok);
        EXPECT_EQ(graph.HideCursor(false), PreviewResult::Ok);
        EXPECT_EQ(graph.PutRate(1.0), PreviewResult::Ok);
        ASSERT_EQ(graph.Run(), PreviewResult::Ok);
    }

    static double Position(VideoPreview &graph)
    {
        double dPosition = -1.0;
        EXPECT_EQ(graph.GetCurrentPosition(dPosition), PreviewResult::Ok);
        return dPosition;
    }

    static QTemporaryDir *s_folder;
    // Silent under test, even where there is a sound card.
    const ScopedOverride m_silent{MpvPreview::SetOptionsForTests, QList<QPair<QByteArray, QByteArray>>{{"ao", "null"}}};
    QString m_sClip;
    QWidget m_window;
    QWidget *m_objArea = nullptr;
};

QTemporaryDir *MpvPreviewDisplayTest::s_folder = nullptr;

} // namespace

TEST_F(MpvPreviewDisplayTest, DrawsThePlayingVideoOverThePreviewArea)
{
    MpvPreview graph;
    Load(graph, m_objArea);
    QWidget *objVideo = graph.VideoWindow();
    ASSERT_NE(qobject_cast<MpvVideoWidget *>(objVideo), nullptr);
    EXPECT_EQ(objVideo->parentWidget(), m_objArea);
    EXPECT_EQ(objVideo->geometry(), QRect(0, 0, kAreaWidth, kAreaHeight));

    ASSERT_TRUE(WaitUntil([&] { return ShowsAPicture(objVideo); }, 20000))
        << CoarseColours(Picture(objVideo)) << " colours in the preview";
    const QImage playing = Picture(objVideo);
    EXPECT_EQ(playing.size(), QSize(kAreaWidth, kAreaHeight));
    // A 4:3 clip stretched over the whole area: no black bars at the sides.
    EXPECT_TRUE(ColumnLit(playing, 0));
    EXPECT_TRUE(ColumnLit(playing, playing.width() - 1));
    EXPECT_TRUE(WaitUntil([&] { return Position(graph) > 0.2; }, 20000));

    // On the screen itself, the picture moves on as it plays: mpv's frames reach the window
    // without anyone asking for them.
    const auto onScreen = [this] {
        return m_window.screen()->grabWindow(m_window.winId(), 20, 20, kAreaWidth, kAreaHeight).toImage();
    };
    EXPECT_TRUE(WaitUntil([&] { return CoarseColours(onScreen()) >= 8; }, 20000));
    const QImage shown = onScreen();
    EXPECT_TRUE(WaitUntil([&] { return onScreen() != shown; }, 20000));

    // Paused, a seek is done at once and shows its frame.
    ASSERT_EQ(graph.Pause(), PreviewResult::Ok);
    ASSERT_EQ(graph.PutCurrentPosition(0.4), PreviewResult::Ok);
    EXPECT_NEAR(Position(graph), 0.4, 0.001);
    Pump(300);
    const QImage early = Picture(objVideo);
    ASSERT_EQ(graph.PutCurrentPosition(2.4), PreviewResult::Ok);
    EXPECT_NEAR(Position(graph), 2.4, 0.001);
    EXPECT_TRUE(WaitUntil([&] { return Picture(objVideo) != early; }, 20000));
    EXPECT_TRUE(ShowsAPicture(objVideo));
}

TEST_F(MpvPreviewDisplayTest, ANewGraphDrawsOverTheOldOneAndEitherCanGoFirst)
{
    auto objOld = std::make_unique<MpvPreview>();
    Load(*objOld, m_objArea);
    ASSERT_TRUE(WaitUntil([&] { return ShowsAPicture(objOld->VideoWindow()); }, 20000));

    // The next load is placed while the old graph still plays; releasing the old one leaves the
    // new picture alone.
    auto objNew = std::make_unique<MpvPreview>();
    Load(*objNew, m_objArea);
    objOld.reset();
    EXPECT_EQ(m_objArea->findChildren<MpvVideoWidget *>().size(), 1);
    ASSERT_TRUE(WaitUntil([&] { return ShowsAPicture(objNew->VideoWindow()); }, 20000));

    // The preview area going first frees the render context before mpv; the graph still answers.
    delete m_objArea;
    m_objArea = nullptr;
    EXPECT_EQ(objNew->VideoWindow(), nullptr);
    EXPECT_GE(Position(*objNew), 0.0);
    ASSERT_EQ(objNew->PutCurrentPosition(1.0), PreviewResult::Ok);
    EXPECT_NEAR(Position(*objNew), 1.0, 0.3);
    objNew.reset();
}

TEST_F(MpvPreviewDisplayTest, KeepsDrawingWhenTheAreaMovesToAnotherWindow)
{
    MpvPreview graph;
    Load(graph, m_objArea);
    ASSERT_TRUE(WaitUntil([&] { return ShowsAPicture(graph.VideoWindow()); }, 20000));

    QWidget other;
    other.resize(kAreaWidth + 40, kAreaHeight + 40);
    m_objArea->setParent(&other);
    m_objArea->setGeometry(20, 20, kAreaWidth, kAreaHeight);
    m_objArea->show();
    other.show();
    ASSERT_TRUE(WaitUntil([&] { return other.windowHandle() && other.windowHandle()->isExposed(); }, 20000));
    ASSERT_EQ(graph.PutCurrentPosition(0.0), PreviewResult::Ok);
    ASSERT_EQ(graph.Run(), PreviewResult::Ok);
    EXPECT_TRUE(WaitUntil([&] { return ShowsAPicture(graph.VideoWindow()); }, 20000));
    // On the screen, in the other window, the picture moves on as it plays.
    const auto onScreen = [&other] {
        return other.screen()->grabWindow(other.winId(), 20, 20, kAreaWidth, kAreaHeight).toImage();
    };
    EXPECT_TRUE(WaitUntil([&] { return CoarseColours(onScreen()) >= 8; }, 20000));
    const QImage shown = onScreen();
    EXPECT_TRUE(WaitUntil([&] { return onScreen() != shown; }, 20000));
    m_objArea->setParent(&m_window);
}

TEST_F(MpvPreviewDisplayTest, TheContextIsCurrentForTheReleaseEvenWhereTheWindowHasGone)
{
    QWindow window;
    window.setSurfaceType(QSurface::OpenGLSurface);
    window.create();
    QOpenGLContext context;
    ASSERT_TRUE(context.create());
    {
        const CurrentContextScope scope(&context, &window);
        EXPECT_TRUE(scope.IsCurrent());
        EXPECT_EQ(QOpenGLContext::currentContext(), &context);
    }
    EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);

    // The native window is gone before the GL objects are freed.
    window.destroy();
    {
        const CurrentContextScope scope(&context, &window);
        EXPECT_TRUE(scope.IsCurrent());
        EXPECT_EQ(QOpenGLContext::currentContext(), &context);
    }
    EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);
}
