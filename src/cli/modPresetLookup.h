#pragma once

#include "formats/CatalogueTables.h"
#include "formats/PresetEntry.h"

#include <QString>
#include <QStringList>

// Presets named on the command line. A preset's full name is "Category/Label/extension"; labels
// hold slashes of their own ("H.264/AAC 720p (HD)"), categories and extensions do not.

// "Category/Label/extension" of a preset.
QString PresetName(const PresetEntry &preset);

// The full names of the table's presets, in file order, each once.
QStringList PresetNames(const CatalogueTables &tables);

struct PresetMatch {
    enum class Kind { Found, Unknown, Ambiguous };
    Kind kind = Kind::Unknown;
    PresetEntry preset; // Found: the first preset of that name, as the argument builder takes it
    QStringList near;   // Unknown, Ambiguous: full names to suggest, in file order
};

// The preset that sName names: its full name exactly, or else its label exactly when only one full
// name has that label (Ambiguous lists them all). Unknown lists the names that hold sName or whose
// label sName holds, ignoring letter case, or else those a few typing slips away.
PresetMatch FindPreset(const CatalogueTables &tables, const QString &sName);
