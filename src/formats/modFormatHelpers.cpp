#include "formats/modFormatHelpers.h"

namespace {
const QString kInvalidProcedureCallText = QStringLiteral("Invalid procedure call or argument");
}

QString TrimSpaces(const QString &sText)
{
    int iStart = 0;
    int iEnd = sText.size();
    while (iStart < iEnd && sText.at(iStart) == QLatin1Char(' '))
        ++iStart;
    while (iEnd > iStart && sText.at(iEnd - 1) == QLatin1Char(' '))
        --iEnd;
    return sText.mid(iStart, iEnd - iStart);
}

RunTimeError MakeInvalidProcedureCall()
{
    return RunTimeError(RunTimeError::InvalidProcedureCall, kInvalidProcedureCallText);
}
