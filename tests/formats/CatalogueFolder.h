#pragma once

#include "common/ScopedOverride.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary program folder for catalogue files written by a test; AppPath() answers it while
// the object lives.
class CatalogueFolder {
public:
    CatalogueFolder();
    CatalogueFolder(const CatalogueFolder &) = delete;
    CatalogueFolder &operator=(const CatalogueFolder &) = delete;

    QString Path() const { return m_dir.path(); }
    // Writes the lines joined by CR LF (no line end after the last one).
    void Write(const QString &sFileName, const QStringList &lines) const;
    void WriteBytes(const QString &sFileName, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    ScopedOverride m_programFolder;
};

// The lines of a presets.xml or codecs.xml record, indented as the shipped files are.
QStringList PresetRecord(const QString &sLabel, const QString &sParams, const QString &sExtension,
                         const QString &sCategory);
QStringList CodecRecord(const QString &sName, const QString &sDescription, const QString &sType);

// A whole file: the declaration line, the root lines around the records.
QStringList PresetsFile(const QStringList &records);
QStringList CodecsFile(const QStringList &records);
