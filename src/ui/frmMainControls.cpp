// The window's controls and where they sit. Positions are pixels inside the parent control.
#include "ui/frmMain.h"

#include "widgets/QtColour.h"
#include "settings/modSettings.h"
#include "slider/Slider.h"
#include "slider/modSliderLayout.h"
#include "widgets/ComboList.h"
#include "widgets/Line.h"
#include "widgets/LinkLabel.h"
#include "widgets/MyButton.h"
#include "widgets/MyFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/modControlColors.h"
#include "workflow/modFormatLists.h"
#include "widgets/modPictures.h"
#include "ui/modCaptions.h"
#include "common/MessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>

namespace {
// Title bar and work area.
const QString kCaptionMain = QStringLiteral("Clipwright ");
const QString kTipMinimize = QStringLiteral("Minimize");
const QString kTipClose = QStringLiteral("Close");
const QString kTipHelp = QStringLiteral("Help");
const QString kTipAbout = QStringLiteral("About");
const QString kCaptionWorkArea = QStringLiteral("Three Easy Steps to cut your video files");
const QString kCaptionStep1 = QStringLiteral("1");
const QString kCaptionStep1Text = QStringLiteral("  - Insert Video file and mark for cut");
const QString kCaptionStep2 = QStringLiteral("2");
const QString kCaptionStep2Text = QStringLiteral("  - Select Output Folder and Format");
const QString kCaptionStep3 = QStringLiteral("3");
const QString kCaptionStep3Text = QStringLiteral("- Start the task");

// Step 1.
const QString kCaptionAddVideoFile = QStringLiteral("Load Video File ...");
const QString kCaptionStartSelect = QStringLiteral("Start Selection ");
const QString kCaptionEndSelect = QStringLiteral("End Selection");
const QString kCaptionDeleteSelect = QStringLiteral("Reset Selection");
const QString kCaptionTime = QStringLiteral("00:00.00/00:00.00");
const QString kCaptionSelectMark = QStringLiteral("00:00:00");

// Step 2.
const QString kCaptionOutputFormat = QStringLiteral("Output Format:");
const QString kCaptionChangeFormat = QStringLiteral("Change...");
const QString kTipChangeFormat = QStringLiteral("Change output format");
const QString kCaptionOutputFolder = QStringLiteral("Output Folder:");
const QString kCaptionSameFolder = QStringLiteral("Same folder as input file");
const QString kCaptionOtherFolder = QStringLiteral("Other folder");
// The output folder's design text: the user's Videos (or home) folder with this below it.
const QString kOutputFolderName = QStringLiteral("Output Video");
const QString kCaptionBrowse = QStringLiteral("Browse...");

// Step 3.
const QString kCaptionShutdown = QStringLiteral("Shutdown after task complete");

// The About panel.
const QString kCaptionAbout = QStringLiteral("About");
const QString kCaptionCloseHelp = QStringLiteral("Close");
const QString kCaptionMaker = QStringLiteral("Orvanta");
const QString kCaptionDescription =
    QStringLiteral("Clipwright is an easy to use tool to extract a part of your video files to various video formats.");
const QString kCaptionUsing = QStringLiteral("Clipwright is using ");
const QString kCaptionFFmpeg = QStringLiteral("FFmpeg");
const QString kCaptionWebSite = QStringLiteral("www.orvanta.example");
const QString kCaptionVersion = QStringLiteral("1.0.0.0");

// The format panel.
const QString kCaptionFormats = QStringLiteral("Output Video Formats");
const QString kCaptionPresets = QStringLiteral("Presets");
const QString kCaptionCustom = QStringLiteral("Custom (Advanced)");
const QString kCaptionCategory = QStringLiteral("Output Category:");
const QString kCaptionVideoCodec = QStringLiteral("Output Video Codec:");
const QString kCaptionFileFormat = QStringLiteral("Output File Format (Container):");
const QString kCaptionVideoOptions = QStringLiteral("Output Video Options");
const QString kCaptionAudioOptions = QStringLiteral("Output Audio Options");
const QString kCaptionContainer = QStringLiteral("Output Format(Container):");
const QString kCaptionBitrate = QStringLiteral("Bitrate:");
const QString kCaptionKbps = QStringLiteral("kbps");
const QString kCaptionVideoSize = QStringLiteral("Video Size:");
const QString kCaptionFrameRate = QStringLiteral("Frame rate:");
const QString kCaptionFps = QStringLiteral("fps");
const QString kCaptionAspect = QStringLiteral("Aspect Ratio:");
const QString kCaptionAudioCodec = QStringLiteral("Output Audio Codec:");
const QString kCaptionSamplingRate = QStringLiteral("Sampling Rate:");
const QString kCaptionChannels = QStringLiteral("Channels:");
const QString kTextVideoBitrate = QStringLiteral("196");
const QString kTextFrameRate = QStringLiteral("25");
const QString kTextAudioBitrate = QStringLiteral("64");
const QString kTextChannels = QStringLiteral("2");
const QString kCaptionHide = QStringLiteral("Save && Close");
const QString kCaptionDefaults = QStringLiteral("Restore Defaults");

// Design sizes in pixels (15 twips each): frMain 10920 x 8070, frAbout 7245 x 3690,
// frFormats 8280 x 4350 and the preview 4770 x 2835.
constexpr QSize kMainSize(728, 538);
constexpr QSize kAboutSize(483, 246);
constexpr QSize kFormatsSize(552, 290);
constexpr QSize kPreviewSize(318, 189);

constexpr int kPreviewTimerMs = 1000;
constexpr int kAnimateTimerMs = 10;

// The design-time look of controls the theme does not colour.
constexpr OleColor kInk = RGBColor(64, 0, 64);
constexpr OleColor kLinkInk = RGBColor(96, 32, 192);
constexpr OleColor kButtonFace = RGBColor(255, 192, 255);

constexpr int kBaseFontPixels = 11;

template <class T>
T *Place(T *control, const char *szName, const QRect &geometry)
{
    control->setObjectName(QString::fromLatin1(szName));
    control->setGeometry(geometry);
    return control;
}

QLabel *MakeLabel(QWidget *parent, const char *szName, const QString &sCaption, const QRect &geometry,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = Place(new QLabel(sCaption, parent), szName, geometry);
    label->setAlignment(align);
    return label;
}

QLabel *MakeHeading(QWidget *parent, const char *szName, const QString &sCaption, const QRect &geometry)
{
    QLabel *label = MakeLabel(parent, szName, sCaption, geometry);
    QFont heading = label->font();
    heading.setBold(true);
    heading.setPixelSize(12);
    label->setFont(heading);
    return label;
}

// The big step number of a heading.
QLabel *MakeStepNumber(QWidget *parent, const char *szName, const QString &sCaption, const QRect &geometry)
{
    QLabel *label = MakeLabel(parent, szName, sCaption, geometry, Qt::AlignCenter);
    QFont number = label->font();
    number.setBold(true);
    number.setPixelSize(22);
    label->setFont(number);
    return label;
}

MyButton *MakeButton(QWidget *parent, const char *szName, const QString &sCaption, const QRect &geometry)
{
    auto *button = Place(new MyButton(parent), szName, geometry);
    button->setCaption(sCaption);
    button->setForeColor(kInk);
    return button;
}

MyButton *MakePictureButton(QWidget *parent, const char *szName, const QPainterPath &picture,
                            const QString &sToolTip, const QRect &geometry)
{
    auto *button = Place(new MyButton(parent), szName, geometry);
    button->setPicture(picture);
    button->setToolTip(sToolTip);
    button->setForeColor(kInk);
    // Title-bar buttons do not take the keyboard focus away from the work area.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

MyFrame *MakeFrame(QWidget *parent, const char *szName, const QString &sCaption, const QRect &geometry)
{
    auto *frame = Place(new MyFrame(parent), szName, geometry);
    frame->setCaption(sCaption);
    return frame;
}

ComboList *MakeList(QWidget *parent, const char *szName, const QRect &geometry,
                    const QStringList &items = QStringList())
{
    auto *list = Place(new ComboList(parent), szName, geometry);
    for (const QString &sItem : items)
        list->AddItem(sItem);
    return list;
}

QLineEdit *MakeTextBox(QWidget *parent, const char *szName, const QString &sText, const QRect &geometry)
{
    auto *box = Place(new QLineEdit(sText, parent), szName, geometry);
    SetForeColor(box, kInk);
    return box;
}

template <class T>
T *MakeChoice(QWidget *parent, const char *szName, const QString &sCaption, const QRect &geometry)
{
    auto *choice = Place(new T(sCaption, parent), szName, geometry);
    SetForeColor(choice, kInk);
    return choice;
}

// A sliding panel casts a soft shadow on the window under it.
void AddShadow(QWidget *panel)
{
    auto *shadow = new QGraphicsDropShadowEffect(panel);
    shadow->setBlurRadius(24);
    shadow->setOffset(0, 4);
    shadow->setColor(QColor(64, 0, 64, 150));
    panel->setGraphicsEffect(shadow);
}

QTimer *MakeTimer(QObject *parent, const char *szName, int iInterval)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(szName));
    timer->setInterval(iInterval);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}
} // namespace

