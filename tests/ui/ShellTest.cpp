#include "WindowFixture.h"

#include "common/AppPath.h"
#include "widgets/QtColour.h"
#include "slider/Slider.h"
#include "widgets/ComboList.h"
#include "widgets/Line.h"
#include "widgets/LinkLabel.h"
#include "widgets/MyButton.h"
#include "widgets/MyFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/modControlColors.h"
#include "workflow/modVersion.h"
#include "ui/modWindowPlace.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {
constexpr OleColor kLight = RGBColor(255, 192, 255);
constexpr OleColor kMedium = RGBColor(255, 128, 255);
constexpr OleColor kDark = RGBColor(128, 0, 128);
constexpr OleColor kText = RGBColor(64, 0, 64);
constexpr OleColor kOther = RGBColor(1, 2, 3);

// Stands in for the desktop: records every address the window asks it to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char *szScheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(szScheme), this, "Open");
    }
    ~UrlRecorder() override
    {
        for (const char *szScheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(szScheme));
    }
    QList<QUrl> urls;
public slots:
    void Open(const QUrl &url) { urls.append(url); }
};

class Shell : public WindowFixture {};
} // namespace

TEST_F(Shell, WindowIsFramelessAndAsLargeAsItsMainFrame)
{
    frmMain &w = Start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Clipwright"));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w.size(), QSize(728, 538));
    EXPECT_EQ(w.frMain->geometry(), QRect(0, 0, 728, 538));
    EXPECT_EQ(w.frMain->Width(), 10920);
    EXPECT_EQ(w.frMain->Height(), 8070);
    EXPECT_EQ(w.frAbout->Width(), 7245);
    EXPECT_EQ(w.frAbout->Height(), 3690);
    EXPECT_EQ(w.frFormats->Width(), 8280);
    EXPECT_EQ(w.frFormats->Height(), 4350);
    EXPECT_EQ(w.picVideoWindow->size(), QSize(318, 189));
    EXPECT_EQ(w.Slider->size(), QSize(314, 20));
    // The slider starts as the window's design has it: no range to speak of, and idle.
    EXPECT_EQ(w.Slider->Min(), 0);
    EXPECT_EQ(w.Slider->Max(), 1000000);
    EXPECT_EQ(w.Slider->Value(), 0);
    EXPECT_FALSE(w.Slider->SliderEnabled());
    EXPECT_TRUE(w.MyFrame3->isAncestorOf(w.Slider));
    EXPECT_GT(w.Slider->y(), w.picVideoWindow->geometry().bottom());
}

TEST_F(Shell, StartUpMarksNoVideoParksThePanelsAndShowsTheVersion)
{
    frmMain &w = Start();
    EXPECT_TRUE(w.bNoVideo);
    EXPECT_FALSE(w.bTaskRunning());
    EXPECT_TRUE(w.sMoveObject.isEmpty());
    EXPECT_FALSE(w.tmrAnimate->isActive());
    EXPECT_EQ(w.tmrAnimate->interval(), 10);
    EXPECT_FALSE(w.tmrVideo->isActive());
    EXPECT_EQ(w.tmrVideo->interval(), 1000);

    // Parked just below the visible area, centred.
    EXPECT_EQ(w.frFormats->Top(), 8070);
    EXPECT_EQ(w.frFormats->Left(), 1320);
    EXPECT_EQ(w.frAbout->Top(), 8070);
    EXPECT_EQ(w.frAbout->Left(), 1838); // (10920 - 7245) / 2 = 1837.5, halves to even
    EXPECT_EQ(w.frAbout->y(), 538);
    EXPECT_FALSE(w.frAbout->geometry().intersects(w.rect()));
    EXPECT_FALSE(w.frFormats->geometry().intersects(w.rect()));

    // A second copy starts all the same, although the first holds the instance lock.
    frmMain second;
    EXPECT_TRUE(second.bNoVideo);
    EXPECT_EQ(second.frAbout->Top(), 8070);

    EXPECT_EQ(w.lblVer->text(), ProgramVersionText());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.0\\.\\d+$")).match(w.lblVer->text()).hasMatch());
}

