#include "SliderTestHelpers.h"
#include "slider/SliderModel.h"
#include "slider/modSliderDrawing.h"

#include <gtest/gtest.h>

namespace {
const QRgb kOrange = Rgb(255, 127, 0);

int OrangePixelsInRow(const QImage &img, int y)
{
    int n = 0;
    for (int x = 0; x < img.width(); ++x)
        n += img.pixel(x, y) == kOrange;
    return n;
}
} // namespace

TEST(SliderDrawing, HorizontalThumbAndCapsSitWhereTheValueSays)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    const SliderImages &pics = s.Images();
    QImage img = h.Grab();
    ASSERT_EQ(img.size(), QSize(314, 20));
    EXPECT_TRUE(Holds(img, 146, 4, pics.PicHandle()));
    EXPECT_TRUE(ColumnIs(img, 145, pics.PicEmptyFill()));
    EXPECT_TRUE(ColumnIs(img, 165, pics.PicEmptyFill()));
    EXPECT_TRUE(Holds(img, 0, 0, pics.PicLeft()));
    EXPECT_TRUE(Holds(img, 300, 0, pics.PicRight()));
    EXPECT_TRUE(ColumnIs(img, 299, pics.PicEmptyFill()));

    s.setValue(0);
    img = h.Grab();
    EXPECT_TRUE(Holds(img, 10, 4, pics.PicHandle()));
    EXPECT_FALSE(Holds(img, 146, 4, pics.PicHandle()));
    s.setValue(100);
    img = h.Grab();
    EXPECT_TRUE(Holds(img, 280, 4, pics.PicHandle()));
    EXPECT_TRUE(ColumnIs(img, 279, pics.PicEmptyFill()));
}

TEST(SliderDrawing, TheBandRunsBetweenTheThumbPositionsOfTheSelectionEnds)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    const SliderImages &pics = s.Images();
    s.setValue(100); // the thumb out of the band's way, at 280
    s.setSelectStart(0);
    s.setSelectEnd(50);
    QImage img = h.Grab();
    // The band is stretched over x 10 to 146; the left cap covers its first column.
    for (int x = 11; x < 146; ++x)
        ASSERT_TRUE(ColumnIs(img, x, pics.PicFullFill())) << x;
    EXPECT_TRUE(ColumnIs(img, 146, pics.PicEmptyFill()));
    EXPECT_TRUE(Holds(img, 0, 0, pics.PicLeft()));
    EXPECT_EQ(OrangePixelsInRow(img, 8), 135);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(OrangePixelsInRow(img, y), y >= 6 && y <= 12 ? 135 : 0) << y;

    s.setSelectEnd(0);
    img = h.Grab();
    EXPECT_EQ(OrangePixelsInRow(img, 8), 0);

    s.setSelectStart(60);
    s.setSelectEnd(40);
    img = h.Grab();
    EXPECT_EQ(OrangePixelsInRow(img, 8), 0);
    for (int x = 11; x < 280; ++x)
        ASSERT_TRUE(ColumnIs(img, x, pics.PicEmptyFill())) << x;

    // A selection far outside the range is clipped, not refused.
    s.setSelectStart(-2000000000);
    s.setSelectEnd(2000000000);
    img = h.Grab();
    EXPECT_EQ(OrangePixelsInRow(img, 8), 314 - 11 - 14 - 19);
}

TEST(SliderDrawing, VerticalThumbAndFilledPartFollowTheValue)
{
    SliderHost h(QSize(20, 314), 1);
    Slider &s = *h.slider;
    ASSERT_EQ(s.size(), QSize(20, 314));
    const SliderImages &pics = s.Images();
    QImage img = h.Grab();
    EXPECT_TRUE(Holds(img, 4, 150, pics.PicHandle2()));
    EXPECT_TRUE(RowIs(img, 149, pics.PicEmptyFill2()));
    EXPECT_TRUE(RowIs(img, 14, pics.PicEmptyFill2()));
    for (int y = 169; y < 303; ++y)
        ASSERT_TRUE(RowIs(img, y, pics.PicFullFill2())) << y;
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(img.pixel(x, 150), pics.PicFullFill2().pixel(x, 0));
    EXPECT_TRUE(Holds(img, 0, 0, pics.PicUp()));
    EXPECT_TRUE(Holds(img, 0, 303, pics.PicDown()));
}

