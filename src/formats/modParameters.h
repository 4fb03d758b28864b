#pragma once

#include "formats/CatalogueTables.h"
#include "formats/FormatChoice.h"

#include <QString>
#include <functional>

// The size and aspect item that leaves the option out ("keep the input's").
extern const QString kAsInput;

// The encoder arguments for a choice, followed by the time range " -ss S -t L". Preset mode
// gives the params of the first preset matching category, label and container (the empty text
// when none does, without a message); custom mode builds the options piece by piece. A failure
// (a bitrate that is empty, not a number or too large, a size without "(", a length that
// overflows) shows "Error occured while getting paramters" with the failure's description
// (critical icon) and gives the empty text, never a partly built one.
QString GetParamaters(const FormatChoice &choice, const CatalogueTables &tables);

// The same, reading the choice first through readChoice (the window's controls and slider);
// a RunTimeError thrown while reading is reported as a failure of the builder.
QString GetParamaters(const std::function<FormatChoice()> &readChoice, const CatalogueTables &tables);

// The encoder name of the first codec whose description is exactly sDesc (of either type),
// without its leading and trailing blanks; empty when no codec has that description.
QString GetCodecName(const QString &sDesc, const CatalogueTables &tables);
