#pragma once

#include "formats/CodecEntry.h"
#include "formats/PresetEntry.h"

#include <QVector>
#include <cstdint>

// The catalogue tables the main window owns, filled once at start-up by LoadPresets and
// LoadCodecs. Readers walk slots 0 .. count - 1; after a failed load the table may hold one
// slot more than the count (the slot that was being filled).
struct CatalogueTables {
    QVector<PresetEntry> Presets;
    std::int32_t PresetCount = 0;
    QVector<CodecEntry> Codecs;
    std::int32_t CodecCount = 0;
};
