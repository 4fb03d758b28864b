// The window shell: start-up, layout and theme, the title bar, the About panel and the sliding
// panel animation.
#include "ui/frmMain.h"

#include "common/AppPath.h"
#include "common/MessageBox.h"
#include "common/modFunctions.h"
#include "formats/PresetLists.h"
#include "formats/modCatalogues.h"
#include "platform/modNamedLock.h"
#include "slider/Slider.h"
#include "widgets/ComboList.h"
#include "widgets/Line.h"
#include "widgets/LinkLabel.h"
#include "widgets/MyButton.h"
#include "widgets/MyFrame.h"
#include "widgets/PictureBox.h"
#include "workflow/Twips.h"
#include "widgets/modControlColors.h"
#include "widgets/modPictures.h"
#include "workflow/modVersion.h"
#include "ui/modDisplayLoss.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QUrl>
#include <QWindow>

const QString frmMain::kEditFrameUp = QStringLiteral("EDIT_FRAME_UP");
const QString frmMain::kEditFrameDown = QStringLiteral("EDIT_FRAME_DOWN");
const QString frmMain::kMoveUp = QStringLiteral("Edit Frame 2 Up");
const QString frmMain::kMoveDown = QStringLiteral("Edit Frame 2 Down");
const QString frmMain::kMsgStopTaskFirst = QStringLiteral("Please Stop the running task first.");

namespace {
const QString kInstanceLockName = QStringLiteral("Orvantaclipwright");
const QString kHelpFile = QStringLiteral("/Help.html");
const QString kMsgNoHelpOpener = QStringLiteral("No program to open the help page was found: ");
const QString kFFmpegSite = QStringLiteral("https://ffmpeg.org/");
const QString kMakerSite = QStringLiteral("https://www.orvanta.example/");
// The controls that keep colours of their own when the theme is applied.
const QString kOwnColoursFrame = QStringLiteral("MyFrame1");
const QString kOwnColoursWebSite = QStringLiteral("lblWebSite");
const QString kOwnColoursFFmpeg = QStringLiteral("lblFFmpeg");

// The slide up: 300 twips per tick at 10 ms, halved (and the interval doubled) below 3100 twips
// while the step is above 100, and stopped at 2715 once the panel is above 2650.
constexpr int kUpStep = 300;
constexpr int kUpInterval = 10;
constexpr int kDownStep = 500;
constexpr int kDownInterval = 5;
constexpr int kSlowDownTop = 3100;
constexpr int kSlowDownMinStep = 100;
constexpr int kStopAboveTop = 2650;
constexpr int kRestingTop = 2715;
} // namespace

frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(kAppTitle);

    CreateMainFrame();
    CreateAboutPanel();
    CreateFormatPanel();
    // The panels slide over the main frame.
    frAbout->raise();
    frFormats->raise();
    ConnectShell();
    ConnectFormatPanel();
    ConnectPreview();
    ConnectSelection();
    ConnectTask();
    ConnectSettings();
    ConnectKeys();
    setWindowIcon(QIcon(LogoPicture(64, RGBColor(255, 192, 255), RGBColor(128, 0, 128))));

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::ConnectShell()
{
    connect(frMain, &MyFrame::MouseDown, this, &frmMain::frMain_MouseDown);
    connect(cmdMinimize, &MyButton::clicked, this, &frmMain::cmdMinimize_Click);
    connect(cmdClose, &MyButton::clicked, this, &frmMain::cmdClose_Click);
    connect(MyButton1, &MyButton::clicked, this, &frmMain::MyButton1_Click);
    connect(cmdAbout, &MyButton::clicked, this, &frmMain::cmdAbout_Click);
    connect(cmdCloseHelp, &MyButton::clicked, this, &frmMain::cmdCloseHelp_Click);
    connect(lblFFmpeg, &LinkLabel::Click, this, &frmMain::lblFFmpeg_Click);
    connect(lblWebSite, &LinkLabel::Click, this, &frmMain::lblWebSite_Click);
    connect(tmrAnimate, &QTimer::timeout, this, &frmMain::tmrAnimate_Timer);
}

