#pragma once

#include "formats/CatalogueTables.h"
#include "formats/ListControl.h"

// The catalogue files beside the program. They look like XML but are read line by line under
// fixed rules (CR LF line ends, one record per opening line and a fixed number of field lines).

// Reads AppPath() + "/presets.xml" into tables.Presets / PresetCount, adds the distinct
// categories to cmbCategory in file order and selects the first one, which raises its click
// handling (PresetLists fills the label and extension lists from it). A failure is shown in a
// message box and ends the load; what was read stays in the table.
void LoadPresets(CatalogueTables &tables, ListControl &cmbCategory);

// Reads AppPath() + "/codecs.xml" into tables.Codecs / CodecCount, refills the video list
// cmbCVCodec and the audio list cmbCACodec by the codecs' type and selects the first item of
// each. Failures are handled as in LoadPresets.
void LoadCodecs(CatalogueTables &tables, ListControl &cmbCVCodec, ListControl &cmbCACodec);

// The file names, after the program's folder.
extern const QString kPresetsFileName;
extern const QString kCodecsFileName;
