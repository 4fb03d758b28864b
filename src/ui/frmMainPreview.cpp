// The preview half of the window: choosing or dropping a video, the check by the encoder, the
// preview graph, Play/Pause and Stop, the position timer and the seek on the slider's release.
#include "ui/frmMain.h"

#include "common/MessageBox.h"
#include "common/RunTimeError.h"
#include "common/modFunctions.h"
#include "engine/CVideoConv.h"
#include "slider/Slider.h"
#include "widgets/FileDropTarget.h"
#include "widgets/MyButton.h"
#include "widgets/PictureBox.h"
#include "workflow/Twips.h"
#include "preview/VideoPreview.h"
#include "ui/modDialog.h"
#include "workflow/modVideoFiles.h"
#include "ui/modCaptions.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <cmath>

namespace {
const QString kTitleSelectVideo = QStringLiteral("Select a video file");
const QString kMsgNotSupported = QStringLiteral("File is not supported");
const QString kMsgNameNotText =
    QStringLiteral("The name of this file cannot be read as text: it is written in another character set "
                   "than this system's. The file itself may be fine; please rename it and load it again.");
const QString kCaptionPause = QStringLiteral("Pause");
const QString kTimeCleared = QStringLiteral("00:00/00:00");
const QString kTimeAtStart = QStringLiteral("00:00:00/");
const QChar kTimeSeparator = QLatin1Char('/');

// The classic style of the video window: WS_CLIPCHILDREN | WS_CLIPSIBLINGS (0x06000000).
constexpr std::int32_t kVideoWindowStyle = VideoPreview::kWindowStyleClipChildren |
                                           VideoPreview::kWindowStyleClipSiblings;
constexpr double kNormalRate = 1.0;
constexpr double kStartPosition = 0.0;

// A step of building the preview failed for another reason than not being implemented (such a
// step is passed over): the file is given up.
class LoadFailed {};

void Check(PreviewResult result)
{
    if (result == PreviewResult::Failed)
        throw LoadFailed();
}

// Seconds from the graph to whole seconds, halves to even; a value beyond whole seconds' range
// is a failure of the step that read it.
WholeSeconds ToWholeSeconds(double dSeconds)
{
    return RoundToInt(dSeconds);
}

// The graph's duration, or the length of the streams where the file check had to read one.
PreviewResult Duration(VideoPreview &graph, double dStreamDuration, double &dDuration)
{
    const PreviewResult result = graph.GetDuration(dDuration);
    if (dStreamDuration > 0.0 && result != PreviewResult::Failed)
        dDuration = dStreamDuration;
    return result;
}
} // namespace

void frmMain::ConnectPreview()
{
    connect(cmdAddVideoFile, &MyButton::clicked, this, &frmMain::cmdAddVideoFile_Click);
    connect(cmdPlay, &MyButton::clicked, this, &frmMain::cmdPlay_Click);
    connect(cmdStop, &MyButton::clicked, this, &frmMain::cmdStop_Click);
    connect(tmrVideo, &QTimer::timeout, this, &frmMain::tmrVideo_Timer);
    connect(Slider, &Slider::MouseUp, this, &frmMain::Slider_MouseUp);
    auto *dropTarget = new FileDropTarget(picVideoWindow);
    connect(dropTarget, &FileDropTarget::Dropped, this, &frmMain::picVideoWindow_OLEDragDrop);
}

QString frmMain::SelectVideoFile()
{
    return ShowOpenDialog(this, VideoFileFilters(), kTitleSelectVideo, true);
}

void frmMain::cmdAddVideoFile_Click()
{
    const QString sFile = SelectVideoFile();
    if (sFile.isEmpty())
        return;
    OpenVideo(sFile);
}

void frmMain::picVideoWindow_OLEDragDrop(const QStringList &lsFiles)
{
    if (lsFiles.isEmpty() || !HasVideoExtension(lsFiles.first()))
        return;
    // Loading would hide the running task's progress under a new preview.
    if (bTaskRunning()) {
        MsgBox(kMsgStopTaskFirst, MsgIcon::Exclamation);
        return;
    }
    OpenVideo(lsFiles.first());
}

void frmMain::OpenVideo(const QString &sFile)
{
    // The newest load wins: a check still running belongs to an older load.
    StopFileCheck();
    const unsigned iLoad = m_iLoads;
    cmdStop_Click();
    bNoVideo = true;
    lblTime->setText(kTimeCleared);
    Slider->setValue(0);
    Slider->setSelectEnd(0);
    Slider->setSelectStart(0);
    lblStartSelect->setText(kMarkCleared);
    lblEndSelect->setText(kMarkCleared);
    lblProgress->hide();
    progress->setValue(0);
    progress->hide();
    sVideoFile = sFile;

    // Neither the check nor the preview could find the file: say what is wrong with it.
    if (IsNameNotText(sFile)) {
        MsgBox(kMsgNameNotText, MsgIcon::Exclamation);
        return;
    }

    // A job of its own for the check; it pumps the event loop, so it is released later.
    auto *objCheck = new CVideoConv(this);
    m_objFileCheck = objCheck;
    const bool bSupported = objCheck->IsFileSupported(sFile);
    // A newer load or the window's close stopped this check (and deleted it): what the window
    // shows now is theirs.
    if (iLoad != m_iLoads)
        return;
    m_objFileCheck = nullptr;
    m_dStreamDuration = objCheck->StreamDuration();
    objCheck->deleteLater();
    if (!bSupported) {
        MsgBox(kMsgNotSupported, MsgIcon::Exclamation);
        return;
    }
    LoadVideo(sFile);
    Slider->setSliderEnabled(true);
}

