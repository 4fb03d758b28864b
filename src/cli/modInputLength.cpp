#include "cli/modInputLength.h"

#include <QStringList>

namespace {
const QString kDurationMark = QStringLiteral("Duration:");
constexpr int kTimeFields = 3; // HH:MM:SS.fraction
constexpr double kSixty = 60.0;
} // namespace

std::optional<double> ReadInputLength(const QString &sCheckOutput)
{
    const qsizetype iMark = sCheckOutput.indexOf(kDurationMark);
    if (iMark < 0)
        return std::nullopt;
    const qsizetype iStart = iMark + kDurationMark.size();
    qsizetype iEnd = iStart;
    while (iEnd < sCheckOutput.size() && sCheckOutput.at(iEnd) != QLatin1Char(',') &&
           sCheckOutput.at(iEnd) != QLatin1Char('\n') && sCheckOutput.at(iEnd) != QLatin1Char('\r'))
        ++iEnd;
    const QStringList fields = sCheckOutput.mid(iStart, iEnd - iStart).trimmed().split(QLatin1Char(':'));
    if (fields.size() != kTimeFields)
        return std::nullopt;
    double dSeconds = 0.0;
    for (const QString &sField : fields) {
        bool bOk = false;
        const double dField = sField.toDouble(&bOk);
        if (!bOk || dField < 0.0)
            return std::nullopt;
        dSeconds = dSeconds * kSixty + dField;
    }
    return dSeconds;
}
