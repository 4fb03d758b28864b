#pragma once

#include <QString>

class frmMain;

// Loads a file named on the command line as a drop of it on the preview is loaded (the same
// checks, the same messages), once the event loop runs the shown window. A relative name is taken
// from the folder the program was started in; a file: URL is taken as its local path.
void LoadWhenShown(frmMain &window, const QString &sFile);