void frmMain::Form_Load()
{
    bNoVideo = true;
    // Marks that a copy of the program runs; a second copy starts and runs all the same.
    CreateNamedLock(kInstanceLockName);
    InitWindow();
    // The catalogues fill the lists that the saved settings then choose from.
    LoadPresets(Catalogues, *cmbCategory);
    LoadCodecs(Catalogues, *cmbCVCodec, *cmbCACodec);
    LoadSettings();
}

void frmMain::InitWindow()
{
    frMain->setLeft(0);
    frMain->setTop(0);
    setFixedSize(frMain->size());

    const int lMainWidth = frMain->Width();
    const int lMainHeight = frMain->Height();
    frFormats->setTop(lMainHeight);
    frFormats->setLeft(RoundToInt((lMainWidth - frFormats->Width()) / 2.0));
    frAbout->setTop(lMainHeight);
    frAbout->setLeft(RoundToInt((lMainWidth - frAbout->Width()) / 2.0));
    // Out of sight is not out of reach: a parked panel's controls would still take the focus and
    // the keys (Space on "Restore Defaults" loses every saved choice). Parked, they are disabled.
    frFormats->setEnabled(false);
    frAbout->setEnabled(false);

    lblVer->setText(ProgramVersionText());

    ApplyTheme();
}

void frmMain::ApplyTheme()
{
    lColorLight = RGBColor(255, 192, 255);
    lColorMedium = RGBColor(255, 128, 255);
    lColorDark = RGBColor(128, 0, 128);
    lColorText = RGBColor(64, 0, 64);

    // Children in the order they were made, which is the window's control order.
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        const QString sName = control->objectName();
        if (sName.isEmpty() || sName.startsWith(QLatin1String("qt_")))
            continue; // the inner parts of Qt's own widgets
        if (auto *frame = qobject_cast<MyFrame *>(control)) {
            if (sName == kOwnColoursFrame)
                continue;
            frame->setBodyColorBottomLeft(lColorLight);
            frame->setBodyColorBottomRight(lColorMedium);
            frame->setBodyColorTopLeft(lColorLight);
            frame->setBorderColor(lColorDark);
            frame->setForeColor(lColorText);
            frame->setHeaderColorBottomLeft(lColorDark);
            frame->setHeaderColorTopLeft(lColorMedium);
        } else if (auto *button = qobject_cast<MyButton *>(control)) {
            button->setBackColor(lColorLight);
            button->setBackColorDisabled(lColorLight);
            button->setBackColorFocus(lColorLight);
            button->setBorderColor(lColorLight);
            button->setToolTipBackColor(lColorLight);
        } else if (qobject_cast<QLineEdit *>(control) || qobject_cast<ComboList *>(control)) {
            SetBackColor(control, lColorLight);
        } else if (qobject_cast<QLabel *>(control)) {
            if (sName == kOwnColoursWebSite || sName == kOwnColoursFFmpeg)
                continue;
            SetForeColor(control, lColorText);
        } else if (auto *line = qobject_cast<Line *>(control)) {
            line->setBorderColor(lColorText);
        }
    }
}

void frmMain::MoveFrame(const QString &sDirection)
{
    if (sDirection == kEditFrameUp) {
        lMoveStep = kUpStep;
        lMoveInterval = kUpInterval;
        sMoveObject = kMoveUp;
        UnparkPanel();
    } else if (sDirection == kEditFrameDown) {
        lMoveStep = kDownStep;
        lMoveInterval = kDownInterval;
        sMoveObject = kMoveDown;
    }
    tmrAnimate->start();
}

void frmMain::tmrAnimate_Timer()
{
    if (sMoveObject == kMoveUp)
        SlideFrameUp();
    else if (sMoveObject == kMoveDown)
        SlideFrameDown();
}

void frmMain::SlideFrameUp()
{
    tmrAnimate->setInterval(lMoveInterval);
    if (objMovingFrame == nullptr)
        return;
    UnparkPanel();
    const int lTop = objMovingFrame->Top();
    if (lTop < kStopAboveTop) {
        tmrAnimate->stop();
        objMovingFrame->setTop(kRestingTop);
        return;
    }
    if (lTop < kSlowDownTop && lMoveStep > kSlowDownMinStep) {
        lMoveStep = RoundToInt(lMoveStep / 2.0);
        lMoveInterval *= 2;
    }
    objMovingFrame->setTop(lTop - lMoveStep);
}