void frmMain::StopFileCheck()
{
    ++m_iLoads;
    // Deleting the job ends and reaps its encoder at once, even one that never writes; the
    // check's call then returns without touching it.
    delete m_objFileCheck.data();
}

void frmMain::LoadVideo(const QString &sFile)
{
    try {
        objMediaControl.reset();
        objBasicAudio.reset();
        objMediaPosition.reset();

        objMediaControl = NewVideoPreview();
        Check(objMediaControl->RenderFile(sFile));

        objBasicAudio = objMediaControl;
        Check(objBasicAudio->PutVolume(VideoPreview::kVolumeFull));
        Check(objBasicAudio->PutBalance(VideoPreview::kBalanceCentre));

        // The old graph, which kept its picture until now, is released here.
        objVideoWindow = objMediaControl;
        Check(objVideoWindow->PutTop(0));
        Check(objVideoWindow->PutWindowStyle(kVideoWindowStyle));
        Check(objVideoWindow->PutLeft(0));
        // The picture fills the preview area; the video's aspect ratio is not kept.
        Check(objVideoWindow->PutHeight(TwipsToPixels(PixelsToTwips(picVideoWindow->height()))));
        Check(objVideoWindow->PutWidth(TwipsToPixels(PixelsToTwips(picVideoWindow->width()))));
        Check(objVideoWindow->PutOwner(picVideoWindow));

        objMediaPosition = objMediaControl;
        Check(objVideoWindow->HideCursor(false));

        Check(objMediaPosition->PutRate(kNormalRate));

        double dDuration = 0.0;
        Check(Duration(*objMediaPosition, m_dStreamDuration, dDuration));
        Slider->setMax(ToWholeSeconds(dDuration));
        Slider->setValue(0);

        tmrVideo->start();
        Check(objMediaControl->Run());
        repaint();
        cmdPlay->setCaption(kCaptionPause);

        Check(Duration(*objMediaPosition, m_dStreamDuration, dDuration));
        sDurationText = FormatTime(ToWholeSeconds(dDuration));
        lblTime->setText(kTimeAtStart + sDurationText);

        bNoVideo = false;
    } catch (const LoadFailed &) {
        MsgBox(kMsgNotSupported, MsgIcon::Exclamation);
    } catch (const RunTimeError &) {
        MsgBox(kMsgNotSupported, MsgIcon::Exclamation);
    }
}

void frmMain::cmdPlay_Click()
{
    if (bNoVideo)
        return;
    if (cmdPlay->Caption() == kCaptionPlay) {
        double dDuration = 0.0;
        double dPosition = 0.0;
        if (objMediaPosition && objMediaPosition->GetDuration(dDuration) == PreviewResult::Ok &&
            objMediaPosition->GetCurrentPosition(dPosition) == PreviewResult::Ok &&
            std::trunc(dDuration) == std::trunc(dPosition))
            cmdStop_Click(); // at the end: play again from the start
        tmrVideo->start();
        if (objMediaControl)
            objMediaControl->Run();
        cmdPlay->setCaption(kCaptionPause);
    } else {
        if (objMediaControl)
            objMediaControl->Pause();
        cmdPlay->setCaption(kCaptionPlay);
        tmrVideo->stop();
    }
}

void frmMain::cmdStop_Click()
{
    if (bNoVideo)
        return;
    if (objMediaControl)
        objMediaControl->Stop();
    if (objMediaPosition)
        objMediaPosition->PutCurrentPosition(kStartPosition);
    Slider->setValue(0);
    cmdPlay->setCaption(kCaptionPlay);
    tmrVideo->stop();
}

void frmMain::tmrVideo_Timer()
{
    picVideoWindow->repaint();
    double dPosition = 0.0;
    if (objMediaPosition && objMediaPosition->GetCurrentPosition(dPosition) == PreviewResult::Ok) {
        try {
            const WholeSeconds iPosition = ToWholeSeconds(dPosition);
            lblTime->setText(FormatTime(iPosition) + kTimeSeparator + sDurationText);
            Slider->setValue(iPosition);
        } catch (const RunTimeError &) {
        }
    }
    // The graph plays on to its own end; only the display stops following it.
    if (Slider->Value() == Slider->Max()) {
        tmrVideo->stop();
        cmdPlay->setCaption(kCaptionPlay);
    }
}

void frmMain::Slider_MouseUp(std::int16_t, std::int16_t, float, float)
{
    if (!objMediaPosition)
        return;
    objMediaPosition->PutCurrentPosition(static_cast<double>(Slider->Value()));
    double dPosition = 0.0;
    if (objMediaPosition->GetCurrentPosition(dPosition) == PreviewResult::Ok) {
        try {
            lblTime->setText(FormatTime(ToWholeSeconds(dPosition)) + kTimeSeparator + sDurationText);
        } catch (const RunTimeError &) {
        }
    }
}

void frmMain::ReleasePreview()
{
    tmrVideo->stop();
    objMediaControl.reset();
    objMediaPosition.reset();
    objBasicAudio.reset();
    objVideoWindow.reset();
}
