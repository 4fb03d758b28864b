#include "cli/CutBatch.h"

#include "cli/ProgressLine.h"
#include "common/MessageBox.h"
#include "common/RunTimeError.h"
#include "engine/CVideoConv.h"
#include "engine/DOSOutputs.h"
#include "contract/modEncoder.h"
#include "engine/modJobOutput.h"
#include "formats/FormatChoice.h"
#include "formats/modParameters.h"
#include "workflow/modOutputFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>

namespace {
const QString kLineBreaks = QStringLiteral("\r\n");
const QString kStartPastEnd = QStringLiteral("the file is %1 s long: nothing to cut from %2 s on");
const QString kNoSuchFile = QStringLiteral("%1: no such file");
const QString kNoFreeName = QStringLiteral("no free output name in %1");
constexpr int kFailedStatus = 1;
constexpr int kSignalStatusBase = 128;

QString SignalName(int iSignal)
{
    switch (iSignal) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QStringLiteral("signal %1").arg(iSignal);
    }
}

void WriteLine(std::FILE *stream, const QString &sText)
{
    std::fputs((sText + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}
} // namespace

// One file's cut while it is set up and run.
struct CutBatch::FileCut {
    QString sInput;
    WholeSeconds iEnd = 0;
    QString sOutput;
    QString sReserved; // the output made empty for this cut, while it may be removed
};

CutBatch::CutBatch(const Settings &settings, const CatalogueTables &tables, ProgressLine &line, std::FILE *output,
                   QObject *parent)
    : QObject(parent), m_settings(settings), m_tables(tables), m_line(line), m_output(output)
{
    // A message box has no place here: what the parts say becomes the failing file's reasons.
    SetMsgBoxHandler([this](const QString &sText, MsgIcon) {
        for (const QString &sLine : sText.split(kLineBreaks, Qt::SkipEmptyParts))
            m_messages << sLine;
    });
}

CutBatch::~CutBatch()
{
    SetMsgBoxHandler({});
}

int CutBatch::Run(const QStringList &files)
{
    int iStatus = 0;
    for (int i = 0; i < files.size(); ++i) {
        QCoreApplication::processEvents();
        if (m_iSignal)
            break;
        m_messages.clear();
        m_line.Begin(i + 1, static_cast<int>(files.size()), files.at(i), !m_settings.bDryRun);
        const FileResult result = CutFile(files.at(i));
        if (result == FileResult::Failed)
            iStatus = kFailedStatus;
        if (result == FileResult::Stopped)
            break;
    }
    for (QString &sPath : m_dryRunReserved)
        RemoveReservedOutput(sPath);
    return m_iSignal ? kSignalStatusBase + m_iSignal : iStatus;
}

void CutBatch::Quit(int iSignal)
{
    if (m_iSignal)
        return;
    m_iSignal = iSignal;
    if (m_job)
        m_job->StopConversion();
    if (m_check)
        m_check->setStopConvert(true);
}

CutBatch::FileResult CutBatch::CutFile(const QString &sInput)
{
    FileCut cut;
    cut.sInput = sInput;
    // A dry run runs nothing, not even the file check: its command lines keep the end as given,
    // which the encoder takes as the file's end where the file is shorter.
    if (m_settings.bDryRun && !QFileInfo(sInput).isFile())
        return Fail(cut, {kNoSuchFile.arg(sInput)});
    cut.iEnd = m_settings.iEnd;
    if (!m_settings.bDryRun && !CheckInput(cut))
        return Fail(cut);
    // The job forgets a stop asked before it runs: a signal meanwhile must end the batch here.
    if (!ChooseOutput(sInput, cut) || m_iSignal)
        return Fail(cut);

    FormatChoice choice;
    choice.bPresetMode = true;
    choice.sCategory = m_settings.preset.category;
    choice.sPresetLabel = m_settings.preset.label;
    choice.sPresetFormat = m_settings.preset.extension;
    choice.iSelectStart = m_settings.iStart;
    choice.iSelectEnd = cut.iEnd;
    const QString sParameters = GetParamaters(choice, m_tables);
    if (sParameters.isEmpty())
        return Fail(cut);
    // Overwrite without asking: the output is the empty file reserved for this cut.
    const QString sArguments = sParameters + QLatin1Char(' ') + kOptionOverwrite;

    if (m_settings.bDryRun) {
        WriteLine(m_output, ConversionCommandLine(sInput, sArguments, cut.sOutput));
        if (!cut.sReserved.isEmpty())
            m_dryRunReserved << cut.sReserved;
        return FileResult::Done;
    }

    m_job = new CVideoConv(this);
    connect(m_job.data(), &CVideoConv::Progress, this, [this](short iProgress) { m_line.Progress(iProgress); });
    connect(m_job.data(), &CVideoConv::CurrentStatus, this, [this](const QString &sStatus) {
        if (sStatus == kStatusError)
            m_bJobFailed = true;
    });
    m_job->setInputFile(sInput);
    m_job->setOutputFile(cut.sOutput);
    m_job->setParametrs(sArguments);
    m_job->setFileTimeLength(static_cast<float>(CheckedSub(cut.iEnd, m_settings.iStart)));
    m_bJobFailed = false;
    m_job->StartConversion();
    delete m_job.data();
    // A signal that came as the encoder ended by itself waits in the event queue.
    QCoreApplication::processEvents();

    if (m_iSignal || m_bJobFailed || !m_messages.isEmpty())
        return Fail(cut);
    m_line.Done();
    WriteLine(m_output, cut.sOutput);
    return FileResult::Done;
}

bool CutBatch::CheckInput(FileCut &cut)
{
    if (!m_check)
        m_check = new DOSOutputs(this);
    const QString sOutputs = m_check->ExecuteCommand(ProbeCommandLine(cut.sInput));
    if (m_iSignal)
        return false;
    // The window opens only files that exist and that this check does not refuse. A missing one
    // must fail here: its name is free, so the output would be made in its place and then read.
    if (!QFileInfo(cut.sInput).isFile() || ReportsUnknownFormat(sOutputs)) {
        const QString sDetail = GetErrorDetail(sOutputs);
        m_messages << (sDetail.isEmpty() ? kNoSuchFile.arg(cut.sInput) : sDetail);
        return false;
    }
    double dLength = 0.0;
    if (!StatedDuration(sOutputs, dLength))
        return true; // a stream without a length: the encoder cuts to its end
    try {
        // The window's slider ends at the length in whole seconds, halves to even.
        cut.iEnd = qMin(cut.iEnd, RoundToInt(dLength));
    } catch (const RunTimeError &) {
    }
    if (cut.iEnd <= m_settings.iStart) {
        m_messages << kStartPastEnd.arg(cut.iEnd).arg(m_settings.iStart);
        return false;
    }
    return true;
}

bool CutBatch::ChooseOutput(const QString &sInput, FileCut &cut)
{
    const QString sFolder = OutputFolder(m_settings.sOutputFolder.isEmpty(), sInput, m_settings.sOutputFolder);
    if (m_settings.bDryRun && !QFileInfo(sFolder).isDir()) {
        // The run would make the folder, and in an empty folder the first name is free.
        cut.sOutput = QDir(sFolder).filePath(QFileInfo(sInput).completeBaseName() + QLatin1Char('.') +
                                             m_settings.preset.extension);
        return true;
    }
    const OutputFile output = NewOutputFile(sFolder, sInput, m_settings.preset.extension,
                                            [] { QCoreApplication::processEvents(); });
    if (output.bNoFolder)
        return false;
    if (output.sPath.isEmpty()) {
        m_messages << kNoFreeName.arg(sFolder);
        return false;
    }
    cut.sOutput = output.sPath;
    if (output.bReserved)
        cut.sReserved = output.sPath;
    return true;
}

CutBatch::FileResult CutBatch::Fail(FileCut &cut, QStringList reasons)
{
    RemoveReservedOutput(cut.sReserved);
    if (m_iSignal) {
        if (!m_settings.bDryRun)
            m_line.Stopped(SignalName(m_iSignal));
        return FileResult::Stopped;
    }
    m_line.Failed(m_messages + reasons);
    return FileResult::Failed;
}
