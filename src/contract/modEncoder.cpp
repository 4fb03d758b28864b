#include "contract/modEncoder.h"

#include "common/AppPath.h"
#include "common/RunTimeError.h"
#include "common/modFunctions.h"
#include "platform/modCommandLine.h"

#include <QLocale>
#include <QRegularExpression>

const QString kEncoderProgram = QStringLiteral("ffmpeg");

const QString kOptionInput = QStringLiteral("-i");
const QString kOptionStart = QStringLiteral("-ss");
const QString kOptionLength = QStringLiteral("-t");
const QString kOptionSampleRate = QStringLiteral("-ar");
const QString kOptionAudioBitrate = QStringLiteral("-ab");
const QString kOptionAudioCodec = QStringLiteral("-acodec");
const QString kOptionChannels = QStringLiteral("-ac");
const QString kOptionVideoCodec = QStringLiteral("-vcodec");
const QString kOptionVideoBitrate = QStringLiteral("-b");
const QString kOptionSize = QStringLiteral("-s");
const QString kOptionAspect = QStringLiteral("-aspect");
const QString kOptionFrameRate = QStringLiteral("-r");
const QString kOptionOverwrite = QStringLiteral("-y");

const QString kEncodingStartedMark = QStringLiteral("press [q] to stop");
const QString kProgressMark = QStringLiteral("time=");
const QString kUnknownFormatMark = QStringLiteral("Unknown format");
const QString kInvalidDataMark = QStringLiteral("Invalid data found when processing input");
const QString kStreamMappingMark = QStringLiteral("Stream mapping:");
const QString kInputMark = QStringLiteral("Input #");
const QString kBuiltOnMark = QStringLiteral("built on");
const QString kNothingEncodedMark = QStringLiteral("Output file is empty, nothing was encoded");

const QString kStatusStarting = QStringLiteral("Starting...");
const QString kStatusError = QStringLiteral("Error");
const QString kStatusUnknownFormat = QStringLiteral("Unknown format");
const QString kSecondsConverted = QStringLiteral(" Seconds Converted");

namespace {
const QString kDurationMark = QStringLiteral("Duration:");
const QString kNoDurationMark = QStringLiteral("Duration: N/A");
const QString kBlank = QStringLiteral(" ");
const QString kStreamReadArguments = QStringLiteral("-c copy -f null -");

// Today's form of a progress time: [-]HH:MM:SS[.fraction].
const QRegularExpression &ClockPattern()
{
    static const QRegularExpression clock(
        QStringLiteral(R"(^\s*(-?)(\d+):(\d{1,2}):(\d{1,2}(?:\.\d*)?)\s*$)"));
    return clock;
}

// A progress time, either form, in seconds; false for anything else ("N/A").
bool TimeTextSeconds(const QString &sTimeText, double &dSeconds)
{
    const QRegularExpressionMatch match = ClockPattern().match(sTimeText);
    bool bNumber = false;
    if (!match.hasMatch()) {
        dSeconds = QLocale::c().toDouble(sTimeText.trimmed(), &bNumber);
        return bNumber;
    }
    dSeconds = match.captured(2).toDouble() * 3600.0 + match.captured(3).toDouble() * 60.0 +
               QLocale::c().toDouble(match.captured(4));
    if (!match.captured(1).isEmpty())
        dSeconds = -dSeconds;
    return true;
}

QString EncoderAndInput(const QString &sInputFile)
{
    return QuoteProgramName(EncoderPath()) + kBlank + kOptionInput + kBlank + QuoteArgument(sInputFile);
}
} // namespace

QString EncoderPath()
{
    return AppPath() + QLatin1Char('/') + kEncoderProgram;
}

QString ProbeCommandLine(const QString &sMediaFile)
{
    return EncoderAndInput(sMediaFile);
}

QString StreamReadCommandLine(const QString &sMediaFile)
{
    return EncoderAndInput(sMediaFile) + kBlank + kStreamReadArguments;
}

QString ConversionCommandLine(const QString &sInputFile, const QString &sArguments,
                              const QString &sOutputFile)
{
    return EncoderAndInput(sInputFile) + kBlank + sArguments + kBlank + QuoteArgument(sOutputFile);
}

bool ReportsUnknownFormat(const QString &sText)
{
    return sText.contains(kUnknownFormatMark, Qt::CaseInsensitive) ||
           sText.contains(kInvalidDataMark, Qt::CaseInsensitive);
}

bool StatesNoDuration(const QString &sText)
{
    return sText.contains(kNoDurationMark, Qt::CaseInsensitive);
}

bool StatedDuration(const QString &sText, double &dSeconds)
{
    const int iMark = sText.indexOf(kDurationMark, 0, Qt::CaseInsensitive);
    if (iMark < 0)
        return false;
    const int iStart = iMark + kDurationMark.size();
    int iEnd = iStart;
    while (iEnd < sText.size() && sText.at(iEnd) != QLatin1Char(',') && sText.at(iEnd) != QLatin1Char('\n') &&
           sText.at(iEnd) != QLatin1Char('\r'))
        ++iEnd;
    return TimeTextSeconds(sText.mid(iStart, iEnd - iStart), dSeconds) && dSeconds >= 0.0;
}

bool ReportsEncodingStarted(const QString &sText)
{
    return sText.contains(kEncodingStartedMark, Qt::CaseInsensitive);
}

std::int16_t ProgressWholeSeconds(const QString &sTimeText)
{
    // Plain seconds go through the classic conversion, with its own rules and failures.
    if (!ClockPattern().match(sTimeText).hasMatch())
        return TextToShort(sTimeText);
    double dSeconds = 0.0;
    TimeTextSeconds(sTimeText, dSeconds);
    return RoundToShort(dSeconds);
}

bool LastProgressSeconds(const QString &sText, double &dSeconds)
{
    const int iMark = sText.lastIndexOf(kProgressMark, -1, Qt::CaseInsensitive);
    if (iMark < 0)
        return false;
    const int iStart = iMark + kProgressMark.size();
    int iEnd = iStart;
    while (iEnd < sText.size() && !sText.at(iEnd).isSpace())
        ++iEnd;
    return TimeTextSeconds(sText.mid(iStart, iEnd - iStart), dSeconds);
}
