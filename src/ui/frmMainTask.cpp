// The cut task: Start and Stop, the output's folder and name, the encoder job, the progress
// display, the folder options and Browse, and the power-off after a task.
#include "ui/frmMain.h"

#include "common/MessageBox.h"
#include "common/RunTimeError.h"
#include "common/modFunctions.h"
#include "engine/CVideoConv.h"
#include "engine/StopRequest.h"
#include "formats/modParameters.h"
#include "platform/modPowerOff.h"
#include "slider/Slider.h"
#include "widgets/ComboList.h"
#include "widgets/MyButton.h"
#include "ui/DesktopTaskReport.h"
#include "ui/modDialog.h"
#include "ui/modDisplayLoss.h"
#include "workflow/modOutputFile.h"
#include "ui/modCaptions.h"
#include "contract/modEncoder.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>

namespace {
const QString kMsgNoVideo = QStringLiteral("No video file loaded");
const QString kMsgNoSelection =
    QStringLiteral("No part selected. Please, select a part first using 'Start Selection' and 'End Selection'.");
const QString kMsgStartAfterEnd =
    QStringLiteral("No part selected, 'Start Selection' can not be greater than 'End Selection'.");
const QString kMsgBadDrive = QStringLiteral("You can't choose this drive!");
const QString kTitleBrowse = QStringLiteral("Select folder to add");
const QString kProgressStopped = QStringLiteral("Task Progress:[Stopped]");
constexpr int kProgressDone = 100;
// A damaged input (a clip cut off by a crash, a truncated download) can give much less than the
// selection while the encoder reports success; more than this many seconds short is said.
constexpr double kShortOutputTolerance = 1.0;
const QString kMsgShortOutput = QStringLiteral(
    "The output file is shorter than the selected part: %1 seconds were written of %2 selected. "
    "The input file may be damaged or incomplete; the output file is kept.");

// The job could not be set up: the argument builder gave nothing to cut with (it has said why).
class SetupFailed {};
} // namespace

// What one task knows about itself while it runs. The task owns its stop: Stop (or the window
// closing) asks it here, and the task's encoder job and the job's runner read this same request.
struct CutTask {
    QString sReservedOutput;   // the output created empty for this task, while it may be removed
    QPointer<CVideoConv> job;  // the task's encoder job, once made
    std::shared_ptr<StopRequest> stop = std::make_shared<StopRequest>();
    bool bFailed = false;      // the job reported that the encoder did not convert the file
    bool bFinished = false;    // the encoder ran to its end and converted the file
    bool bNoOutputFolder = false; // the output folder neither existed nor could be made
    bool bProgramClosing = false; // the task was ended because the program is closing
};

void frmMain::ConnectTask()
{
    connect(cmdConvert, &MyButton::clicked, this, &frmMain::cmdConvert_Click);
    connect(cmdBrowse, &MyButton::clicked, this, &frmMain::cmdBrowse_Click);
    m_pTaskReport = new DesktopTaskReport(this);
    // An option raises its click when it becomes set, from the mouse or from code.
    connect(optSameFolder, &QRadioButton::toggled, this, [this](bool bOn) {
        if (bOn)
            optSameFolder_Click();
    });
    connect(optOtherFolder, &QRadioButton::toggled, this, [this](bool bOn) {
        if (bOn)
            optOtherFolder_Click();
    });
}