TEST_F(Shell, StartUpFillsTheCatalogueListsAndTheSettingsChooseFromThem)
{
    frmMain &w = Start();
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << qPrintable(m_messages.Texts().join(QLatin1Char('|')));
    EXPECT_EQ(w.Catalogues.PresetCount, 8);
    EXPECT_EQ(w.Catalogues.CodecCount, 5);
    // A first start's settings choose the second entry of each catalogue list that has one.
    ASSERT_EQ(w.cmbCategory->ListCount(), 3);
    EXPECT_EQ(w.cmbCategory->ListIndex(), 1);
    EXPECT_EQ(w.cmbCategory->Text(), QStringLiteral("Phone"));
    EXPECT_EQ(w.cmbOutVCodec->Text(), QStringLiteral(" MPEG-4 (small) "));
    EXPECT_EQ(w.cmbOutVCodec->ListCount(), 3);
    EXPECT_EQ(w.cmbOutFormat->Text(), QStringLiteral("3gp"));
    // Video codecs and general ones in the video list, audio and general ones in the audio list.
    ASSERT_EQ(w.cmbCVCodec->ListCount(), 3);
    EXPECT_EQ(w.cmbCVCodec->List(2), QStringLiteral("Copy (no re-encoding)"));
    EXPECT_EQ(w.cmbCVCodec->ListIndex(), 1);
    ASSERT_EQ(w.cmbCACodec->ListCount(), 3);
    EXPECT_EQ(w.cmbCACodec->Text(), QStringLiteral("MP3"));
    // Applying the settings ends by describing the chosen format.
    EXPECT_EQ(w.lblFormat->text(), QStringLiteral("Category:Phone, Codec:\" MPEG-4 (small) \", Container:\"3gp\""));
}

TEST_F(Shell, StartUpLoadsThePresetsBeforeTheCodecsAndGoesOnAfterFailures)
{
    RemoveProgramFile(QStringLiteral("presets.xml"));
    RemoveProgramFile(QStringLiteral("codecs.xml"));
    frmMain &w = Start();
    const QStringList texts = m_messages.Texts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Error Occured while Loading Presets.\r\n"))) << qPrintable(texts[0]);
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("Error Occured while Loading Codecs.\r\n"))) << qPrintable(texts[1]);
    // The window is up all the same, with empty lists.
    EXPECT_EQ(w.cmbCategory->ListCount(), 0);
    EXPECT_EQ(w.cmbCVCodec->ListCount(), 0);
    EXPECT_EQ(w.frFormats->Top(), 8070);
    EXPECT_EQ(w.lblFormat->text(), QStringLiteral("Category:, Codec:\"\", Container:\"\""));
}

TEST_F(Shell, TheShippedCataloguesLoadWithoutAMessage)
{
    SetAppPathForTests(QStringLiteral(CLIPWRIGHT_BIN_DIR));
    frmMain &w = Start();
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << qPrintable(m_messages.Texts().join(QLatin1Char('|')));
    EXPECT_GT(w.cmbCategory->ListCount(), 1);
    EXPECT_EQ(w.cmbCategory->ListIndex(), 1);
    EXPECT_GT(w.cmbOutVCodec->ListCount(), 0);
    EXPECT_GE(w.cmbOutFormat->ListIndex(), 0);
    EXPECT_GT(w.cmbCVCodec->ListCount(), 1);
    EXPECT_GT(w.cmbCACodec->ListCount(), 1);
}

TEST(Version, ShowsMajorMinorZeroAndRevision)
{
    EXPECT_EQ(VersionText(1, 0, 5), QStringLiteral("1.0.0.5"));
    EXPECT_EQ(VersionText(2, 13, 407), QStringLiteral("2.13.0.407"));
}

