#pragma once

#include <QString>

// One preset of presets.xml. Values are kept exactly as the file holds them.
struct PresetEntry {
    QString label;     // shown in "Output Video Codec:" (cmbOutVCodec)
    QString params;    // the encoder arguments, without input, output and time range
    QString extension; // the output container, shown in cmbOutFormat and used as the file extension
    QString category;  // the group, shown in "Output Category:" (cmbCategory)
};