void frmMain::SlideFrameDown()
{
    tmrAnimate->setInterval(lMoveInterval);
    if (objMovingFrame == nullptr)
        return;
    const int lWindowHeight = PixelsToTwips(height());
    if (objMovingFrame->Top() < lWindowHeight) {
        objMovingFrame->setTop(objMovingFrame->Top() + lMoveStep);
        return;
    }
    tmrAnimate->stop();
    objMovingFrame->setTop(lWindowHeight);
    frMain->setEnabled(true);
    objMovingFrame->setEnabled(false);
    // The keyboard goes back to where it was before the panel came up.
    if (m_objMainFocus && m_objMainFocus->isEnabled() && m_objMainFocus->isVisible())
        m_objMainFocus->setFocus(Qt::OtherFocusReason);
    else
        FocusFirstControl(frMain);
    picVideoWindow->repaint();
    // Hiding and showing the slider makes it draw itself afresh.
    Slider->hide();
    Slider->show();
}

void frmMain::DragWindow(QWindow *hWnd)
{
    // The system moves the window with the mouse, as if its title bar had been grabbed.
    if (hWnd != nullptr)
        hWnd->startSystemMove();
}

void frmMain::frMain_MouseDown(Qt::MouseButton)
{
    DragWindow(windowHandle());
}

void frmMain::cmdMinimize_Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void frmMain::cmdClose_Click()
{
    if (bTaskRunning()) {
        MsgBox(kMsgStopTaskFirst, MsgIcon::Exclamation);
        return;
    }
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // A close asked for by the system (Alt+F4, the task bar) is never refused. A running task
    // would go on out of sight, so it ends here: its encoder first, then its unfinished file. So
    // does the check of a file being loaded, which may wait for data for ever.
    StopFileCheck();
    if (bTaskRunning())
        EndTaskForClose();
    SaveSettings();
    // The preview graph must not outlive the window (nor QApplication).
    ReleasePreview();
    DisarmDisplayLossEnd();
    event->accept();
}

void frmMain::MyButton1_Click()
{
    // A missing help page opens nothing and says nothing. A desktop without an opener (no
    // xdg-open) would otherwise leave the button dead with only a line on the terminal.
    const QString sHelp = AppPath() + kHelpFile;
    if (QFileInfo(sHelp).isFile() && !QDesktopServices::openUrl(QUrl::fromLocalFile(sHelp)))
        MsgBox(kMsgNoHelpOpener + sHelp, MsgIcon::Exclamation);
}

void frmMain::lblFFmpeg_Click()
{
    QDesktopServices::openUrl(QUrl(kFFmpegSite));
}

void frmMain::lblWebSite_Click()
{
    QDesktopServices::openUrl(QUrl(kMakerSite));
}

void frmMain::cmdAbout_Click()
{
    if (tmrAnimate->isActive())
        return;
    OpenPanel(frAbout);
}

void frmMain::OpenPanel(MyFrame *panel)
{
    m_objMainFocus = focusWidget();
    objMovingFrame = panel;
    frMain->setEnabled(false);
    MoveFrame(kEditFrameUp);
}

void frmMain::UnparkPanel()
{
    if (objMovingFrame == nullptr || objMovingFrame->isEnabled())
        return;
    objMovingFrame->setEnabled(true);
    FocusFirstControl(objMovingFrame);
}

void frmMain::FocusFirstControl(QWidget *area)
{
    // Children in the order they were made, which is the order Tab follows. Of a group of
    // option buttons, Tab reaches the one that is set.
    const QList<QWidget *> controls = area->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        const auto *option = qobject_cast<QRadioButton *>(control);
        if ((control->focusPolicy() & Qt::TabFocus) && control->isEnabled() && control->isVisibleTo(area) &&
            (option == nullptr || option->isChecked())) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void frmMain::cmdCloseHelp_Click()
{
    MoveFrame(kEditFrameDown);
}
