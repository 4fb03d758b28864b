#pragma once

// The window is designed in twips; the screen has 15 twips per pixel.
constexpr int kTwipsPerPixel = 15;

// Twips to whole pixels, halves to the even neighbour (2595 twips = 172.5 px -> 172).
int TwipsToPixels(int lTwips);
constexpr int PixelsToTwips(int iPixels) { return iPixels * kTwipsPerPixel; }
