#include "slider/SliderImages.h"

#include "slider/modSliderGeometry.h"

#include <algorithm>

using namespace SliderSizes;

namespace {
struct Rgb {
    int r, g, b;
};

// The groove's cross-section, pixel 0 at the top of a horizontal strip (the left of a vertical
// one). Pixels 6 to 12 hold the track colour; the rest is the groove's shading.
constexpr Rgb kEmptyStrip[kThickness] = {
    {2, 2, 2},       {209, 209, 211}, {204, 202, 207}, {164, 157, 164}, {55, 41, 41},
    {78, 71, 78},    {1, 3, 2},       {3, 3, 5},       {3, 3, 5},       {4, 2, 5},
    {2, 4, 3},       {3, 3, 3},       {3, 3, 5},       {140, 145, 139}, {193, 193, 193},
    {63, 61, 64},    {1, 3, 2},       {3, 3, 3},       {1, 3, 2},       {78, 71, 78}};
constexpr Rgb kFullStrip[kThickness] = {
    {7, 5, 8},       {206, 207, 209}, {207, 200, 207}, {154, 147, 155}, {48, 42, 46},
    {78, 71, 79},    {255, 127, 0},   {255, 127, 0},   {255, 127, 0},   {255, 127, 0},
    {255, 127, 0},   {255, 127, 0},   {255, 127, 0},   {145, 145, 143}, {191, 193, 192},
    {66, 61, 65},    {1, 3, 2},       {3, 3, 5},       {1, 3, 2},       {77, 70, 78}};

QRgb ToRgb(const Rgb &c) { return qRgb(c.r, c.g, c.b); }

QRgb Grey(int iLevel) { return qRgb(iLevel, iLevel, iLevel); }

QRgb Mix(const Rgb &from, const Rgb &to, double t)
{
    return qRgb(qRound(from.r + (to.r - from.r) * t), qRound(from.g + (to.g - from.g) * t),
                qRound(from.b + (to.b - from.b) * t));
}

QImage HorizontalStrip(const Rgb (&cross)[kThickness])
{
    QImage img(1, kThickness, QImage::Format_RGB32);
    for (int i = 0; i < kThickness; ++i)
        img.setPixel(0, i, ToRgb(cross[i]));
    return img;
}

QImage VerticalStrip(const Rgb (&cross)[kThickness])
{
    QImage img(kThickness, 1, QImage::Format_RGB32);
    for (int i = 0; i < kThickness; ++i)
        img.setPixel(i, 0, ToRgb(cross[i]));
    return img;
}

// A horizontal end cap, iWidth wide: the groove's shading continues from the strip and the groove
// closes in a rounded end; beyond it the housing's face is lit from the top (light above, dark
// below), and a dark line closes the outer edge. bOuterLeft: the outer edge is at x = 0.
QImage HorizontalCap(int iWidth, bool bOuterLeft)
{
    constexpr int kGrooveTop = 4;
    constexpr int kGrooveBottom = 13;
    constexpr double kGrooveMiddle = 8.5;
    constexpr double kRadius = 5.0;
    const int iEndCentre = iWidth - 9; // distance from the inner edge where the rounding starts
    const Rgb faceTop{214, 212, 216};
    const Rgb faceBottom{96, 92, 98};

    QImage img(iWidth, kThickness, QImage::Format_RGB32);
    for (int d = 0; d < iWidth; ++d) {
        const int x = bOuterLeft ? iWidth - 1 - d : d;
        for (int y = 0; y < kThickness; ++y) {
            QRgb c;
            if (d == iWidth - 1) {
                c = ToRgb(kEmptyStrip[0]);
            } else if (y < kGrooveTop || y > kGrooveBottom) {
                c = ToRgb(kEmptyStrip[y]);
            } else {
                const double dx = std::max(0, d - iEndCentre);
                const double dy = y - kGrooveMiddle;
                const double r = dx * dx + dy * dy;
                const double rim = (kRadius - 1) * (kRadius - 1);
                if (d <= iEndCentre || r <= rim) {
                    c = ToRgb(kEmptyStrip[y]);
                } else if (r <= kRadius * kRadius + 1) {
                    // The rounded end wall: in shadow above the middle, lit below it.
                    c = dy < 0 ? ToRgb(kEmptyStrip[4]) : ToRgb(kEmptyStrip[14]);
                } else {
                    c = Mix(faceTop, faceBottom,
                            double(y - kGrooveTop) / double(kGrooveBottom - kGrooveTop));
                }
            }
            img.setPixel(x, y, c);
        }
    }
    return img;
}

// The horizontal thumb: a grey knob, white along its top and left edges, light grey across its
// face, near black along the bottom and right, with a small grip in the middle.
QImage HorizontalHandle()
{
    QImage img(kHandleLength, kHandleBreadth, QImage::Format_RGB32);
    const int iRight = kHandleLength - 1;
    const int iBottom = kHandleBreadth - 1;
    for (int y = 0; y < kHandleBreadth; ++y) {
        for (int x = 0; x < kHandleLength; ++x) {
            QRgb c;
            if (y == iBottom || x == iRight)
                c = Grey(16);
            else if (y == 0 || x == 0)
                c = Grey(255);
            else if (y == iBottom - 1 || x == iRight - 1)
                c = Grey(96);
            else
                c = Grey(236 - (y - 1) * 10);
            img.setPixel(x, y, c);
        }
    }
    for (int x = 7; x <= 11; x += 2) {
        for (int y = 3; y <= 6; ++y) {
            img.setPixel(x, y, Grey(112));
            img.setPixel(x + 1, y, Grey(250));
        }
    }
    return img;
}

// Pixel (x, y) of the result is pixel (y, x) of the source: the vertical layout is the horizontal
// one turned, light on the left where the horizontal one is light at the top.
QImage Transposed(const QImage &source)
{
    QImage img(source.height(), source.width(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, source.pixel(y, x));
    return img;
}

// A vertical cap: a horizontal cap of the same length turned, its outer edge at the top
// (bOuterTop) or at the bottom.
QImage VerticalCap(int iHeight, bool bOuterTop)
{
    return Transposed(HorizontalCap(iHeight, bOuterTop));
}

void PaintColourRows(QImage &strip, bool bColumn, OleColor lColor)
{
    const QRgb c = qRgb(RedOf(lColor), GreenOf(lColor), BlueOf(lColor));
    for (int i = SliderImages::kFirstColourRow; i <= SliderImages::kLastColourRow; ++i) {
        if (bColumn)
            strip.setPixel(0, i, c);
        else
            strip.setPixel(i, 0, c);
    }
}
} // namespace

SliderImages::SliderImages()
    : m_PicLeft(HorizontalCap(kLeftWidth, true)), m_PicRight(HorizontalCap(kRightWidth, false)),
      m_PicEmptyFill(HorizontalStrip(kEmptyStrip)), m_PicFullFill(HorizontalStrip(kFullStrip)),
      m_PicHandle(HorizontalHandle()), m_PicUp(VerticalCap(kUpHeight, true)),
      m_PicDown(VerticalCap(kDownHeight, false)), m_PicEmptyFill2(VerticalStrip(kEmptyStrip)),
      m_PicFullFill2(VerticalStrip(kFullStrip)), m_PicHandle2(Transposed(m_PicHandle))
{
}

void SliderImages::TintEmptyStrips(OleColor lColor)
{
    PaintColourRows(m_PicEmptyFill, true, lColor);
    PaintColourRows(m_PicEmptyFill2, false, lColor);
}

void SliderImages::TintFullStrip(OleColor lColor) { PaintColourRows(m_PicFullFill2, false, lColor); }
