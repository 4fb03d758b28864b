#pragma once

#include <QString>

// The format panel's key filters. Each sees a typed character and the box's text before the
// character goes in, and answers whether the character may go in.
constexpr char16_t kKeyBack = 8;    // Backspace
constexpr char16_t kKeyReturn = 13; // Enter

// Audio and video bitrate: digits, at most four of them.
bool BitrateKeyAllowed(char16_t iKey, const QString &sText);
// Channels: one digit from 1 to 9.
bool ChannelsKeyAllowed(char16_t iKey, const QString &sText);
// Frame rate: digits and one point, nine characters; after the point neither a second point nor
// a 0 is taken.
bool FrameRateKeyAllowed(char16_t iKey, const QString &sText);