void frmMain::CreateMainFrame()
{
    QFont base(QStringLiteral("DejaVu Sans"));
    base.setPixelSize(kBaseFontPixels);
    setFont(base);

    frMain = MakeFrame(this, "frMain", kCaptionMain, QRect(QPoint(0, 0), kMainSize));
    frMain->setHeaderHeight(32);
    frMain->setCaptionIndent(34);
    // The title logo lies over the main frame rather than on it, so that it keeps its colours
    // while the frame is disabled; a press on it still reaches the frame and moves the window.
    Image2 = Place(new QLabel(this), "Image2", QRect(9, 6, 20, 20));
    Image2->setPixmap(LogoPicture(20, RGBColor(255, 192, 255), RGBColor(128, 0, 128)));
    Image2->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont title = base;
    title.setPixelSize(14);
    frMain->setFont(title);
    // The children of the main frame keep the base font; only its caption is larger.
    cmdClose = MakePictureButton(frMain, "cmdClose", ClosePicture(), kTipClose, QRect(698, 5, 22, 22));
    cmdMinimize = MakePictureButton(frMain, "cmdMinimize", MinimizePicture(), kTipMinimize, QRect(672, 5, 22, 22));
    MyButton1 = MakePictureButton(frMain, "MyButton1", HelpPicture(), kTipHelp, QRect(638, 5, 22, 22));
    cmdAbout = MakePictureButton(frMain, "cmdAbout", AboutPicture(), kTipAbout, QRect(612, 5, 22, 22));
    for (MyButton *button : {cmdClose, cmdMinimize, MyButton1, cmdAbout})
        button->setFont(base);

    CreateWorkArea();

    tmrVideo = MakeTimer(this, "tmrVideo", kPreviewTimerMs);
    tmrAnimate = MakeTimer(this, "tmrAnimate", kAnimateTimerMs);
}

