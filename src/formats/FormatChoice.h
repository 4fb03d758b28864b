#pragma once

#include "common/modFunctions.h"

#include <QString>

// What the argument builder reads from the window: the mode, the texts exactly as the format
// panel's lists and boxes hold them, and the slider's selection.
struct FormatChoice {
    bool bPresetMode = true; // optFormat index 0 ("Presets") is set

    // Preset mode
    QString sCategory;      // text of cmbCategory
    QString sPresetLabel;   // text of cmbOutVCodec
    QString sPresetFormat;  // text of cmbOutFormat

    // Custom mode
    QString sSampleRate;    // text of cmbCASmapleRate, e.g. "44.1 KHz"
    QString sAudioBitrate;  // text of txtCABirate, kbps
    QString sAudioCodec;    // text of cmbCACodec (a codec description)
    QString sChannels;      // text of txtChannels
    QString sVideoCodec;    // text of cmbCVCodec (a codec description)
    QString sVideoBitrate;  // text of txtCVBitrate, kbps
    QString sVideoSize;     // text of cmbCVSize, e.g. "vga(640x480)" or "[As Input]"
    QString sAspectRatio;   // text of cmbCVAspect, e.g. "4:3" or "[As Input]"
    QString sFrameRate;     // text of txtFrameRate, fps

    // Both modes: the slider's SelectStart and SelectEnd
    WholeSeconds iSelectStart = 0;
    WholeSeconds iSelectEnd = 0;
};
