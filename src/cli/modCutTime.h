#pragma once

#include "common/modFunctions.h"

#include <QString>
#include <optional>

// A cut mark given on the command line, in whole seconds as the window's marks are: plain seconds
// ("75") or [HH:]MM:SS ("1:15", "00:01:15"), where the fields after the first are below 60. No
// sign, no fraction, no blanks; nothing for any other text or a value beyond whole seconds' range.
std::optional<WholeSeconds> ParseCutTime(const QString &sText);
