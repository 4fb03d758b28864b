#include "workflow/FileFilter.h"

namespace {
const QString kAllFilesWindows = QStringLiteral("*.*");
const QString kAllFiles = QStringLiteral("*");
const QString kFilterSeparator = QStringLiteral(";;");
} // namespace

QString QtFilterText(const QList<FileFilter> &filters)
{
    QStringList lsEntries;
    for (const FileFilter &filter : filters) {
        QStringList lsPatterns;
        for (const QString &sPattern : filter.lsPatterns)
            lsPatterns << (sPattern == kAllFilesWindows ? kAllFiles : sPattern);
        lsEntries << filter.sDescription + QStringLiteral(" (") + lsPatterns.join(QLatin1Char(' ')) +
                         QLatin1Char(')');
    }
    return lsEntries.join(kFilterSeparator);
}