TEST_F(Shell, EveryControlIsFoundByItsNameWithItsCaption)
{
    frmMain &w = Start();
    const struct {
        const char *szName;
        QWidget *control;
    } named[] = {
        {"frMain", w.frMain}, {"cmdMinimize", w.cmdMinimize}, {"cmdClose", w.cmdClose},
        {"MyButton1", w.MyButton1}, {"cmdAbout", w.cmdAbout}, {"MyFrame1", w.MyFrame1},
        {"Label26", w.Label26}, {"Label9", w.Label9}, {"Label3", w.Label3}, {"Label4", w.Label4},
        {"Label7", w.Label7}, {"Label6", w.Label6}, {"MyFrame3", w.MyFrame3},
        {"picVideoWindow", w.picVideoWindow}, {"Slider", w.Slider}, {"cmdAddVideoFile", w.cmdAddVideoFile},
        {"cmdPlay", w.cmdPlay}, {"cmdStop", w.cmdStop}, {"cmdStartSelect", w.cmdStartSelect},
        {"cmdEndSelect", w.cmdEndSelect}, {"cmdDeleteSelect", w.cmdDeleteSelect}, {"lblTime", w.lblTime},
        {"lblStartSelect", w.lblStartSelect}, {"lblEndSelect", w.lblEndSelect}, {"Label8", w.Label8},
        {"lblFormat", w.lblFormat}, {"cmdChangeFormat", w.cmdChangeFormat}, {"Label5", w.Label5},
        {"optSameFolder", w.optSameFolder}, {"optOtherFolder", w.optOtherFolder}, {"txtOutPath", w.txtOutPath},
        {"cmdBrowse", w.cmdBrowse}, {"chkShutdown", w.chkShutdown}, {"cmdConvert", w.cmdConvert},
        {"lblProgress", w.lblProgress}, {"progress", w.progress}, {"frAbout", w.frAbout},
        {"cmdCloseHelp", w.cmdCloseHelp}, {"Label38", w.Label38}, {"Label37", w.Label37},
        {"Label39", w.Label39}, {"Label27", w.Label27}, {"lblFFmpeg", w.lblFFmpeg},
        {"lblWebSite", w.lblWebSite}, {"lblVer", w.lblVer}, {"Image1", w.Image1}, {"frFormats", w.frFormats},
        {"cmbCategory", w.cmbCategory}, {"cmbOutVCodec", w.cmbOutVCodec}, {"cmbOutFormat", w.cmbOutFormat},
        {"cmbCustContainer", w.cmbCustContainer}, {"cmbCVCodec", w.cmbCVCodec}, {"txtCVBitrate", w.txtCVBitrate},
        {"cmbCVSize", w.cmbCVSize}, {"txtFrameRate", w.txtFrameRate}, {"cmbCVAspect", w.cmbCVAspect},
        {"cmbCACodec", w.cmbCACodec}, {"txtCABirate", w.txtCABirate}, {"cmbCASmapleRate", w.cmbCASmapleRate},
        {"txtChannels", w.txtChannels}, {"cmdHide", w.cmdHide}, {"cmdDefaults", w.cmdDefaults},
    };
    for (const auto &entry : named) {
        ASSERT_NE(entry.control, nullptr) << entry.szName;
        EXPECT_EQ(w.findChild<QWidget *>(QString::fromLatin1(entry.szName)), entry.control) << entry.szName;
    }
    EXPECT_EQ(w.findChild<QTimer *>(QStringLiteral("tmrAnimate")), w.tmrAnimate);
    EXPECT_EQ(w.findChild<QTimer *>(QStringLiteral("tmrVideo")), w.tmrVideo);
    // The arrays share one name each and carry their index.
    const auto options = w.findChildren<QRadioButton *>(QStringLiteral("optFormat"));
    ASSERT_EQ(options.size(), 2);
    EXPECT_EQ(w.optFormat[1]->property("Index").toInt(), 1);
    EXPECT_EQ(w.findChildren<MyFrame *>(QStringLiteral("frFormat")).size(), 2);

    EXPECT_EQ(w.frMain->Caption(), QStringLiteral("Clipwright "));
    EXPECT_EQ(w.MyFrame1->Caption(), QStringLiteral("Three Easy Steps to cut your video files"));
    EXPECT_EQ(w.frAbout->Caption(), QStringLiteral("About"));
    EXPECT_EQ(w.frFormats->Caption(), QStringLiteral("Output Video Formats"));
    EXPECT_EQ(w.cmdMinimize->toolTip(), QStringLiteral("Minimize"));
    EXPECT_EQ(w.cmdClose->toolTip(), QStringLiteral("Close"));
    EXPECT_EQ(w.MyButton1->toolTip(), QStringLiteral("Help (F1)"));
    EXPECT_EQ(w.cmdAbout->toolTip(), QStringLiteral("About"));
    EXPECT_EQ(w.Label9->text(), QStringLiteral("  - Insert Video file and mark for cut"));
    EXPECT_EQ(w.Label4->text(), QStringLiteral("  - Select Output Folder and Format"));
    EXPECT_EQ(w.Label6->text(), QStringLiteral("- Start the task"));
    EXPECT_EQ(w.cmdAddVideoFile->Caption(), QStringLiteral("Load Video File ..."));
    EXPECT_EQ(w.cmdStartSelect->Caption(), QStringLiteral("Start Selection "));
    EXPECT_EQ(w.cmdEndSelect->Caption(), QStringLiteral("End Selection"));
    EXPECT_EQ(w.cmdDeleteSelect->Caption(), QStringLiteral("Reset Selection"));
    EXPECT_EQ(w.cmdPlay->Caption(), QStringLiteral("Play"));
    EXPECT_EQ(w.lblTime->text(), QStringLiteral("00:00.00/00:00.00"));
    EXPECT_EQ(w.lblStartSelect->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(w.cmdChangeFormat->Caption(), QStringLiteral("Change..."));
    EXPECT_EQ(w.cmdChangeFormat->toolTip(), QStringLiteral("Change output format"));
    EXPECT_EQ(w.optSameFolder->text(), QStringLiteral("Same folder as input file"));
    EXPECT_EQ(w.txtOutPath->text().section(QLatin1Char('/'), -1), QStringLiteral("Cut Files")); // a first start's
    EXPECT_EQ(w.chkShutdown->text(), QStringLiteral("Shutdown after task complete"));
    EXPECT_EQ(w.cmdConvert->Caption(), QStringLiteral("Start"));
    EXPECT_EQ(w.lblProgress->text(), QStringLiteral("Task Progress:"));
    EXPECT_EQ(w.Label27->text() + w.lblFFmpeg->text(), QStringLiteral("Clipwright is using FFmpeg"));
    // "&&" is the way to show one "&".
    EXPECT_EQ(w.cmdHide->Caption(), QStringLiteral("Save && Close"));
    EXPECT_EQ(w.cmdDefaults->Caption(), QStringLiteral("Restore Defaults"));

    // The panels are in front of the main frame; the later controls are placed but idle.
    EXPECT_GT(w.children().indexOf(w.frAbout), w.children().indexOf(w.frMain));
    EXPECT_TRUE(w.MyFrame1->isAncestorOf(w.cmdConvert));
    EXPECT_TRUE(w.frMain->isAncestorOf(w.picVideoWindow));
    EXPECT_FALSE(w.frMain->isAncestorOf(w.frAbout));
}

TEST_F(Shell, ThemeColoursEachKindOfControlAndSparesTheNamedOnes)
{
    frmMain &w = Start();
    EXPECT_EQ(w.lColorLight, 0x00FFC0FFu);
    EXPECT_EQ(w.lColorMedium, 0x00FF80FFu);
    EXPECT_EQ(w.lColorDark, 0x00800080u);
    EXPECT_EQ(w.lColorText, 0x00400040u);

    for (MyFrame *frame : {w.frMain, w.frAbout, w.frFormats, w.MyFrame3, w.frFormat[0], w.frFormat[1]}) {
        EXPECT_EQ(frame->BodyColorBottomLeft(), kLight) << qPrintable(frame->objectName());
        EXPECT_EQ(frame->BodyColorBottomRight(), kMedium);
        EXPECT_EQ(frame->BodyColorTopLeft(), kLight);
        EXPECT_EQ(frame->BorderColor(), kDark);
        EXPECT_EQ(frame->ForeColor(), kText);
        EXPECT_EQ(frame->HeaderColorBottomLeft(), kDark);
        EXPECT_EQ(frame->HeaderColorTopLeft(), kMedium);
    }
    // MyFrame1 keeps its own colours.
    EXPECT_NE(w.MyFrame1->BodyColorTopLeft(), kLight);
    EXPECT_NE(w.MyFrame1->HeaderColorTopLeft(), kMedium);

    for (MyButton *button : {w.cmdConvert, w.cmdClose, w.cmdHide, w.cmdCloseHelp}) {
        EXPECT_EQ(button->BackColor(), kLight);
        EXPECT_EQ(button->BackColorDisabled(), kLight);
        EXPECT_EQ(button->BackColorFocus(), kLight);
        EXPECT_EQ(button->BorderColor(), kLight);
        EXPECT_EQ(button->ToolTipBackColor(), kLight);
    }
    EXPECT_EQ(BackColorOf(w.txtOutPath), kLight);
    EXPECT_EQ(BackColorOf(w.txtChannels), kLight);
    EXPECT_EQ(BackColorOf(w.cmbCategory), kLight);
    EXPECT_EQ(BackColorOf(w.cmbCVSize), kLight);
    EXPECT_EQ(ForeColorOf(w.Label9), kText);
    EXPECT_EQ(ForeColorOf(w.lblFormat), kText);
    EXPECT_NE(ForeColorOf(w.lblWebSite), kText);
    EXPECT_NE(ForeColorOf(w.lblFFmpeg), kText);

    // Run it again over changed colours: what it colours comes back, the rest stays as set.
    SetForeColor(w.Label5, kOther);
    SetForeColor(w.lblWebSite, kOther);
    SetForeColor(w.chkShutdown, kOther);
    SetForeColor(w.optFormat[0], kOther);
    w.MyFrame1->setBorderColor(kOther);
    w.cmdBrowse->setBorderColor(kOther);
    w.Line1->setBorderColor(kOther);
    QPalette bar = w.progress->palette();
    bar.setColor(QPalette::Highlight, ToQColor(kOther));
    w.progress->setPalette(bar);
    w.ApplyTheme();
    EXPECT_EQ(ForeColorOf(w.Label5), kText);
    EXPECT_EQ(w.cmdBrowse->BorderColor(), kLight);
    EXPECT_EQ(w.Line1->BorderColor(), kText);
    EXPECT_EQ(ForeColorOf(w.lblWebSite), kOther);
    EXPECT_EQ(ForeColorOf(w.chkShutdown), kOther);
    EXPECT_EQ(ForeColorOf(w.optFormat[0]), kOther);
    EXPECT_EQ(w.MyFrame1->BorderColor(), kOther);
    EXPECT_EQ(FromQColor(w.progress->palette().color(QPalette::Highlight)), kOther);
    w.Slider->setBackColor(kOther);
    w.ApplyTheme();
    EXPECT_EQ(w.Slider->BackColor(), kOther);
}

TEST_F(Shell, AboutPanelSlidesUpTickByTickSlowingAndOvershooting)
{
    frmMain &w = Start();
    w.cmdAbout_Click();
    EXPECT_EQ(w.objMovingFrame, w.frAbout);
    EXPECT_FALSE(w.frMain->isEnabled());
    EXPECT_TRUE(w.tmrAnimate->isActive());
    EXPECT_EQ(w.sMoveObject, frmMain::kMoveUp);
    EXPECT_EQ(w.lMoveStep, 300);
    EXPECT_EQ(w.lMoveInterval, 10);

    // 300 twips a tick at 10 ms from 8070 down to 2970.
    for (int i = 1; i <= 17; ++i) {
        w.tmrAnimate_Timer();
        ASSERT_EQ(w.frAbout->Top(), 8070 - 300 * i) << "tick " << i;
        ASSERT_EQ(w.tmrAnimate->interval(), 10);
    }
    // Below 3100: 150 at 20 ms, then 75 at 40 ms; each new interval takes effect a tick later.
    w.tmrAnimate_Timer();
    EXPECT_EQ(w.frAbout->Top(), 2820);
    EXPECT_EQ(w.lMoveStep, 150);
    EXPECT_EQ(w.lMoveInterval, 20);
    EXPECT_EQ(w.tmrAnimate->interval(), 10);

    // A second About click while the panel moves changes nothing.
    w.cmdAbout_Click();
    EXPECT_EQ(w.lMoveStep, 150);
    EXPECT_EQ(w.frAbout->Top(), 2820);
    // Nor does "Change..." take the animation over.
    w.cmdChangeFormat_Click();
    EXPECT_EQ(w.objMovingFrame, w.frAbout);
    EXPECT_EQ(w.frFormats->Top(), 8070);

    w.tmrAnimate_Timer();
    EXPECT_EQ(w.frAbout->Top(), 2745);
    EXPECT_EQ(w.lMoveStep, 75);
    EXPECT_EQ(w.lMoveInterval, 40);
    EXPECT_EQ(w.tmrAnimate->interval(), 20);
    w.tmrAnimate_Timer();
    EXPECT_EQ(w.frAbout->Top(), 2670);
    EXPECT_EQ(w.tmrAnimate->interval(), 40);
    w.tmrAnimate_Timer();
    EXPECT_EQ(w.frAbout->Top(), 2595); // past its place
    EXPECT_TRUE(w.tmrAnimate->isActive());
    w.tmrAnimate_Timer();
    EXPECT_EQ(w.frAbout->Top(), 2715);
    EXPECT_EQ(w.frAbout->y(), 181);
    EXPECT_FALSE(w.tmrAnimate->isActive());

    // Up: the main frame stays disabled, the panel's own button works.
    EXPECT_FALSE(w.frMain->isEnabled());
    EXPECT_FALSE(w.cmdConvert->isEnabled());
    EXPECT_TRUE(w.cmdCloseHelp->isEnabled());
}

TEST_F(Shell, AboutPanelSlidesDownAndTheMainFrameComesBack)
{
    frmMain &w = Start();
    w.cmdAbout_Click();
    RunSlide();
    ASSERT_EQ(w.frAbout->Top(), 2715);

    w.cmdCloseHelp_Click();
    EXPECT_EQ(w.sMoveObject, frmMain::kMoveDown);
    EXPECT_EQ(w.lMoveStep, 500);
    EXPECT_EQ(w.lMoveInterval, 5);
    EXPECT_TRUE(w.tmrAnimate->isActive());
    for (int i = 1; i <= 11; ++i) {
        w.tmrAnimate_Timer();
        ASSERT_EQ(w.frAbout->Top(), 2715 + 500 * i);
        ASSERT_EQ(w.tmrAnimate->interval(), 5);
        ASSERT_FALSE(w.frMain->isEnabled()) << "tick " << i;
    }
    w.tmrAnimate_Timer(); // 8215 is out of the window: park it at the window's height
    EXPECT_EQ(w.frAbout->Top(), 8070);
    EXPECT_FALSE(w.tmrAnimate->isActive());
    EXPECT_TRUE(w.frMain->isEnabled());
    EXPECT_TRUE(w.cmdConvert->isEnabled());
    EXPECT_FALSE(w.Slider->isHidden());
}

TEST_F(Shell, CloseWhileRisingTurnsThePanelRound)
{
    frmMain &w = Start();
    w.cmdAbout_Click();
    for (int i = 0; i < 5; ++i)
        w.tmrAnimate_Timer();
    ASSERT_EQ(w.frAbout->Top(), 6570);
    w.cmdCloseHelp_Click();
    w.tmrAnimate_Timer();
    EXPECT_EQ(w.frAbout->Top(), 7070);
    EXPECT_EQ(RunSlide(), 3); // 7570, 8070, then parked
    EXPECT_EQ(w.frAbout->Top(), 8070);
    EXPECT_TRUE(w.frMain->isEnabled());

    // Idle again: the next About click starts a new slide.
    w.cmdAbout_Click();
    EXPECT_TRUE(w.tmrAnimate->isActive());
    EXPECT_EQ(w.lMoveStep, 300);
}

TEST_F(Shell, TheTimerItselfRunsTheSlides)
{
    frmMain &w = Start();
    w.show();
    QTest::mouseClick(w.cmdAbout, Qt::LeftButton);
    EXPECT_TRUE(w.tmrAnimate->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.tmrAnimate->isActive(); }, 20000));
    EXPECT_EQ(w.frAbout->Top(), 2715);
    QTest::mouseClick(w.cmdCloseHelp, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.frMain->isEnabled(); }, 20000));
    EXPECT_EQ(w.frAbout->Top(), 8070);
}

