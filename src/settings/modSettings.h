#pragma once

#include "platform/modRegistry.h"

#include <QList>
#include <QPair>
#include <QString>

class SettingsControls;

// The user's choices in the window, kept as 17 string values of one registry key, each named
// after its control: an option button as "True" or "False", a list as its position in decimal
// (-1 when nothing is selected), a text box as its text, the format mode as "0" (presets) or "1".

constexpr HKEY kSettingsRoot = HKEY_LOCAL_MACHINE;
extern const QString kSettingsSection; // "Software\Orvanta Clipwright\Settings"

// The values as they are stored, (name, text) in the order of the save. A value that cannot be
// read from the controls is left out: the save keeps what is stored for it.
using SettingsValues = QList<QPair<QString, QString>>;
SettingsValues SettingsValuesFrom(const SettingsControls &controls);
// Writes the values in one write of the store.
void SaveSettingsValues(const SettingsValues &values);

// Writes all 17 values from the controls. A value that cannot be read or written is left as it
// is stored; the others are still written.
void SaveSettingsFrom(const SettingsControls &controls);

// Reads all 17 values, each with its default, and applies them to the controls, the linked preset
// lists in the order that brings a stored preset choice back whole. Each value stands alone: one
// that cannot be applied is skipped without a word; a text that its box's rules refuse (a value
// edited by hand) is read as the box's default. Ends by rewriting the format description.
void LoadSettingsInto(SettingsControls &controls);

// Deletes the key with all its values, so that the next load applies every default. False when
// it could not be deleted (a store we may not write, or no key).
bool DeleteSavedSettings();

// The user's Videos folder where it exists, else the home folder.
QString UserVideosFolder();
// The output folder of a first start: "Cut Files" in UserVideosFolder.
QString DefaultOutputFolder();

// An option state as it is stored, and back. A text that is no option state throws the
// type-mismatch RunTimeError; "True" and "False" are read in any letter case, and a number
// counts as true unless it is 0.
QString OptionStateText(bool bValue);
bool OptionStateFromText(const QString &sText);
