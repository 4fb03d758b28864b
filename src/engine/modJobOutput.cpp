#include "engine/modJobOutput.h"

#include "common/RunTimeError.h"
#include "common/modFunctions.h"
#include "engine/DOSOutputs.h"
#include "contract/modEncoder.h"

#include <QRegularExpression>

namespace {
constexpr int kStreamMappingBreaks = 3; // the marker's line and the two stream lines under it
constexpr int kInputBreaks = 4;

JobNotice StatusNotice(const QString &sStatus)
{
    JobNotice notice;
    notice.kind = JobNotice::Kind::Status;
    notice.sStatus = sStatus;
    return notice;
}

JobNotice ProgressNotice(short iProgress)
{
    JobNotice notice;
    notice.kind = JobNotice::Kind::Progress;
    notice.iProgress = iProgress;
    return notice;
}

// The text from the position reached after stepping over iBreaks line breaks from iFrom.
QString AfterLineBreaks(const QString &sText, int iFrom, int iBreaks)
{
    int iPosition = iFrom;
    // The search includes the current position only where it is not a break already stepped over.
    bool bIncludeCurrent = true;
    for (int k = 0; k < iBreaks; ++k) {
        const int iBreak = sText.indexOf(QLatin1Char('\n'), bIncludeCurrent ? iPosition : iPosition + 1);
        if (iBreak < 0) {
            iPosition = 0;
            bIncludeCurrent = true;
        } else {
            iPosition = iBreak;
            bIncludeCurrent = false;
        }
    }
    return sText.mid(iPosition);
}

QString LastLineWithText(const QString &sText)
{
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]"));
    const QStringList lines = sText.split(lineBreaks);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QString sLine = it->trimmed();
        if (!sLine.isEmpty())
            return sLine;
    }
    return QString();
}

// The text as a terminal shows it: a CR without a LF after it returns to the start of the line,
// so of a run of progress lines each ended by such a CR only the last one stays in view. A
// segment that ends right at a CR overwrites nothing when nothing follows it on its line.
QString FoldOverwrittenLines(const QString &sText)
{
    QString sFolded;
    sFolded.reserve(sText.size());
    qsizetype iStart = 0;
    while (iStart < sText.size()) {
        const qsizetype iLineFeed = sText.indexOf(QLatin1Char('\n'), iStart);
        const qsizetype iNext = iLineFeed < 0 ? sText.size() : iLineFeed + 1;
        qsizetype iBodyEnd = iLineFeed < 0 ? sText.size() : iLineFeed;
        if (iLineFeed >= 0 && iBodyEnd > iStart && sText.at(iBodyEnd - 1) == QLatin1Char('\r'))
            --iBodyEnd; // CR LF is one line break
        QStringView kept;
        const QStringView body = QStringView(sText).mid(iStart, iBodyEnd - iStart);
        for (const QStringView segment : body.tokenize(QLatin1Char('\r'), Qt::SkipEmptyParts))
            kept = segment;
        sFolded += kept;
        sFolded += QStringView(sText).mid(iBodyEnd, iNext - iBodyEnd);
        iStart = iNext;
    }
    return sFolded;
}

bool OnlyBlanks(const QString &sText)
{
    for (const QChar c : sText) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}
} // namespace

QList<JobNotice> ReadOutputChunk(const QString &sCommandOutputs, float fFileTimeLength)
{
    QList<JobNotice> notices;
    if (ReportsUnknownFormat(sCommandOutputs)) {
        notices << StatusNotice(kStatusUnknownFormat) << ProgressNotice(-1);
        return notices;
    }
    if (sCommandOutputs == kCancelledNotice) {
        notices << StatusNotice(kCancelledNotice);
        return notices;
    }
    const int iMark = sCommandOutputs.indexOf(kProgressMark, 0, Qt::CaseInsensitive);
    if (iMark < 0)
        return notices;
    const int iTimeStart = iMark + kProgressMark.size();
    const int iBlank = sCommandOutputs.indexOf(QLatin1Char(' '), iMark);
    const QString sTimeText = iBlank < 0 ? QString() : sCommandOutputs.mid(iTimeStart, iBlank - iTimeStart);

    if (fFileTimeLength > 0.0f) {
        try {
            const std::int16_t iSeconds = ProgressWholeSeconds(sTimeText);
            // Single precision throughout, as the length is.
            const float fPercent = static_cast<float>(iSeconds) / fFileTimeLength * 100.0f;
            notices << ProgressNotice(RoundToShort(fPercent));
        } catch (const RunTimeError &) {
            // No number, or more than 16 bits: no progress from this chunk.
        }
    } else {
        notices << StatusNotice(sTimeText + kSecondsConverted);
    }
    return notices;
}

QString GetErrorDetail(const QString &sOutputs)
{
    if (OnlyBlanks(sOutputs))
        return QString();
    const int iStreamMapping = sOutputs.indexOf(kStreamMappingMark, 0, Qt::CaseInsensitive);
    if (iStreamMapping >= 0)
        return FoldOverwrittenLines(AfterLineBreaks(sOutputs, iStreamMapping, kStreamMappingBreaks));
    const int iInput = sOutputs.indexOf(kInputMark, 0, Qt::CaseInsensitive);
    if (iInput >= 0)
        return FoldOverwrittenLines(AfterLineBreaks(sOutputs, iInput, kInputBreaks));
    if (sOutputs.contains(kBuiltOnMark, Qt::CaseInsensitive))
        return QString();
    return LastLineWithText(sOutputs);
}