// Where Tab goes from the control that has the keyboard, round to that control again.
QStringList TabStops(QWidget *start)
{
    QStringList lsStops;
    start->setFocus(Qt::TabFocusReason);
    QWidget *focus = QApplication::focusWidget();
    for (int i = 0; i < 60 && focus != nullptr; ++i) {
        lsStops << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = QApplication::focusWidget();
        if (focus == start)
            break;
    }
    return lsStops;
}

TEST_F(Shell, TheKeyboardReachesOnlyTheControlsInSight)
{
    frmMain &w = Start();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.txtCVBitrate->setText("4000");

    // The parked panels' controls are out of Tab's way, and cannot be given the keyboard.
    EXPECT_EQ(TabStops(w.cmdAddVideoFile).join(' '),
              "cmdAddVideoFile cmdPlay cmdStop cmdStartSelect cmdEndSelect cmdDeleteSelect cmdChangeFormat "
              "optSameFolder txtOutPath cmdBrowse chkShutdown cmdConvert Slider");
    w.cmdDeleteSelect->setFocus();
    for (QWidget *parked : {static_cast<QWidget *>(w.cmdDefaults), static_cast<QWidget *>(w.cmbCategory),
                            static_cast<QWidget *>(w.cmdCloseHelp)}) {
        parked->setFocus();
        EXPECT_EQ(QApplication::focusWidget(), w.cmdDeleteSelect) << parked->objectName().toStdString();
    }
    // So Space works the control in sight, never "Restore Defaults".
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(w.txtCVBitrate->text(), "4000");

    // A panel that comes up takes the keyboard, and Tab stays among its controls...
    w.cmdChangeFormat->setFocus();
    QTest::keyClick(w.cmdChangeFormat, Qt::Key_Space);
    RunSlide();
    ASSERT_TRUE(w.frFormats->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(TabStops(QApplication::focusWidget()).join(' '),
              "optFormat cmbCategory cmbOutVCodec cmbOutFormat cmdDefaults cmdHide");
    // ... and gives it back to the main frame when it goes down.
    QTest::keyClick(w.cmdHide, Qt::Key_Space);
    RunSlide();
    EXPECT_EQ(QApplication::focusWidget(), w.cmdChangeFormat);
    EXPECT_FALSE(w.frFormats->isEnabled());
    EXPECT_EQ(w.frFormats->Top(), 8070);

    w.cmdAbout_Click();
    RunSlide();
    EXPECT_EQ(TabStops(QApplication::focusWidget()).join(' '), "cmdCloseHelp");
}

TEST(WindowPlace, TheTopLeftCornerStaysOnTheScreensAvailableArea)
{
    // Centred where the window fits.
    EXPECT_EQ(WindowPosition(QRect(0, 0, 1280, 1024), QSize(728, 538)), QPoint(276, 243));
    // Larger than the screen (the window at 2x scaling): at the corner, not at (-88,-26).
    EXPECT_EQ(WindowPosition(QRect(0, 0, 1280, 1024), QSize(1456, 1076)), QPoint(0, 0));
    // An area right of a dock and below a panel; wider only.
    EXPECT_EQ(WindowPosition(QRect(64, 32, 1216, 992), QSize(1456, 600)), QPoint(64, 228));
}

TEST_F(Shell, TheWindowIsPlacedOnItsScreen)
{
    frmMain &w = Start();
    PlaceOnScreen(w);
    const QRect available = w.screen()->availableGeometry();
    EXPECT_EQ(w.pos(), WindowPosition(available, w.frameGeometry().size()));
    EXPECT_TRUE(available.contains(w.frameGeometry().topLeft()));
}

TEST_F(Shell, APressOnTheMainFrameItselfMovesTheWindow)
{
    frmMain &w = Start();
    w.show();
    QSignalSpy mainPressed(w.frMain, &MyFrame::MouseDown);
    QTest::mousePress(w.frMain, Qt::RightButton, {}, QPoint(300, 12)); // the title band
    ASSERT_EQ(mainPressed.count(), 1);
    EXPECT_EQ(mainPressed[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    // Not through the work area or a label on it.
    QTest::mousePress(w.MyFrame1, Qt::LeftButton, {}, QPoint(200, 470));
    QTest::mousePress(w.Label9, Qt::LeftButton);
    EXPECT_EQ(mainPressed.count(), 1);
}

TEST_F(Shell, MinimizeButtonMinimizesTheWindow)
{
    frmMain &w = Start();
    w.show();
    QTest::mouseClick(w.cmdMinimize, Qt::LeftButton);
    EXPECT_TRUE(w.windowState().testFlag(Qt::WindowMinimized));
}

TEST_F(Shell, HelpOpensThePageBesideTheProgramAndSaysNothingWhenItIsMissing)
{
    frmMain &w = Start();
    UrlRecorder desktop;
    w.MyButton1_Click();
    EXPECT_TRUE(desktop.urls.isEmpty());
    EXPECT_TRUE(m_messages.Messages().isEmpty());

    WriteProgramFile(QStringLiteral("Help.html"), "<html></html>");
    w.show();
    QTest::mouseClick(w.MyButton1, Qt::LeftButton);
    ASSERT_EQ(desktop.urls.size(), 1);
    EXPECT_EQ(desktop.urls[0], QUrl::fromLocalFile(m_overrides.ProgramFile(QStringLiteral("Help.html"))));
}

TEST_F(Shell, TheLinksOpenTheirSites)
{
    frmMain &w = Start();
    UrlRecorder desktop;
    w.cmdAbout_Click();
    RunSlide();
    w.show();
    QTest::mouseClick(w.lblFFmpeg, Qt::LeftButton);
    QTest::mouseClick(w.lblWebSite, Qt::LeftButton);
    ASSERT_EQ(desktop.urls.size(), 2);
    EXPECT_EQ(desktop.urls[0].host(), QStringLiteral("ffmpeg.org"));
    EXPECT_EQ(desktop.urls[1].host(), w.lblWebSite->text());
}

TEST(HelpPage, LiesInTheProgramFolderOfTheBuild)
{
    QFile page(QStringLiteral(CLIPWRIGHT_BIN_DIR "/Help.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.contains("<title>Clipwright Help</title>"));
    EXPECT_TRUE(html.contains("Start Selection"));
}

#include "ShellTest.moc"
