#include "workflow/modVersion.h"

QString VersionText(int iMajor, int iMinor, int iRevision)
{
    return QString::number(iMajor) + QLatin1Char('.') + QString::number(iMinor) + QStringLiteral(".0.") +
           QString::number(iRevision);
}

QString ProgramVersionText()
{
    return VersionText(CLIPWRIGHT_VERSION_MAJOR, CLIPWRIGHT_VERSION_MINOR, CLIPWRIGHT_VERSION_REVISION);
}
