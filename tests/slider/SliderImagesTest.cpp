#include "slider/SliderImages.h"
#include "SliderTestHelpers.h"

#include <gtest/gtest.h>

namespace {
// The groove's cross-section as the strips are delivered.
const QRgb kEmpty[20] = {
    Rgb(2, 2, 2),     Rgb(209, 209, 211), Rgb(204, 202, 207), Rgb(164, 157, 164),
    Rgb(55, 41, 41),  Rgb(78, 71, 78),    Rgb(1, 3, 2),       Rgb(3, 3, 5),
    Rgb(3, 3, 5),     Rgb(4, 2, 5),       Rgb(2, 4, 3),       Rgb(3, 3, 3),
    Rgb(3, 3, 5),     Rgb(140, 145, 139), Rgb(193, 193, 193), Rgb(63, 61, 64),
    Rgb(1, 3, 2),     Rgb(3, 3, 3),       Rgb(1, 3, 2),       Rgb(78, 71, 78)};
const QRgb kFull[20] = {
    Rgb(7, 5, 8),     Rgb(206, 207, 209), Rgb(207, 200, 207), Rgb(154, 147, 155),
    Rgb(48, 42, 46),  Rgb(78, 71, 79),    Rgb(255, 127, 0),   Rgb(255, 127, 0),
    Rgb(255, 127, 0), Rgb(255, 127, 0),   Rgb(255, 127, 0),   Rgb(255, 127, 0),
    Rgb(255, 127, 0), Rgb(145, 145, 143), Rgb(191, 193, 192), Rgb(66, 61, 65),
    Rgb(1, 3, 2),     Rgb(3, 3, 5),       Rgb(1, 3, 2),       Rgb(77, 70, 78)};

QRgb Column(const QImage &strip, int i) { return strip.pixel(0, i); }
QRgb Row(const QImage &strip, int i) { return strip.pixel(i, 0); }

int Brightness(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); }
} // namespace

TEST(SliderImages, HaveTheirFixedSizes)
{
    const SliderImages images;
    EXPECT_EQ(images.PicLeft().size(), QSize(11, 20));
    EXPECT_EQ(images.PicRight().size(), QSize(14, 20));
    EXPECT_EQ(images.PicEmptyFill().size(), QSize(1, 20));
    EXPECT_EQ(images.PicFullFill().size(), QSize(1, 20));
    EXPECT_EQ(images.PicHandle().size(), QSize(19, 10));
    EXPECT_EQ(images.PicUp().size(), QSize(20, 14));
    EXPECT_EQ(images.PicDown().size(), QSize(20, 11));
    EXPECT_EQ(images.PicEmptyFill2().size(), QSize(20, 1));
    EXPECT_EQ(images.PicFullFill2().size(), QSize(20, 1));
    EXPECT_EQ(images.PicHandle2().size(), QSize(10, 19));
}

TEST(SliderImages, StripsShareTheDeliveredCrossSection)
{
    const SliderImages images;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(Colour(Column(images.PicEmptyFill(), i)), Colour(kEmpty[i])) << i;
        EXPECT_EQ(Colour(Row(images.PicEmptyFill2(), i)), Colour(kEmpty[i])) << i;
        EXPECT_EQ(Colour(Column(images.PicFullFill(), i)), Colour(kFull[i])) << i;
        EXPECT_EQ(Colour(Row(images.PicFullFill2(), i)), Colour(kFull[i])) << i;
    }
}

TEST(SliderImages, TintsRepaintOnlyTheSevenColourRows)
{
    SliderImages images;
    images.TintEmptyStrips(RGBColor(0, 0, 255));
    images.TintFullStrip(RGBColor(200, 150, 0));
    for (int i = 0; i < 20; ++i) {
        const bool bColourRow = i >= 6 && i <= 12;
        const QRgb empty = bColourRow ? Rgb(0, 0, 255) : kEmpty[i];
        EXPECT_EQ(Colour(Column(images.PicEmptyFill(), i)), Colour(empty)) << i;
        EXPECT_EQ(Colour(Row(images.PicEmptyFill2(), i)), Colour(empty)) << i;
        EXPECT_EQ(Colour(Row(images.PicFullFill2(), i)),
                  Colour(bColourRow ? Rgb(200, 150, 0) : kFull[i]))
            << i;
        // The horizontal band keeps its delivered orange.
        EXPECT_EQ(Colour(Column(images.PicFullFill(), i)), Colour(kFull[i])) << i;
    }
}

TEST(SliderImages, CapsAreLightAboveAndDarkBelowAndThumbsGoFromWhiteToNearBlack)
{
    const SliderImages images;
    for (const QImage *cap : {&images.PicLeft(), &images.PicRight()}) {
        int iUpper = 0;
        int iLower = 0;
        for (int x = 0; x < cap->width(); ++x) {
            for (int y = 1; y <= 3; ++y)
                iUpper += Brightness(cap->pixel(x, y));
            for (int y = 16; y <= 18; ++y)
                iLower += Brightness(cap->pixel(x, y));
        }
        EXPECT_GT(iUpper, 3 * iLower);
    }
    // The caps join the strip: their inner column is the unfilled cross-section.
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(Colour(images.PicLeft().pixel(10, y)), Colour(kEmpty[y])) << y;
        EXPECT_EQ(Colour(images.PicRight().pixel(0, y)), Colour(kEmpty[y])) << y;
        EXPECT_EQ(Colour(images.PicUp().pixel(y, 13)), Colour(kEmpty[y])) << y;
        EXPECT_EQ(Colour(images.PicDown().pixel(y, 0)), Colour(kEmpty[y])) << y;
    }
    // Vertical caps are light on the left.
    EXPECT_GT(Brightness(images.PicUp().pixel(2, 7)), Brightness(images.PicUp().pixel(17, 7)));
    EXPECT_GT(Brightness(images.PicDown().pixel(2, 4)), Brightness(images.PicDown().pixel(17, 4)));

    const QImage &handle = images.PicHandle();
    EXPECT_EQ(Colour(handle.pixel(0, 0)), Colour(Rgb(255, 255, 255)));
    EXPECT_EQ(Colour(handle.pixel(18, 9)), Colour(Rgb(16, 16, 16)));
    EXPECT_GT(Brightness(handle.pixel(3, 1)), Brightness(handle.pixel(3, 7)));
    EXPECT_GT(Brightness(handle.pixel(3, 7)), Brightness(handle.pixel(3, 9)));
    const QImage &handle2 = images.PicHandle2();
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(handle2.pixel(x, y), handle.pixel(y, x));
}
