#pragma once

#include <cstdint>

// A colour as the program stores it: red in bits 0-7, green in bits 8-15, blue in bits 16-23,
// and 0 in the top byte.
using OleColor = std::uint32_t;

constexpr OleColor RGBColor(int iRed, int iGreen, int iBlue)
{
    return static_cast<OleColor>((iRed & 0xFF) | ((iGreen & 0xFF) << 8) | ((iBlue & 0xFF) << 16));
}

constexpr int RedOf(OleColor lColor) { return static_cast<int>(lColor & 0xFF); }
constexpr int GreenOf(OleColor lColor) { return static_cast<int>((lColor >> 8) & 0xFF); }
constexpr int BlueOf(OleColor lColor) { return static_cast<int>((lColor >> 16) & 0xFF); }
