#include "workflow/modVideoFiles.h"

#include <QFileInfo>

namespace {
const QString kFilterCommon = QStringLiteral("Common Video Files");
const QString kFilterMpeg = QStringLiteral("MPEG Files(.mpg,*.mpeg,*.mp2,*.mp4,*.mpe,*.m4v)");
const QString kFilterWindowsMedia = QStringLiteral("Windows Media Files(*.wmv,*.asf)");
const QString kFilterAvi = QStringLiteral("AVI Files(*.avi)");
const QString kFilterQuickTime = QStringLiteral("QuickTime Files-Ver2 or less(*.mov)");
const QString kFilterAll = QStringLiteral("All Files(*.*)");
const QString kPatternAll = QStringLiteral("*.*");
const QString kPatternPrefix = QStringLiteral("*.");

QStringList Patterns(const QStringList &lsExtensions)
{
    QStringList lsPatterns;
    for (const QString &sExtension : lsExtensions)
        lsPatterns << kPatternPrefix + sExtension;
    return lsPatterns;
}
} // namespace

const QStringList &VideoExtensions()
{
    static const QStringList lsExtensions{
        QStringLiteral("wmv"),  QStringLiteral("asf"),  QStringLiteral("avi"), QStringLiteral("mpg"),
        QStringLiteral("mpe"),  QStringLiteral("mp2"),  QStringLiteral("mpeg"), QStringLiteral("mp4"),
        QStringLiteral("mov"),  QStringLiteral("dat"),  QStringLiteral("flv"), QStringLiteral("rm"),
        QStringLiteral("rmvb"), QStringLiteral("yuv"),  QStringLiteral("mkv"), QStringLiteral("m4v"),
        QStringLiteral("m1v"),  QStringLiteral("m2v"),  QStringLiteral("mpv2"), QStringLiteral("mp2v"),
        QStringLiteral("ts"),   QStringLiteral("tp"),   QStringLiteral("tpr"), QStringLiteral("pva"),
        QStringLiteral("pss"),  QStringLiteral("divx"),
        // Kinds that cameras, phones, discs and browsers write, which ffmpeg reads as well.
        QStringLiteral("webm"), QStringLiteral("mts"),  QStringLiteral("m2ts"), QStringLiteral("3gp"),
        QStringLiteral("ogv"),  QStringLiteral("vob")};
    return lsExtensions;
}

QList<FileFilter> VideoFileFilters()
{
    const QStringList lsMpeg{QStringLiteral("mpg"), QStringLiteral("mp2"),  QStringLiteral("mpeg"),
                             QStringLiteral("mp4"), QStringLiteral("mpe"),  QStringLiteral("m4v"),
                             QStringLiteral("m1v"), QStringLiteral("m2v"),  QStringLiteral("mpv2"),
                             QStringLiteral("mp2v"), QStringLiteral("dat"), QStringLiteral("ts"),
                             QStringLiteral("tp"),  QStringLiteral("tpr"),  QStringLiteral("pva"),
                             QStringLiteral("pss")};
    return {
        {kFilterCommon, Patterns(VideoExtensions())},
        {kFilterMpeg, Patterns(lsMpeg)},
        {kFilterWindowsMedia, Patterns({QStringLiteral("wmv"), QStringLiteral("asf")})},
        {kFilterAvi, Patterns({QStringLiteral("avi")})},
        {kFilterQuickTime, Patterns({QStringLiteral("mov")})},
        {kFilterAll, {kPatternAll}},
    };
}

bool HasVideoExtension(const QString &sPath)
{
    const int iDot = sPath.lastIndexOf(QLatin1Char('.'));
    if (iDot < 0)
        return false;
    return VideoExtensions().contains(sPath.mid(iDot + 1), Qt::CaseInsensitive);
}

bool IsNameNotText(const QString &sPath)
{
    return sPath.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(sPath);
}
