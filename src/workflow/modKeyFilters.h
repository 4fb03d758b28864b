#pragma once

#include <QString>
#include <functional>

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

// A key rule as the boxes take it.
using KeyRule = std::function<bool(char16_t iKey, const QString &sText)>;

// Whether a whole text is one that typing could have put in the box: each of its characters,
// from the left, is one the rule takes after the characters before it (Enter and Backspace are
// no characters of a text). Every way text comes into a box (typing, a paste, a drop, a saved
// value) is held to this, so nothing the keys would refuse reaches the encoder's arguments.
bool TextObeysKeyRule(const KeyRule &rule, const QString &sText);

// Whether a frame rate box says a rate at all: empty, "0", "0." or "." do not.
bool FrameRateGiven(const QString &sText);
