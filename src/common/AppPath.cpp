#include "common/AppPath.h"

#include <QCoreApplication>
#include <QDir>
#include <utility>

namespace {
QString &Override()
{
    static QString folder;
    return folder;
}

QString WithoutTrailingSeparator(QString sFolder)
{
    while (sFolder.size() > 1 && sFolder.endsWith(QLatin1Char('/')))
        sFolder.chop(1);
    return sFolder;
}
} // namespace

QString AppPath()
{
    if (!Override().isEmpty())
        return Override();
    return WithoutTrailingSeparator(QCoreApplication::applicationDirPath());
}

QString SetAppPathForTests(const QString &folder)
{
    return std::exchange(Override(), folder.isEmpty() ? QString() : WithoutTrailingSeparator(QDir::cleanPath(folder)));
}
