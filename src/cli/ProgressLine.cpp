#include "cli/ProgressLine.h"

namespace {
const QString kPercentFormat = QStringLiteral("%1 %");
const QString kDoneText = QStringLiteral("done");
const QString kFailedText = QStringLiteral("failed");
const QString kStoppedFormat = QStringLiteral("stopped by %1");
const QString kPrefixFormat = QStringLiteral("[%1/%2] %3: ");
const QString kReasonIndent = QStringLiteral("    ");
// Back to the start of the line and clear it, so a shorter text leaves nothing of the longer one.
const char *const kRewriteLine = "\r\033[K";
constexpr int kLogStep = 10;
constexpr int kFull = 100;
} // namespace

ProgressLine::ProgressLine(std::FILE *stream, bool bTerminal) : m_stream(stream), m_bTerminal(bTerminal) {}

void ProgressLine::Begin(int iIndex, int iCount, const QString &sName, bool bShowStart)
{
    m_sPrefix = kPrefixFormat.arg(iIndex).arg(iCount).arg(sName);
    m_iShownPercent = 0;
    if (m_bTerminal && bShowStart)
        Write(kPercentFormat.arg(0), false);
}

void ProgressLine::Progress(short iPercent)
{
    if (iPercent < 0)
        return;
    const int iShown = qMin<int>(iPercent, kFull);
    if (m_bTerminal) {
        if (iShown != m_iShownPercent)
            Write(kPercentFormat.arg(iShown), false);
        m_iShownPercent = iShown;
        return;
    }
    const int iTenth = iShown / kLogStep * kLogStep;
    if (iTenth > m_iShownPercent) {
        m_iShownPercent = iTenth;
        Write(kPercentFormat.arg(iTenth), true);
    }
}

void ProgressLine::Done()
{
    Write(kDoneText, true);
}

void ProgressLine::Failed(const QStringList &reasons)
{
    Write(kFailedText, true);
    for (const QString &sReason : reasons)
        std::fprintf(m_stream, "%s%s\n", qPrintable(kReasonIndent), qPrintable(sReason));
    std::fflush(m_stream);
}

void ProgressLine::Stopped(const QString &sSignalName)
{
    Write(kStoppedFormat.arg(sSignalName), true);
}

void ProgressLine::Write(const QString &sState, bool bFinal)
{
    if (m_bTerminal)
        std::fputs(kRewriteLine, m_stream);
    std::fputs((m_sPrefix + sState).toLocal8Bit().constData(), m_stream);
    if (bFinal || !m_bTerminal)
        std::fputc('\n', m_stream);
    std::fflush(m_stream);
}
