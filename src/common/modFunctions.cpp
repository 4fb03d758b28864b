#include "common/modFunctions.h"

#include "common/RunTimeError.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {
template <typename Int>
Int RoundInto(double dValue)
{
    const double dRounded = RoundHalfEven(dValue);
    if (std::isnan(dRounded) || dRounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        dRounded > static_cast<double>(std::numeric_limits<Int>::max()))
        throw RunTimeError::MakeOverflow();
    return static_cast<Int>(dRounded);
}

double ParseNumber(const QString &sText)
{
    const QString sTrimmed = sText.trimmed();
    if (sTrimmed.isEmpty())
        throw RunTimeError::MakeTypeMismatch();
    bool bOk = false;
    const double dValue = QLocale::c().toDouble(sTrimmed, &bOk);
    if (!bOk || !std::isfinite(dValue))
        throw RunTimeError::MakeTypeMismatch();
    return dValue;
}

std::int32_t Checked(std::int64_t lResult)
{
    if (lResult < std::numeric_limits<std::int32_t>::min() ||
        lResult > std::numeric_limits<std::int32_t>::max())
        throw RunTimeError::MakeOverflow();
    return static_cast<std::int32_t>(lResult);
}

QString TwoDigits(std::int64_t lNumber)
{
    if (lNumber >= 0 && lNumber < 10)
        return QLatin1Char('0') + QString::number(lNumber);
    return QString::number(lNumber);
}
} // namespace

double RoundHalfEven(double dValue)
{
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    return std::nearbyint(dValue);
}

std::int32_t RoundToInt(double dValue) { return RoundInto<std::int32_t>(dValue); }
std::int16_t RoundToShort(double dValue) { return RoundInto<std::int16_t>(dValue); }

std::int32_t TextToInt(const QString &sText) { return RoundToInt(ParseNumber(sText)); }
std::int16_t TextToShort(const QString &sText) { return RoundToShort(ParseNumber(sText)); }

double LeadingNumber(const QString &sText)
{
    int i = 0;
    const int n = sText.size();
    while (i < n && (sText[i] == QLatin1Char(' ') || sText[i] == QLatin1Char('\t')))
        ++i;
    const int iStart = i;
    if (i < n && (sText[i] == QLatin1Char('+') || sText[i] == QLatin1Char('-')))
        ++i;
    int iDigits = 0;
    while (i < n && sText[i].isDigit() && sText[i].unicode() < 128) {
        ++i;
        ++iDigits;
    }
    if (i < n && sText[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && sText[i].isDigit() && sText[i].unicode() < 128) {
            ++i;
            ++iDigits;
        }
    }
    if (iDigits == 0)
        return 0.0;
    int iEnd = i;
    // An exponent counts only when digits follow it.
    if (i < n && (sText[i] == QLatin1Char('e') || sText[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (sText[j] == QLatin1Char('+') || sText[j] == QLatin1Char('-')))
            ++j;
        const int iExpDigits = j;
        while (j < n && sText[j].isDigit() && sText[j].unicode() < 128)
            ++j;
        if (j > iExpDigits)
            iEnd = j;
    }
    bool bOk = false;
    const double dValue = QLocale::c().toDouble(sText.mid(iStart, iEnd - iStart), &bOk);
    return bOk ? dValue : 0.0;
}

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b)
{
    return Checked(static_cast<std::int64_t>(a) + b);
}

std::int32_t CheckedSub(std::int32_t a, std::int32_t b)
{
    return Checked(static_cast<std::int64_t>(a) - b);
}

std::int32_t CheckedMul(std::int32_t a, std::int32_t b)
{
    return Checked(static_cast<std::int64_t>(a) * b);
}

QString FormatTime(WholeSeconds s)
{
    // The remainder keeps the sign of s (truncating division); callers pass 0 or more.
    const std::int64_t r = static_cast<std::int64_t>(s) % 60;
    const std::int64_t t = static_cast<std::int64_t>(s) - r;
    const std::int64_t lMinutes = (t / 60) % 60;
    const std::int64_t lHours = (t / 60) / 60;
    return TwoDigits(lHours) + QLatin1Char(':') + TwoDigits(lMinutes) + QLatin1Char(':') +
           TwoDigits(r);
}

QByteArray ToSystemText(const QString &sText) { return sText.toLocal8Bit(); }
QString FromSystemText(const QByteArray &bytes) { return QString::fromLocal8Bit(bytes); }
