#include "cli/modPresetLookup.h"

#include <QVector>
#include <algorithm>

namespace {
const QChar kSeparator = QLatin1Char('/');
// A name this many edits from a label or full name, per character of the name given, is near.
constexpr int kCharactersPerSlip = 4;
constexpr int kFewestSlips = 2;

// The presets that readers see: slots 0 .. count - 1 that the table holds.
QVector<PresetEntry> Presets(const CatalogueTables &tables)
{
    const int iSlots = qMax(0, qMin<int>(tables.PresetCount, tables.Presets.size()));
    return tables.Presets.mid(0, iSlots);
}

int EditDistance(const QString &a, const QString &b)
{
    QVector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int iDiagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int iAbove = row[j];
            row[j] = std::min({iAbove + 1, row[j - 1] + 1, iDiagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            iDiagonal = iAbove;
        }
    }
    return row[b.size()];
}

void AddOnce(QStringList &names, const QString &sName)
{
    if (!names.contains(sName))
        names << sName;
}
} // namespace

QString PresetName(const PresetEntry &preset)
{
    return preset.category + kSeparator + preset.label + kSeparator + preset.extension;
}

QStringList PresetNames(const CatalogueTables &tables)
{
    QStringList names;
    for (const PresetEntry &preset : Presets(tables))
        AddOnce(names, PresetName(preset));
    return names;
}

PresetMatch FindPreset(const CatalogueTables &tables, const QString &sName)
{
    const QVector<PresetEntry> presets = Presets(tables);
    PresetMatch match;
    for (const PresetEntry &preset : presets) {
        if (PresetName(preset) == sName) {
            match.kind = PresetMatch::Kind::Found;
            match.preset = preset;
            return match;
        }
    }

    QStringList sameLabel;
    for (const PresetEntry &preset : presets) {
        if (preset.label != sName)
            continue;
        if (sameLabel.isEmpty())
            match.preset = preset;
        AddOnce(sameLabel, PresetName(preset));
    }
    if (sameLabel.size() == 1) {
        match.kind = PresetMatch::Kind::Found;
        return match;
    }
    match.preset = PresetEntry();
    if (!sameLabel.isEmpty()) {
        match.kind = PresetMatch::Kind::Ambiguous;
        match.near = sameLabel;
        return match;
    }

    for (const PresetEntry &preset : presets) {
        const QString sFull = PresetName(preset);
        if (sFull.contains(sName, Qt::CaseInsensitive) || (!preset.label.isEmpty() && sName.contains(preset.label, Qt::CaseInsensitive)))
            AddOnce(match.near, sFull);
    }
    if (!match.near.isEmpty())
        return match;
    const QString sLower = sName.toLower();
    const int iSlips = std::max(kFewestSlips, static_cast<int>(sName.size()) / kCharactersPerSlip);
    for (const PresetEntry &preset : presets) {
        const QString sFull = PresetName(preset);
        if (EditDistance(sLower, preset.label.toLower()) <= iSlips || EditDistance(sLower, sFull.toLower()) <= iSlips)
            AddOnce(match.near, sFull);
    }
    return match;
}
