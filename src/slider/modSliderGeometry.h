#pragma once

// The slider's geometry: where a value's thumb goes, which value a pointer position means, and the
// size rules. All positions are pixels of the control's client area, origin at the top left.

#include <QSize>
#include <cstdint>

// The images' sizes. The track, the caps and the thumbs are laid out from them.
namespace SliderSizes {
constexpr int kThickness = 20;     // strips and caps across the track
constexpr int kLeftWidth = 11;     // PicLeft, the horizontal left cap
constexpr int kRightWidth = 14;    // PicRight, the horizontal right cap
constexpr int kUpHeight = 14;      // PicUp, the vertical top cap
constexpr int kDownHeight = 11;    // PicDown, the vertical bottom cap
constexpr int kHandleLength = 19;  // the thumb along the track
constexpr int kHandleBreadth = 10; // the thumb across the track
constexpr int kHandleInset = 4;    // the thumb's top (horizontal) or left edge (vertical)
// The shortest control that still holds both caps and two thumb lengths.
constexpr int kMinimumLength = 11 + 14 + 2 * 19;
} // namespace SliderSizes

// The largest integer not above m + 0.5.
double RoundHalfUp(double m);

// The thumb coordinate for value iValue: horizontally its left edge; vertically its top edge's
// distance from the bottom (the top is then at H - result). The range Max - Min must fit in 32 bits
// (else the overflow RunTimeError); the intermediate roundings are part of the result.
std::int64_t PositionOf(std::int32_t iValue, std::int32_t iMin, std::int32_t iMax, bool bVertical,
                        const QSize &size);

// The size after the size rules: the minimum length and the fixed thickness of the layout.
QSize AppliedSize(bool bVertical, const QSize &size);

// The footprint turned for a new layout: vertical takes the width as its height, horizontal the
// height as its width.
QSize TurnedFootprint(bool bVertical, const QSize &size);
