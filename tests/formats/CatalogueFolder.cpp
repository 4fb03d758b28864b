#include "CatalogueFolder.h"

#include "common/AppPath.h"
#include "common/ScopedOverride.h"

#include <QFile>
#include <gtest/gtest.h>

CatalogueFolder::CatalogueFolder() : m_programFolder(SetAppPathForTests, m_dir.path())
{
    EXPECT_TRUE(m_dir.isValid());
}

void CatalogueFolder::Write(const QString &sFileName, const QStringList &lines) const
{
    WriteBytes(sFileName, lines.join(QStringLiteral("\r\n")).toLocal8Bit());
}

void CatalogueFolder::WriteBytes(const QString &sFileName, const QByteArray &bytes) const
{
    QFile file(m_dir.filePath(sFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList PresetRecord(const QString &sLabel, const QString &sParams, const QString &sExtension,
                         const QString &sCategory)
{
    return {QStringLiteral("  <preset>"),
            QStringLiteral("    <label>%1</label>").arg(sLabel),
            QStringLiteral("    <params>%1</params>").arg(sParams),
            QStringLiteral("    <extension>%1</extension>").arg(sExtension),
            QStringLiteral("    <category>%1</category>").arg(sCategory),
            QStringLiteral("  </preset>")};
}

QStringList CodecRecord(const QString &sName, const QString &sDescription, const QString &sType)
{
    return {QStringLiteral("  <codec>"),
            QStringLiteral("    <name>%1</name>").arg(sName),
            QStringLiteral("    <description>%1</description>").arg(sDescription),
            QStringLiteral("    <type>%1</type>").arg(sType),
            QStringLiteral("  </codec>")};
}

QStringList PresetsFile(const QStringList &records)
{
    return QStringList{QStringLiteral("<?xml version=\"1.0\"?>"), QStringLiteral("<presets>")} + records +
           QStringList{QStringLiteral("</presets>"), QString()};
}

QStringList CodecsFile(const QStringList &records)
{
    return QStringList{QStringLiteral("<?xml version=\"1.0\"?>"), QStringLiteral("<codecs>")} + records +
           QStringList{QStringLiteral("</codecs>"), QString()};
}
