#pragma once

#include "common/modFunctions.h"

#include <QString>
#include <QStringList>

// The command line of clipwright-cut, read and checked before anything runs.
struct CutArguments {
    enum class Mode { Cut, ListPresets, Help, Version, UsageError };
    Mode mode = Mode::UsageError;
    QString sPreset;
    WholeSeconds iStart = 0;
    WholeSeconds iEnd = 0;
    QString sOutputFolder; // empty: each output beside its input
    bool bDryRun = false;
    QStringList files;
    QString sError; // UsageError: what is wrong, in one line
};

// arguments as main gets them, the program's name first. --help, --version and --list-presets win
// over everything else; a cut needs --preset, --start, --end and at least one file, and marks that
// select something (the window's two refusals: equal marks, an end before the start).
CutArguments ParseCutArguments(const QStringList &arguments);

// The --help text.
extern const QString kCutUsage;
