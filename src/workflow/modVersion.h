#pragma once

#include <QString>

// The version as the About panel shows it: major, minor, 0 and the revision ("1.0.0.5"). The
// third number is always 0, whatever the build's third number is.
QString VersionText(int iMajor, int iMinor, int iRevision);

// The program's own version, in that form.
QString ProgramVersionText();