void frmMain::cmdConvert_Click()
{
    if (bNoVideo) {
        MsgBox(kMsgNoVideo, MsgIcon::Information);
        return;
    }
    const WholeSeconds iSelectStart = Slider->SelectStart();
    const WholeSeconds iSelectEnd = Slider->SelectEnd();
    if (iSelectStart == iSelectEnd) {
        MsgBox(kMsgNoSelection, MsgIcon::Information);
        return;
    }
    if (iSelectEnd < iSelectStart) {
        MsgBox(kMsgStartAfterEnd, MsgIcon::Information);
        return;
    }

    if (cmdConvert->Caption() == kCaptionStop) {
        // Runs nested inside the click that started the task; that one finishes the task. Its
        // job, once made, reads the same request and ends its encoder at once.
        if (m_pCutTask)
            m_pCutTask->stop->Ask();
        cmdConvert->setCaption(kCaptionStart);
        EnableControls(true);
        lblProgress->setText(kProgressStopped);
        return;
    }

    lblProgress->setText(kCaptionProgress);
    cmdConvert->setCaption(kCaptionStop);
    EnableControls(false);
    const bool bEnded = RunTask();
    if (bEnded && chkShutdown->isChecked())
        PowerOff();
    cmdConvert->setCaption(kCaptionStart);
    EnableControls(true);
    if (lblProgress->text() == kCaptionProgress)
        progress->setValue(kProgressDone);
}

bool frmMain::RunTask()
{
    CutTask task;
    CutTask *const pOuterTask = m_pCutTask; // a task still stopping when this one was started
    m_pCutTask = &task;
    QString sOutput;
    try {
        const QString sExtension = optFormat[0]->isChecked() ? cmbOutFormat->Text() : cmbCustContainer->Text();
        sOutput = GetOutputFileName(sVideoFile, sExtension);
        if (task.bNoOutputFolder) {
            // The user has been told; a task that never ran is not shown as done.
            lblProgress->hide();
            progress->hide();
        } else {
            ConvertVideo(sVideoFile, sOutput, sDurationText);
        }
    } catch (const RunTimeError &) {
    }
    RemoveUnfinishedOutput(task);
    m_pTaskReport->Ended(task.bFinished, task.stop->IsAsked(), sOutput);
    m_pCutTask = pOuterTask;
    // A logout's quit signal or a destroyed window must not power the machine off behind the user.
    return !task.bProgramClosing;
}

void frmMain::ConvertVideo(const QString &origfile, const QString &outFile, const QString &sDuration)
{
    Q_UNUSED(sDuration) // the job does not need the video's length, only the cut's
    try {
        lblProgress->show();
        progress->setValue(0);
        progress->show();
        cmdStop_Click();

        // The last task's job may still be on the stack of a task that is stopping.
        if (cConvert)
            cConvert->deleteLater();
        cConvert = new CVideoConv(this);
        connect(cConvert.data(), &CVideoConv::Progress, this, &frmMain::cConvert_Progress);
        connect(cConvert.data(), &CVideoConv::CurrentStatus, this, &frmMain::cConvert_CurrentStatus);
        if (m_pCutTask) {
            m_pCutTask->job = cConvert;
            cConvert->setStopRequest(m_pCutTask->stop);
        }

        cConvert->setInputFile(origfile);
        cConvert->setOutputFile(outFile);
        // Without the builder's arguments the encoder would convert the whole video, not the cut.
        const QString sParameters = GetParamaters([this] { return CurrentFormatChoice(); }, Catalogues);
        if (sParameters.isEmpty())
            throw SetupFailed();
        // Overwrite without asking: the output is the empty file reserved for this task.
        cConvert->setParametrs(sParameters + QLatin1Char(' ') + kOptionOverwrite);
        cConvert->setFileTimeLength(
            static_cast<float>(CheckedSub(Slider->SelectEnd(), Slider->SelectStart())));

        // A Stop clicked while the name was chosen comes before any encoder to stop.
        if (m_pCutTask && m_pCutTask->stop->IsAsked())
            return;
        const QPointer<CVideoConv> job(cConvert);
        job->StartConversion();
        if (job && m_pCutTask && !m_pCutTask->stop->IsAsked() && !m_pCutTask->bFailed) {
            m_pCutTask->bFinished = true;
            WarnOfShortOutput(job->EncodedSeconds(), CheckedSub(Slider->SelectEnd(), Slider->SelectStart()));
        }
    } catch (const RunTimeError &) {
        lblProgress->hide();
        progress->hide();
    } catch (const SetupFailed &) {
        lblProgress->hide();
        progress->hide();
    }
}

