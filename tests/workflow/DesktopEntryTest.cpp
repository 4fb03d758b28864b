// The menu entry offers the program for the kinds of video that it loads, and the metainfo says
// the same: a kind the program refuses would open it only to say nothing (a drop of it is ignored).
#include "workflow/modVideoFiles.h"

#include <QFile>
#include <QMimeDatabase>
#include <QSet>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {
QString SourceFile(const char *szRelative)
{
    return QStringLiteral(CLIPWRIGHT_SOURCE_DIR "/") + QLatin1String(szRelative);
}

QStringList EntryMimeTypes()
{
    QFile file(SourceFile("packaging/clipwright.desktop"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        const QString sLine = QString::fromUtf8(file.readLine()).trimmed();
        if (sLine.startsWith("MimeType="))
            return sLine.mid(9).split(';', Qt::SkipEmptyParts);
    }
    return {};
}

QStringList MetainfoMediaTypes()
{
    QFile file(SourceFile("packaging/clipwright.metainfo.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lsTypes;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("mediatype"))
            lsTypes << xml.readElementText();
    }
    return lsTypes;
}

QStringList Loadable()
{
    return VideoExtensions();
}
} // namespace

TEST(DesktopEntry, EveryTypeOfferedIsOneThatTheProgramLoads)
{
    const QStringList lsTypes = EntryMimeTypes();
    ASSERT_FALSE(lsTypes.isEmpty());
    QMimeDatabase db;
    for (const QString &sType : lsTypes) {
        const QMimeType type = db.mimeTypeForName(sType);
        ASSERT_TRUE(type.isValid()) << sType.toStdString() << " is not a known type";
        bool bLoads = false;
        for (const QString &sGlob : type.globPatterns())
            bLoads = bLoads || (sGlob.startsWith("*.") && Loadable().contains(sGlob.mid(2), Qt::CaseInsensitive));
        EXPECT_TRUE(bLoads) << sType.toStdString() << " (" << type.globPatterns().join(' ').toStdString()
                            << ") names no extension that the program loads";
    }
}

TEST(DesktopEntry, EveryVideoKindThatLoadsIsOfferedAndTheMetainfoSaysTheSame)
{
    const QStringList lsTypes = EntryMimeTypes();
    QMimeDatabase db;
    QSet<QString> offered;
    for (const QString &sType : lsTypes)
        offered << db.mimeTypeForName(sType).name();
    for (const QString &sExtension : Loadable()) {
        bool bVideo = false;
        bool bOffered = false;
        for (const QMimeType &type : db.mimeTypesForFileName("clip." + sExtension)) {
            bVideo = bVideo || type.name().startsWith("video/");
            bOffered = bOffered || offered.contains(type.name());
        }
        EXPECT_TRUE(bOffered || !bVideo) << "." << sExtension.toStdString() << " loads but its type is not offered";
    }
    EXPECT_EQ(MetainfoMediaTypes(), lsTypes);
}