void frmMain::CreateWorkArea()
{
    MyFrame1 = MakeFrame(frMain, "MyFrame1", kCaptionWorkArea, QRect(10, 42, 708, 486));
    MyFrame1->setFont(font());
    // The work area keeps colours of its own: a near-white card under a deep header.
    MyFrame1->setBodyColorTopLeft(RGBColor(255, 250, 255));
    MyFrame1->setBodyColorBottomLeft(RGBColor(252, 240, 252));
    MyFrame1->setBodyColorBottomRight(RGBColor(247, 224, 247));
    MyFrame1->setBorderColor(RGBColor(150, 60, 150));
    MyFrame1->setForeColor(RGBColor(64, 0, 64));
    MyFrame1->setHeaderColorTopLeft(RGBColor(176, 72, 176));
    MyFrame1->setHeaderColorBottomLeft(RGBColor(112, 16, 112));
    MyFrame1->setHeaderHeight(26);

    // Step 1: the preview and the selection, on the left.
    Label26 = MakeStepNumber(MyFrame1, "Label26", kCaptionStep1, QRect(12, 36, 24, 30));
    Label9 = MakeHeading(MyFrame1, "Label9", kCaptionStep1Text, QRect(32, 41, 314, 20));

    MyFrame3 = MakeFrame(MyFrame1, "MyFrame3", QString(), QRect(12, 74, 334, 258));
    picVideoWindow = Place(new PictureBox(MyFrame3), "picVideoWindow", QRect(QPoint(8, 8), kPreviewSize));
    Slider = CreateMainSlider(MyFrame3);
    Slider->move(10, 205);
    lblTime = MakeLabel(MyFrame3, "lblTime", kCaptionTime, QRect(10, 230, 314, 20), Qt::AlignCenter);
    QFont timeFont = lblTime->font();
    timeFont.setBold(true);
    lblTime->setFont(timeFont);

    cmdAddVideoFile = MakeButton(MyFrame1, "cmdAddVideoFile", kCaptionAddVideoFile, QRect(12, 346, 154, 32));
    cmdPlay = MakeButton(MyFrame1, "cmdPlay", kCaptionPlay, QRect(172, 346, 84, 32));
    cmdStop = MakeButton(MyFrame1, "cmdStop", kCaptionStop, QRect(262, 346, 84, 32));
    cmdStartSelect = MakeButton(MyFrame1, "cmdStartSelect", kCaptionStartSelect, QRect(12, 392, 108, 32));
    cmdEndSelect = MakeButton(MyFrame1, "cmdEndSelect", kCaptionEndSelect, QRect(125, 392, 108, 32));
    cmdDeleteSelect = MakeButton(MyFrame1, "cmdDeleteSelect", kCaptionDeleteSelect, QRect(238, 392, 108, 32));
    lblStartSelect = MakeLabel(MyFrame1, "lblStartSelect", kCaptionSelectMark, QRect(12, 430, 108, 20), Qt::AlignCenter);
    lblEndSelect = MakeLabel(MyFrame1, "lblEndSelect", kCaptionSelectMark, QRect(125, 430, 108, 20), Qt::AlignCenter);
    for (QLabel *mark : {lblStartSelect, lblEndSelect}) {
        mark->setFrameShape(QFrame::StyledPanel);
        mark->setAutoFillBackground(true);
        SetBackColor(mark, RGBColor(255, 255, 255));
    }

    // Step 2: the output format and folder, on the right.
    Label3 = MakeStepNumber(MyFrame1, "Label3", kCaptionStep2, QRect(364, 36, 24, 30));
    Label4 = MakeHeading(MyFrame1, "Label4", kCaptionStep2Text, QRect(384, 41, 312, 20));
    Label8 = MakeHeading(MyFrame1, "Label8", kCaptionOutputFormat, QRect(374, 78, 200, 18));
    lblFormat = MakeLabel(MyFrame1, "lblFormat", QString(), QRect(374, 100, 322, 48), Qt::AlignLeft | Qt::AlignTop);
    lblFormat->setTextFormat(Qt::PlainText);
    lblFormat->setWordWrap(true);
    lblFormat->setMargin(5);
    lblFormat->setFrameShape(QFrame::StyledPanel);
    lblFormat->setAutoFillBackground(true);
    SetBackColor(lblFormat, RGBColor(255, 255, 255));
    cmdChangeFormat = MakeButton(MyFrame1, "cmdChangeFormat", kCaptionChangeFormat, QRect(596, 154, 100, 28));
    cmdChangeFormat->setToolTip(kTipChangeFormat);

    Line2 = Place(new Line(MyFrame1), "Line2", QRect(374, 192, 322, 3));
    Label5 = MakeHeading(MyFrame1, "Label5", kCaptionOutputFolder, QRect(374, 202, 200, 18));
    optSameFolder = MakeChoice<QRadioButton>(MyFrame1, "optSameFolder", kCaptionSameFolder, QRect(384, 226, 300, 20));
    optOtherFolder = MakeChoice<QRadioButton>(MyFrame1, "optOtherFolder", kCaptionOtherFolder, QRect(384, 248, 300, 20));
    optOtherFolder->setChecked(true);
    txtOutPath = MakeTextBox(MyFrame1, "txtOutPath", QDir(UserVideosFolder()).filePath(kOutputFolderName),
                             QRect(384, 276, 218, 26));
    cmdBrowse = MakeButton(MyFrame1, "cmdBrowse", kCaptionBrowse, QRect(608, 275, 88, 28));

    // Step 3: the task, below step 2.
    Line3 = Place(new Line(MyFrame1), "Line3", QRect(374, 318, 322, 3));
    Label7 = MakeStepNumber(MyFrame1, "Label7", kCaptionStep3, QRect(364, 328, 24, 30));
    Label6 = MakeHeading(MyFrame1, "Label6", kCaptionStep3Text, QRect(392, 333, 300, 20));
    chkShutdown = MakeChoice<QCheckBox>(MyFrame1, "chkShutdown", kCaptionShutdown, QRect(384, 368, 240, 20));
    cmdConvert = MakeButton(MyFrame1, "cmdConvert", kCaptionStart, QRect(576, 400, 120, 50));
    QFont convertFont = cmdConvert->font();
    convertFont.setBold(true);
    convertFont.setPixelSize(14);
    cmdConvert->setFont(convertFont);
    lblProgress = MakeLabel(MyFrame1, "lblProgress", kCaptionProgress, QRect(384, 404, 180, 18));
    progress = Place(new QProgressBar(MyFrame1), "progress", QRect(384, 426, 180, 22));
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setTextVisible(true);
    QPalette bar = progress->palette();
    bar.setColor(QPalette::Highlight, ToQColor(RGBColor(160, 48, 160)));
    bar.setColor(QPalette::Base, Qt::white);
    progress->setPalette(bar);
    // The task display appears with the first task.
    lblProgress->hide();
    progress->hide();
}

