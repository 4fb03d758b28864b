#include "engine/CVideoConv.h"

#include "common/MessageBox.h"
#include "common/RunTimeError.h"
#include "engine/DOSOutputs.h"
#include "engine/StopRequest.h"
#include "contract/modEncoder.h"
#include "engine/modJobOutput.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <new>

namespace {
const QString kErrorConvertingFile = QStringLiteral("Error converting file: ");
const QString kErrorOccured = QStringLiteral("Error Occured:");
const QString kCrLf = QStringLiteral("\r\n");
const QString kFieldSeparator = QStringLiteral(" - ");
const QString kComponent = QStringLiteral("CVideoConv");
const QString kOutOfMemoryText = QStringLiteral("Out of memory");
constexpr int kOutOfMemory = 7;

// The general error message: a plain box with the failure, its component and its number.
void ShowRunTimeError(const RunTimeError &error)
{
    const QString sSource = error.Source().isEmpty() ? kComponent : error.Source();
    MsgBox(kErrorOccured + kCrLf + error.Description() + kFieldSeparator + sSource + kFieldSeparator +
               QString::number(error.Number()),
           MsgIcon::None);
}

// The file-name part of a path: its last component.
QString FileNamePart(const QString &sPath)
{
    return sPath.mid(sPath.lastIndexOf(QLatin1Char('/')) + 1);
}

// Some inputs make ffmpeg end with exit code 0 and an empty file (a GIF cut from past the end of
// the input, from an MP3's cover picture).
bool HoldsEncodedData(const QString &sPath)
{
    const QFileInfo file(sPath);
    return file.isFile() && file.size() > 0;
}
} // namespace

CVideoConv::CVideoConv(QObject *parent) : QObject(parent), m_stop(std::make_shared<StopRequest>()) {}

void CVideoConv::setStopRequest(std::shared_ptr<StopRequest> stop)
{
    if (!stop)
        return;
    m_stop = std::move(stop);
    m_bOwnStop = false;
    if (objDOS)
        objDOS->setStopRequest(m_stop);
}

CVideoConv::~CVideoConv()
{
    // Its destruction runs its CleanUp: a running encoder ends with the job.
    delete objDOS;
}

void CVideoConv::MakeRunner()
{
    if (objDOS)
        return;
    objDOS = new DOSOutputs(this);
    objDOS->setStopRequest(m_stop);
    connect(objDOS, &DOSOutputs::ReceiveOutputs, this, &CVideoConv::objDOS_ReceiveOutputs);
}

QString CVideoConv::BuildCommandLine() const
{
    return ConversionCommandLine(m_sInputFile, m_sParametrs, m_sOutputFile);
}

void CVideoConv::StartConversion()
{
    const QPointer<CVideoConv> self(this);
    if (m_bOwnStop)
        m_stop->Clear();
    m_dEncodedSeconds = -1.0;
    try {
        MakeRunner();
        objDOS->setCommandLine(BuildCommandLine());
        QCoreApplication::processEvents();
        if (!self)
            return;
        emit CurrentStatus(kStatusStarting);
        if (!self)
            return;
        // The runner clears its stop request when a run begins, so a Stop that came in the pump
        // above would be lost: it starts no encoder instead, and with nothing run there is no
        // failure to report.
        if (m_stop->IsAsked()) {
            emit CurrentStatus(kCancelledNotice);
            return;
        }
        const QString sOutputs = objDOS->ExecuteCommand(QString());
        if (!self)
            return;
        // An encoder that got under way and then failed, or was ended from outside, did not
        // convert the file: its exit code decides too, and so does what it left in the file.
        const bool bEncoderSucceeded = ReportsEncodingStarted(sOutputs) && objDOS->ExitCode() == 0;
        if (bEncoderSucceeded && HoldsEncodedData(m_sOutputFile)) {
            // The last progress line is written when the encoder finishes the file.
            double dSeconds = 0.0;
            m_dEncodedSeconds = LastProgressSeconds(sOutputs, dSeconds) ? dSeconds : -1.0;
            return;
        }
        emit CurrentStatus(kStatusError);
        if (!self)
            return;
        QString sDetail = GetErrorDetail(sOutputs);
        if (bEncoderSucceeded && !sDetail.contains(kNothingEncodedMark, Qt::CaseInsensitive))
            sDetail += kCrLf + kNothingEncodedMark;
        MsgBox(kErrorConvertingFile + FileNamePart(m_sInputFile) + kCrLf + sDetail, MsgIcon::Critical);
    } catch (const RunTimeError &error) {
        ShowRunTimeError(error);
    } catch (const std::bad_alloc &) {
        ShowRunTimeError(RunTimeError(kOutOfMemory, kOutOfMemoryText, kComponent));
    }
}

void CVideoConv::StopConversion()
{
    m_stop->Ask();
}

bool CVideoConv::IsFileSupported(const QString &sMediaFile)
{
    const QPointer<CVideoConv> self(this);
    try {
        MakeRunner();
        objDOS->setCommandLine(ProbeCommandLine(sMediaFile));
        QCoreApplication::processEvents();
        // A job deleted meanwhile ran no check: nothing was reported against the file.
        if (!self)
            return true;
        m_dStreamDuration = 0.0;
        const QString sOutputs = objDOS->ExecuteCommand(QString());
        if (!self)
            return true;
        if (ReportsUnknownFormat(sOutputs))
            return false;
        // A recording written while it was made (a browser's recorder, a live stream) has no
        // length in its container; only its streams' last time tells it.
        if (StatesNoDuration(sOutputs)) {
            const QString sRead = objDOS->ExecuteCommand(StreamReadCommandLine(sMediaFile));
            if (!self)
                return true;
            double dSeconds = 0.0;
            if (LastProgressSeconds(sRead, dSeconds) && dSeconds > 0.0)
                m_dStreamDuration = dSeconds;
        }
        return true;
    } catch (const RunTimeError &error) {
        ShowRunTimeError(error);
    } catch (const std::bad_alloc &) {
        ShowRunTimeError(RunTimeError(kOutOfMemory, kOutOfMemoryText, kComponent));
    }
    return false;
}

void CVideoConv::objDOS_ReceiveOutputs(const QString &CommandOutputs)
{
    const QPointer<CVideoConv> self(this);
    for (const JobNotice &notice : ReadOutputChunk(CommandOutputs, m_fFileTimeLength)) {
        if (notice.kind == JobNotice::Kind::Status)
            emit CurrentStatus(notice.sStatus);
        else
            emit Progress(notice.iProgress);
        if (!self)
            return;
    }
}