TEST(SliderDrawing, VerticalFilledColourBlendsFromForeColorToForeColor2)
{
    SliderHost h(QSize(20, 314), 1);
    Slider &s = *h.slider;
    s.setForeColor(RGBColor(200, 200, 0));
    s.setForeColor2(RGBColor(200, 0, 0));
    s.setValue(25);
    QImage img = h.Grab();
    // The thumb's top is at 314 - 98 = 216; the filled part runs below it.
    EXPECT_TRUE(Holds(img, 4, 216, s.Images().PicHandle2()));
    for (int x = 6; x <= 12; ++x)
        EXPECT_EQ(Colour(img.pixel(x, 260)), Colour(Rgb(200, 150, 0))) << x;
    EXPECT_EQ(Colour(img.pixel(5, 260)), Colour(Rgb(78, 71, 79)));
    EXPECT_EQ(Colour(img.pixel(8, 200)), Colour(Rgb(3, 3, 5)));

    s.setValue(100);
    img = h.Grab();
    EXPECT_EQ(Colour(img.pixel(8, 260)), Colour(Rgb(200, 0, 0)));
    s.setValue(10); // top at 314 - 56 = 258
    img = h.Grab();
    EXPECT_EQ(Colour(img.pixel(8, 290)), Colour(Rgb(200, 180, 0)));
}

TEST(SliderDrawing, BlendWhileDraggingIsClampedAndRounded)
{
    SliderModel model;
    model.LoadRange(0, 100);
    model.setStyle(1);
    model.setForeColor(RGBColor(0, 0, 255));
    model.setForeColor2(RGBColor(255, 100, 0));
    model.setValue(25);
    EXPECT_EQ(BlendedForeColor(model, 314), RGBColor(64, 25, 191)); // 63.75, 25, 191.25
    float x = 0;
    float y = 19; // DragPos 300, beyond H - 25: f is above 1, g below 0
    model.TrackPointer(x, y, QSize(20, 314));
    EXPECT_EQ(BlendedForeColor(model, 314), RGBColor(255, 104, 0));
    model.setSnap(true); // the value decides again
    EXPECT_EQ(BlendedForeColor(model, 314), RGBColor(255, 100, 0));
}

TEST(SliderDrawing, BackColorPaintsOnlyTheColourRowsOfTheUnfilledTrack)
{
    const QRgb kShading[20] = {
        Rgb(2, 2, 2),     Rgb(209, 209, 211), Rgb(204, 202, 207), Rgb(164, 157, 164),
        Rgb(55, 41, 41),  Rgb(78, 71, 78),    0, 0, 0, 0, 0, 0, 0,
        Rgb(140, 145, 139), Rgb(193, 193, 193), Rgb(63, 61, 64),
        Rgb(1, 3, 2),     Rgb(3, 3, 3),       Rgb(1, 3, 2),       Rgb(78, 71, 78)};
    SliderHost h(QSize(314, 20));
    h.slider->setValue(100);
    h.slider->setBackColor(RGBColor(0, 0, 255));
    QImage img = h.Grab();
    for (int y = 0; y < 20; ++y) {
        const QRgb expected = y >= 6 && y <= 12 ? Rgb(0, 0, 255) : kShading[y];
        EXPECT_EQ(Colour(img.pixel(50, y)), Colour(expected)) << y;
        EXPECT_EQ(Colour(img.pixel(250, y)), Colour(expected)) << y;
    }

    SliderHost v(QSize(20, 314), 1);
    v.slider->setBackColor(RGBColor(0, 0, 255));
    img = v.Grab();
    for (int x = 0; x < 20; ++x) {
        const QRgb expected = x >= 6 && x <= 12 ? Rgb(0, 0, 255) : kShading[x];
        EXPECT_EQ(Colour(img.pixel(x, 60)), Colour(expected)) << x;
    }
}