void frmMain::CreateAboutPanel()
{
    frAbout = MakeFrame(this, "frAbout", kCaptionAbout, QRect(QPoint(0, kMainSize.height()), kAboutSize));
    frAbout->setHeaderHeight(26);
    AddShadow(frAbout);

    Image1 = Place(new QLabel(frAbout), "Image1", QRect(22, 46, 72, 72));
    Image1->setPixmap(LogoPicture(72, RGBColor(255, 192, 255), RGBColor(128, 0, 128)));

    Label38 = MakeLabel(frAbout, "Label38", kAppTitle, QRect(112, 40, 220, 32));
    QFont product = Label38->font();
    product.setBold(true);
    product.setPixelSize(24);
    Label38->setFont(product);
    lblVer = MakeLabel(frAbout, "lblVer", kCaptionVersion, QRect(332, 48, 130, 20), Qt::AlignRight | Qt::AlignVCenter);
    Label37 = MakeLabel(frAbout, "Label37", kCaptionMaker, QRect(113, 72, 220, 18));
    QFont maker = Label37->font();
    maker.setItalic(true);
    Label37->setFont(maker);

    Line1 = Place(new Line(frAbout), "Line1", QRect(112, 96, 350, 3));
    Label39 = MakeLabel(frAbout, "Label39", kCaptionDescription, QRect(112, 104, 350, 40), Qt::AlignLeft | Qt::AlignTop);
    Label39->setWordWrap(true);

    Label27 = MakeLabel(frAbout, "Label27", kCaptionUsing, QRect(112, 152, 150, 18));
    Label27->adjustSize();
    Label27->setFixedHeight(18);
    lblFFmpeg = Place(new LinkLabel(kCaptionFFmpeg, frAbout), "lblFFmpeg", QRect(112 + Label27->width(), 152, 80, 18));
    lblWebSite = Place(new LinkLabel(kCaptionWebSite, frAbout), "lblWebSite", QRect(112, 174, 220, 18));
    for (QLabel *link : {static_cast<QLabel *>(lblFFmpeg), static_cast<QLabel *>(lblWebSite)}) {
        SetForeColor(link, kLinkInk);
        link->adjustSize();
    }

    cmdCloseHelp = MakeButton(frAbout, "cmdCloseHelp", kCaptionCloseHelp, QRect(382, 206, 86, 28));
}

