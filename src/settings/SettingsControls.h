#pragma once

#include <QString>

// The window's controls as the saved settings see them. Each control is addressed by its name,
// which is also the name of its stored value. A call that cannot be carried out (no such control,
// a position past a list's end) throws RunTimeError; the settings skip that one value.
class SettingsControls {
public:
    virtual ~SettingsControls() = default;

    // Option buttons (optOtherFolder, optSameFolder). Setting one raises its click handling.
    virtual bool OptionValue(const QString &sName) const = 0;
    virtual void setOptionValue(const QString &sName, bool bValue) = 0;

    // Text boxes. A text set here does not pass the boxes' key filters; BoxTakes tells whether the
    // box's rules take it as a value (true for a box without rules).
    virtual QString BoxText(const QString &sName) const = 0;
    virtual void setBoxText(const QString &sName, const QString &sText) = 0;
    virtual bool BoxTakes(const QString &sName, const QString &sText) const = 0;

    // Pick-only lists: the selected position, -1 when nothing is selected. Setting it raises the
    // list's click handling and throws RunTimeError 380 for a position outside -1 .. count - 1.
    virtual int ListPosition(const QString &sName) const = 0;
    virtual void setListPosition(const QString &sName, int iIndex) = 0;

    // The two format-mode buttons optFormat(0) "Presets" and optFormat(1) "Custom (Advanced)", and
    // the format frames frFormat(0) and frFormat(1) behind them. An index without a button or
    // frame throws.
    virtual bool FormatOptionValue(int iIndex) const = 0;
    virtual void setFormatOption(int iIndex) = 0;
    virtual void BringFormatFrameToFront(int iIndex) = 0;

    // The output folder box and its Browse button together.
    virtual void setOutputFolderEnabled(bool bEnabled) = 0;

    // Rewrites the description of the chosen format on the main frame.
    virtual void UpdateFormatLabel() = 0;
};
