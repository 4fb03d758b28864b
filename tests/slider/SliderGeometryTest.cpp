#include "common/RunTimeError.h"
#include "slider/modSliderGeometry.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
}

TEST(SliderGeometry, RoundHalfUpTakesHalvesUpwards)
{
    EXPECT_EQ(RoundHalfUp(2.5), 3);
    EXPECT_EQ(RoundHalfUp(1.5), 2);
    EXPECT_EQ(RoundHalfUp(3.49), 3);
    EXPECT_EQ(RoundHalfUp(-2.5), -2);
    EXPECT_EQ(RoundHalfUp(-5.185), -5);
}

TEST(SliderGeometry, HorizontalThumbPositionsOnA314PixelTrack)
{
    const QSize size(314, 20);
    EXPECT_EQ(PositionOf(50, 0, 100, false, size), 146); // a = 135, b = R(145.5) = 146
    EXPECT_EQ(PositionOf(0, 0, 100, false, size), 10);
    EXPECT_EQ(PositionOf(100, 0, 100, false, size), 280);
    // The three roundings are part of the result: with Min -100, b = R(-124.5) = -124.
    EXPECT_EQ(PositionOf(-100, -100, 100, false, size), 11);
    EXPECT_EQ(PositionOf(0, -100, 100, false, size), 145);
    // Values outside the range go beyond the track, without failing.
    EXPECT_EQ(PositionOf(200, 0, 100, false, size), 550);
}

TEST(SliderGeometry, HorizontalThumbOfARangeFromZeroLandsOnEvenPixels)
{
    for (int iWidth : {63, 100, 301, 314, 777}) {
        for (std::int32_t iMax : {1, 7, 100, 1000000}) {
            for (std::int32_t v : {0, 1, iMax / 3, iMax / 2, iMax - 1, iMax}) {
                const std::int64_t x = PositionOf(v, 0, iMax, false, QSize(iWidth, 20));
                EXPECT_EQ(x % 2, 0) << iWidth << " " << iMax << " " << v;
            }
        }
    }
}

TEST(SliderGeometry, VerticalThumbIsMeasuredFromTheBottom)
{
    const QSize size(20, 314);
    EXPECT_EQ(PositionOf(50, 0, 100, true, size), 164); // top at y = 314 - 164 = 150
    EXPECT_EQ(PositionOf(0, 0, 100, true, size), 30);   // R(29.5) = 30
    EXPECT_EQ(PositionOf(100, 0, 100, true, size), 300);
    EXPECT_EQ(PositionOf(25, 0, 100, true, size), 98); // a = R(67.5) = 68
}

TEST(SliderGeometry, ARangeWiderThan32BitsFails)
{
    EXPECT_THROW(PositionOf(0, -2, kIntMax, false, QSize(314, 20)), RunTimeError);
    try {
        PositionOf(0, std::numeric_limits<std::int32_t>::min(), 1, true, QSize(20, 314));
        FAIL() << "no overflow";
    } catch (const RunTimeError &e) {
        EXPECT_EQ(e.Number(), RunTimeError::Overflow);
    }
    EXPECT_EQ(PositionOf(kIntMax, kIntMax - 1, kIntMax, false, QSize(314, 20)), 280);
}

TEST(SliderGeometry, SizeRulesKeepTheMinimumLengthAndTheThickness)
{
    EXPECT_EQ(AppliedSize(false, QSize(30, 20)), QSize(63, 20));
    EXPECT_EQ(AppliedSize(false, QSize(400, 50)), QSize(400, 20));
    EXPECT_EQ(AppliedSize(false, QSize(63, 5)), QSize(63, 20));
    EXPECT_EQ(AppliedSize(true, QSize(20, 30)), QSize(20, 63));
    EXPECT_EQ(AppliedSize(true, QSize(50, 400)), QSize(20, 400));

    EXPECT_EQ(TurnedFootprint(true, QSize(400, 20)), QSize(400, 400));
    EXPECT_EQ(TurnedFootprint(false, QSize(20, 400)), QSize(400, 400));
    EXPECT_EQ(AppliedSize(true, TurnedFootprint(true, QSize(400, 20))), QSize(20, 400));
    EXPECT_EQ(AppliedSize(false, TurnedFootprint(false, QSize(20, 400))), QSize(400, 20));
}