void frmMain::CreateFormatPanel()
{
    frFormats = MakeFrame(this, "frFormats", kCaptionFormats, QRect(QPoint(0, kMainSize.height()), kFormatsSize));
    frFormats->setHeaderHeight(26);
    AddShadow(frFormats);

    optFormat[0] = MakeChoice<QRadioButton>(frFormats, "optFormat", kCaptionPresets, QRect(18, 32, 110, 20));
    optFormat[1] = MakeChoice<QRadioButton>(frFormats, "optFormat", kCaptionCustom, QRect(134, 32, 180, 20));
    // An array of controls: both carry the one name, told apart by their index.
    for (int i = 0; i < 2; ++i)
        optFormat[i]->setProperty("Index", i);
    optFormat[0]->setChecked(true);

    for (int i = 0; i < 2; ++i) {
        frFormat[i] = MakeFrame(frFormats, "frFormat", QString(), QRect(10, 56, 532, 192));
        frFormat[i]->setProperty("Index", i);
    }
    CreatePresetFrame(frFormat[0]);
    CreateCustomFrame(frFormat[1]);
    frFormat[1]->hide();
    frFormat[0]->raise();

    cmdDefaults = MakeButton(frFormats, "cmdDefaults", kCaptionDefaults, QRect(10, 255, 130, 28));
    cmdHide = MakeButton(frFormats, "cmdHide", kCaptionHide, QRect(422, 255, 120, 28));
    QFont bold = cmdHide->font();
    bold.setBold(true);
    cmdHide->setFont(bold);
}

