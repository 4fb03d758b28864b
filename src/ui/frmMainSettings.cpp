// The saved settings of the window: applied at the end of start-up and written when the window
// is asked to close.
#include "ui/frmMain.h"

void frmMain::LoadSettings()
{
    // Until the settings store exists there is nothing to apply; the last step of applying them,
    // describing the chosen format on the main frame, still runs.
    UpdateFormatLabel();
}

void frmMain::SaveSettings()
{
}
