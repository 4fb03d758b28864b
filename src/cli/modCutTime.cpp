#include "cli/modCutTime.h"

#include <QStringList>
#include <limits>

namespace {
constexpr int kMaxFields = 3;    // hours, minutes, seconds
constexpr qint64 kSixty = 60;    // seconds in a minute, minutes in an hour

bool AllDigits(const QString &sField)
{
    if (sField.isEmpty())
        return false;
    for (const QChar c : sField) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}
} // namespace

std::optional<WholeSeconds> ParseCutTime(const QString &sText)
{
    const QStringList fields = sText.split(QLatin1Char(':'));
    if (fields.size() > kMaxFields)
        return std::nullopt;
    qint64 lSeconds = 0;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (!AllDigits(fields.at(i)))
            return std::nullopt;
        bool bOk = false;
        const qint64 lField = fields.at(i).toLongLong(&bOk);
        if (!bOk || lField > std::numeric_limits<WholeSeconds>::max())
            return std::nullopt;
        if (i > 0 && lField >= kSixty)
            return std::nullopt;
        lSeconds = lSeconds * kSixty + lField;
        if (lSeconds > std::numeric_limits<WholeSeconds>::max())
            return std::nullopt;
    }
    return static_cast<WholeSeconds>(lSeconds);
}
