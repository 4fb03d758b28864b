#include "formats/modParameters.h"

#include "common/MessageBox.h"
#include "common/RunTimeError.h"
#include "common/modFunctions.h"
#include "contract/modEncoder.h"
#include "formats/modFormatHelpers.h"

#include <cmath>

const QString kAsInput = QStringLiteral("[As Input]");

namespace {
const QString kParametersError = QStringLiteral("Error occured while getting paramters");
const QString kLineBreak = QStringLiteral("\r\n");
const QChar kBlank = QLatin1Char(' ');

// Rates and bitrates are given in kilo units on the panel; the encoder wants plain units.
constexpr std::int32_t kKilo = 1000;
constexpr double kKiloHertz = 1000.0;

// A number in its shortest decimal form, to the 15 significant digits the program's number
// conversions keep (11.025 * 1000 prints as 11025), without an exponent.
QString PlainDecimal(double dValue)
{
    if (dValue == 0.0 || !std::isfinite(dValue))
        return QStringLiteral("0");
    QString sText = QString::number(dValue, 'g', 15);
    if (!sText.contains(QLatin1Char('e')))
        return sText;
    sText = QString::number(sText.toDouble(), 'f', 20);
    while (sText.endsWith(QLatin1Char('0')))
        sText.chop(1);
    if (sText.endsWith(QLatin1Char('.')))
        sText.chop(1);
    return sText;
}

// One option with its value, after a blank.
QString Option(const QString &sOption, const QString &sValue)
{
    return kBlank + sOption + kBlank + sValue;
}

QString TimeRange(const FormatChoice &choice)
{
    const std::int32_t iLength = CheckedSub(choice.iSelectEnd, choice.iSelectStart);
    return Option(kOptionStart, QString::number(choice.iSelectStart)) +
           Option(kOptionLength, QString::number(iLength));
}

QString PresetParameters(const FormatChoice &choice, const CatalogueTables &tables)
{
    const int iSlots = qMax(0, qMin<int>(tables.PresetCount, tables.Presets.size()));
    for (int i = 0; i < iSlots; ++i) {
        const PresetEntry &preset = tables.Presets.at(i);
        if (preset.extension == choice.sPresetFormat && preset.label == choice.sPresetLabel &&
            preset.category == choice.sCategory)
            return preset.params + TimeRange(choice);
    }
    return QString();
}

QString CustomParameters(const FormatChoice &choice, const CatalogueTables &tables)
{
    // The first option has no blank before it.
    QString sResult = Option(kOptionSampleRate, PlainDecimal(LeadingNumber(choice.sSampleRate) * kKiloHertz)).mid(1);
    sResult += Option(kOptionAudioBitrate, QString::number(CheckedMul(TextToInt(choice.sAudioBitrate), kKilo)));
    const QString sAudioCodec = GetCodecName(choice.sAudioCodec, tables);
    if (!sAudioCodec.isEmpty())
        sResult += Option(kOptionAudioCodec, sAudioCodec);
    sResult += Option(kOptionChannels, choice.sChannels);
    const QString sVideoCodec = GetCodecName(choice.sVideoCodec, tables);
    if (!sVideoCodec.isEmpty())
        sResult += Option(kOptionVideoCodec, sVideoCodec);
    sResult += Option(kOptionVideoBitrate, QString::number(CheckedMul(TextToInt(choice.sVideoBitrate), kKilo)));
    if (choice.sVideoSize != kAsInput) {
        // The item is the encoder's size abbreviation followed by the size in parentheses.
        const int iParen = choice.sVideoSize.indexOf(QLatin1Char('('));
        if (iParen < 0)
            throw MakeInvalidProcedureCall();
        sResult += Option(kOptionSize, choice.sVideoSize.left(iParen));
    }
    if (choice.sAspectRatio != kAsInput)
        sResult += Option(kOptionAspect, choice.sAspectRatio);
    sResult += Option(kOptionFrameRate, choice.sFrameRate);
    return sResult + TimeRange(choice);
}

void ShowFailure(const RunTimeError &error)
{
    MsgBox(kParametersError + kLineBreak + error.Description(), MsgIcon::Critical);
}
} // namespace

QString GetParamaters(const FormatChoice &choice, const CatalogueTables &tables)
{
    try {
        return choice.bPresetMode ? PresetParameters(choice, tables) : CustomParameters(choice, tables);
    } catch (const RunTimeError &error) {
        ShowFailure(error);
        return QString();
    }
}

QString GetParamaters(const std::function<FormatChoice()> &readChoice, const CatalogueTables &tables)
{
    FormatChoice choice;
    try {
        choice = readChoice();
    } catch (const RunTimeError &error) {
        ShowFailure(error);
        return QString();
    }
    return GetParamaters(choice, tables);
}

QString GetCodecName(const QString &sDesc, const CatalogueTables &tables)
{
    const int iSlots = qMax(0, qMin<int>(tables.CodecCount, tables.Codecs.size()));
    for (int i = 0; i < iSlots; ++i) {
        const CodecEntry &codec = tables.Codecs.at(i);
        if (codec.description == sDesc)
            return TrimSpaces(codec.name);
    }
    return QString();
}
