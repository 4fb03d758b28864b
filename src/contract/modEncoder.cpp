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
const QString kBlank = QStringLiteral(" ");

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

bool ReportsEncodingStarted(const QString &sText)
{
    return sText.contains(kEncodingStartedMark, Qt::CaseInsensitive);
}

std::int16_t ProgressWholeSeconds(const QString &sTimeText)
{
    static const QRegularExpression clock(
        QStringLiteral(R"(^\s*(-?)(\d+):(\d{1,2}):(\d{1,2}(?:\.\d*)?)\s*$)"));
    const QRegularExpressionMatch match = clock.match(sTimeText);
    if (!match.hasMatch())
        return TextToShort(sTimeText);
    const double dSeconds = match.captured(2).toDouble() * 3600.0 + match.captured(3).toDouble() * 60.0 +
                            QLocale::c().toDouble(match.captured(4));
    return RoundToShort(match.captured(1).isEmpty() ? dSeconds : -dSeconds);
}