QString frmMain::GetOutputFileName(const QString &sSource, const QString &sExtension)
{
    const QString sFolder = OutputFolder(optSameFolder->isChecked(), sSource, txtOutPath->text());
    const OutputFile output =
        NewOutputFile(sFolder, sSource, sExtension, [] { QCoreApplication::processEvents(); });
    if (output.bNoFolder && m_pCutTask)
        m_pCutTask->bNoOutputFolder = true;
    if (output.bReserved && m_pCutTask) {
        m_pCutTask->sReservedOutput = output.sPath;
        NoteUnfinishedOutput(output.sPath);
    }
    return output.sPath;
}

void frmMain::WarnOfShortOutput(double dWritten, WholeSeconds iSelected)
{
    if (dWritten < 0.0 || iSelected - dWritten <= kShortOutputTolerance)
        return;
    MsgBox(kMsgShortOutput.arg(QString::number(dWritten, 'f', 1)).arg(iSelected), MsgIcon::Exclamation);
}

void frmMain::RemoveUnfinishedOutput(CutTask &task)
{
    ForgetUnfinishedOutput(task.sReservedOutput);
    if (!task.bFinished)
        RemoveReservedOutput(task.sReservedOutput);
}

void frmMain::EndTaskForClose()
{
    if (!m_pCutTask)
        return;
    m_pCutTask->stop->Ask();
    m_pCutTask->bProgramClosing = true;
    // Deleting the job ends and reaps its encoder now; the task's call returns without it.
    delete m_pCutTask->job.data();
    RemoveUnfinishedOutput(*m_pCutTask);
    cmdConvert->setCaption(kCaptionStart);
    EnableControls(true);
    lblProgress->setText(kProgressStopped);
}

void frmMain::EnableControls(bool bEnable)
{
    for (QWidget *control : {static_cast<QWidget *>(cmdChangeFormat), static_cast<QWidget *>(cmdPlay),
                             static_cast<QWidget *>(cmdBrowse), static_cast<QWidget *>(optSameFolder),
                             static_cast<QWidget *>(optOtherFolder), static_cast<QWidget *>(cmdAddVideoFile),
                             static_cast<QWidget *>(cmdAbout), static_cast<QWidget *>(cmdStartSelect),
                             static_cast<QWidget *>(cmdStop), static_cast<QWidget *>(cmdEndSelect),
                             static_cast<QWidget *>(cmdDeleteSelect)})
        control->setEnabled(bEnable);
}

void frmMain::cConvert_Progress(short iProgress)
{
    if (!bTaskRunning())
        return;
    // The job also sends -1 (an unreadable input) and more than 100; the bar shows its ends.
    progress->setValue(qBound(progress->minimum(), static_cast<int>(iProgress), progress->maximum()));
    m_pTaskReport->Progress(progress->value());
}

void frmMain::cConvert_CurrentStatus(const QString &sStatus)
{
    // The window shows no status text; it only notes a failed run, whose file is incomplete.
    if (sStatus == kStatusError && m_pCutTask)
        m_pCutTask->bFailed = true;
}

void frmMain::optSameFolder_Click()
{
    cmdBrowse->setEnabled(false);
}

void frmMain::optOtherFolder_Click()
{
    cmdBrowse->setEnabled(true);
    // The saved settings grey the folder box out when they bring back "Same folder as input
    // file"; choosing "Other folder" must make the folder it names editable again.
    txtOutPath->setEnabled(true);
}

void frmMain::cmdBrowse_Click()
{
    const QString sFolder = BrowseForFolder(this, kTitleBrowse, true);
    if (sFolder.isEmpty())
        return;
    if (CanChooseOutputFolder(sFolder))
        txtOutPath->setText(sFolder);
    else
        MsgBox(kMsgBadDrive, MsgIcon::Exclamation);
}
