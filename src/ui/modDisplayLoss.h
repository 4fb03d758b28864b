#pragma once

#include "settings/modSettings.h"

#include <QString>

// Qt's xcb platform ends the program with exit() as soon as its X connection breaks (the X server
// went away, or another client killed ours with XKillClient): neither the window's close nor any
// destructor runs, and the display can no longer be used. An exit handler then does what the
// close would have done without the display: it ends the encoders (a killed encoder leaves a
// fragment that looks like a result), removes the running task's unfinished output, and saves
// the settings as the window last showed them.
//
// The settings are noted as a snapshot whenever a control changes, not written at each change:
// the store is written once at close as before (a folder typed into the box would otherwise
// rewrite the file at every key), and at the exit the widgets can no longer be asked.

// From now on an exit of the program does that work; the handler is installed once.
void ArmDisplayLossEnd();
// The window's close has done the work itself: an exit does none of it.
void DisarmDisplayLossEnd();

// A task's reserved output while it may still be removed, and its end.
void NoteUnfinishedOutput(const QString &sPath);
void ForgetUnfinishedOutput(const QString &sPath);

// The settings as the window shows them now.
void NoteSettingsValues(const SettingsValues &values);