void frmMain::CreatePresetFrame(MyFrame *frame)
{
    constexpr int kLabelX = 24;
    constexpr int kListX = 230;
    constexpr int kListWidth = 280;
    Label10 = MakeLabel(frame, "Label10", kCaptionCategory, QRect(kLabelX, 28, 200, 26));
    cmbCategory = MakeList(frame, "cmbCategory", QRect(kListX, 28, kListWidth, 26));
    Label11 = MakeLabel(frame, "Label11", kCaptionVideoCodec, QRect(kLabelX, 76, 200, 26));
    cmbOutVCodec = MakeList(frame, "cmbOutVCodec", QRect(kListX, 76, kListWidth, 26));
    Label12 = MakeLabel(frame, "Label12", kCaptionFileFormat, QRect(kLabelX, 124, 200, 26));
    cmbOutFormat = MakeList(frame, "cmbOutFormat", QRect(kListX, 124, kListWidth, 26));
}

void frmMain::CreateCustomFrame(MyFrame *frame)
{
    frVideoOptions = MakeFrame(frame, "frVideoOptions", kCaptionVideoOptions, QRect(6, 6, 306, 180));
    frAudioOptions = MakeFrame(frame, "frAudioOptions", kCaptionAudioOptions, QRect(318, 6, 208, 180));
    for (MyFrame *group : {frVideoOptions, frAudioOptions})
        group->setHeaderHeight(21);

    // Video options: a label column and a field column, six rows.
    constexpr int kRow = 25;
    constexpr int kTop = 29;
    constexpr int kLabelX = 8;
    constexpr int kLabelWidth = 146;
    constexpr int kFieldX = 156;
    constexpr int kFieldWidth = 142;
    constexpr int kHeight = 22;
    auto row = [&](int i) { return kTop + i * kRow; };
    QWidget *video = frVideoOptions;
    Label13 = MakeLabel(video, "Label13", kCaptionContainer, QRect(kLabelX, row(0), kLabelWidth, kHeight));
    cmbCustContainer = MakeList(video, "cmbCustContainer", QRect(kFieldX, row(0), kFieldWidth, kHeight), ContainerItems());
    Label14 = MakeLabel(video, "Label14", kCaptionVideoCodec, QRect(kLabelX, row(1), kLabelWidth, kHeight));
    cmbCVCodec = MakeList(video, "cmbCVCodec", QRect(kFieldX, row(1), kFieldWidth, kHeight));
    Label15 = MakeLabel(video, "Label15", kCaptionBitrate, QRect(kLabelX, row(2), kLabelWidth, kHeight));
    txtCVBitrate = MakeTextBox(video, "txtCVBitrate", kTextVideoBitrate, QRect(kFieldX, row(2), 60, kHeight));
    Label16 = MakeLabel(video, "Label16", kCaptionKbps, QRect(kFieldX + 66, row(2), 60, kHeight));
    Label17 = MakeLabel(video, "Label17", kCaptionVideoSize, QRect(kLabelX, row(3), kLabelWidth, kHeight));
    cmbCVSize = MakeList(video, "cmbCVSize", QRect(kFieldX, row(3), kFieldWidth, kHeight), VideoSizeItems());
    Label18 = MakeLabel(video, "Label18", kCaptionFrameRate, QRect(kLabelX, row(4), kLabelWidth, kHeight));
    txtFrameRate = MakeTextBox(video, "txtFrameRate", kTextFrameRate, QRect(kFieldX, row(4), 60, kHeight));
    Label19 = MakeLabel(video, "Label19", kCaptionFps, QRect(kFieldX + 66, row(4), 60, kHeight));
    Label20 = MakeLabel(video, "Label20", kCaptionAspect, QRect(kLabelX, row(5), kLabelWidth, kHeight));
    cmbCVAspect = MakeList(video, "cmbCVAspect", QRect(kFieldX, row(5), kFieldWidth, kHeight), AspectItems());

    // Audio options: each label above its field, four pairs.
    constexpr int kPair = 38;
    constexpr int kAudioWidth = 192;
    auto label = [&](int i) { return kTop - 2 + i * kPair; };
    QWidget *audio = frAudioOptions;
    Label21 = MakeLabel(audio, "Label21", kCaptionAudioCodec, QRect(kLabelX, label(0), kAudioWidth, 14));
    cmbCACodec = MakeList(audio, "cmbCACodec", QRect(kLabelX, label(0) + 14, kAudioWidth, kHeight));
    Label22 = MakeLabel(audio, "Label22", kCaptionBitrate, QRect(kLabelX, label(1), kAudioWidth, 14));
    txtCABirate = MakeTextBox(audio, "txtCABirate", kTextAudioBitrate, QRect(kLabelX, label(1) + 14, 60, kHeight));
    Label23 = MakeLabel(audio, "Label23", kCaptionKbps, QRect(kLabelX + 66, label(1) + 14, 60, kHeight));
    Label24 = MakeLabel(audio, "Label24", kCaptionSamplingRate, QRect(kLabelX, label(2), kAudioWidth, 14));
    cmbCASmapleRate = MakeList(audio, "cmbCASmapleRate", QRect(kLabelX, label(2) + 14, kAudioWidth, kHeight),
                               SamplingRateItems());
    Label25 = MakeLabel(audio, "Label25", kCaptionChannels, QRect(kLabelX, label(3), kAudioWidth, 14));
    txtChannels = MakeTextBox(audio, "txtChannels", kTextChannels, QRect(kLabelX, label(3) + 14, 60, kHeight));

    // The fixed lists show their first item until the saved settings choose.
    for (ComboList *list : {cmbCustContainer, cmbCVSize, cmbCVAspect, cmbCASmapleRate})
        list->setCurrentIndex(0);
}
