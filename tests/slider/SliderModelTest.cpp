#include "common/RunTimeError.h"
#include "slider/SliderModel.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

SliderModel Range(std::int32_t iMin, std::int32_t iMax)
{
    SliderModel model;
    model.LoadRange(iMin, iMax);
    return model;
}

void ExpectSameFields(const SliderModel &a, const SliderModel &b)
{
    EXPECT_EQ(a.Value(), b.Value());
    EXPECT_EQ(a.Min(), b.Min());
    EXPECT_EQ(a.Max(), b.Max());
    EXPECT_EQ(a.DragPos(), b.DragPos());
    EXPECT_EQ(a.DragActive(), b.DragActive());
    EXPECT_EQ(a.LastX(), b.LastX());
    EXPECT_EQ(a.LastY(), b.LastY());
}
} // namespace

TEST(SliderModel, SettersRepairTheRangeAndTheValue)
{
    SliderModel model;
    model.setValue(500);
    EXPECT_EQ(model.Value(), 100);
    model.setValue(-500);
    EXPECT_EQ(model.Value(), -100);

    model.setMin(10);
    model.setValue(20);
    model.setMax(5);
    EXPECT_EQ(model.Max(), 11);
    EXPECT_EQ(model.Value(), 11);

    SliderModel other;
    other.setMin(200);
    EXPECT_EQ(other.Min(), 99);
    EXPECT_EQ(other.Value(), 99);
    other.setMax(99); // equal to Min: one above it
    EXPECT_EQ(other.Max(), 100);

    other.setSelectStart(-7);
    other.setSelectEnd(100000);
    EXPECT_EQ(other.SelectStart(), -7);
    EXPECT_EQ(other.SelectEnd(), 100000);
}

TEST(SliderModel, ColourSettersSplitTheComponents)
{
    SliderModel model;
    // Only the colour setters split the components, not the creation defaults.
    EXPECT_EQ(model.ForeColor(), RGBColor(200, 200, 0));
    EXPECT_EQ(model.ForeR(), 0);
    model.setForeColor(RGBColor(10, 20, 30));
    EXPECT_EQ(model.ForeR(), 10);
    EXPECT_EQ(model.ForeG(), 20);
    EXPECT_EQ(model.ForeB(), 30);
    model.setForeColor2(RGBColor(255, 1, 128));
    EXPECT_EQ(model.Fore2R(), 255);
    EXPECT_EQ(model.Fore2G(), 1);
    EXPECT_EQ(model.Fore2B(), 128);
    EXPECT_EQ(model.ForeColor2(), RGBColor(255, 1, 128));
}

TEST(SliderModel, EveryValueSetterDropsTheDraggedThumbButEnabledSnapAndStyleDoNot)
{
    SliderModel model = Range(0, 100);
    const QSize size(314, 20);
    float x = 100;
    float y = 5;
    auto drag = [&] {
        model.TrackPointer(x, y, size);
        ASSERT_TRUE(model.DragActive());
    };
    drag();
    model.setEnabled(false);
    model.setSnap(true);
    model.setStyle(0);
    EXPECT_TRUE(model.DragActive());
    drag();
    model.setValue(3);
    EXPECT_FALSE(model.DragActive());
    drag();
    model.setMax(100);
    EXPECT_FALSE(model.DragActive());
    drag();
    model.setMin(0);
    EXPECT_FALSE(model.DragActive());
    drag();
    model.setSelectStart(1);
    EXPECT_FALSE(model.DragActive());
    drag();
    model.setSelectEnd(1);
    EXPECT_FALSE(model.DragActive());
    drag();
    model.setBackColor(1);
    EXPECT_FALSE(model.DragActive());
    drag();
    model.setForeColor(1);
    EXPECT_FALSE(model.DragActive());
    drag();
    model.setForeColor2(1);
    EXPECT_FALSE(model.DragActive());
    drag();
    model.KeyStep(65);
    EXPECT_FALSE(model.DragActive());
}

TEST(SliderModel, KeysStepByOneAndEveryKeyClamps)
{
    SliderModel model = Range(0, 10);
    model.setValue(0);
    model.KeyStep(SliderModel::kKeyLeft);
    EXPECT_EQ(model.Value(), 0);
    model.KeyStep(SliderModel::kKeyRight);
    model.KeyStep(SliderModel::kKeyRight);
    EXPECT_EQ(model.Value(), 2);
    model.KeyStep(SliderModel::kKeyLeft);
    EXPECT_EQ(model.Value(), 1);
    model.KeyStep(38); // the other arrows do not step
    model.KeyStep(40);
    EXPECT_EQ(model.Value(), 1);
    model.setValue(10);
    model.KeyStep(SliderModel::kKeyRight);
    EXPECT_EQ(model.Value(), 10);

    // A value written around the setters (the double-click receiver) is clamped by any key.
    model.ValueField() = 5000;
    model.KeyStep(65);
    EXPECT_EQ(model.Value(), 10);
    model.ValueField() = -5000;
    model.KeyStep(0);
    EXPECT_EQ(model.Value(), 0);
}

TEST(SliderModel, TrackPointerRoundsHalvesUp)
{
    // W 300 gives a track of L = 256 pixels; with Max 128 every pixel is half a value.
    SliderModel model = Range(0, 128);
    const QSize size(300, 20);
    float y = 0;
    for (auto [fX, iExpected] : {std::pair{24.0f, 3}, {22.0f, 2}, {26.0f, 4}}) {
        float x = fX;
        model.TrackPointer(x, y, size);
        EXPECT_EQ(model.Value(), iExpected) << fX;
        EXPECT_TRUE(model.DragActive());
        EXPECT_EQ(model.DragPos(), fX - 9.5f); // inside the clamp the thumb's middle follows
    }
}

TEST(SliderModel, DraggingPastTheEndsClampsTheValueAndTheThumb)
{
    SliderModel model = Range(0, 100);
    const QSize size(314, 20);
    float x = 5;
    float y = 7;
    model.TrackPointer(x, y, size);
    EXPECT_EQ(model.Value(), 0);
    EXPECT_EQ(x, 19.5f);
    EXPECT_EQ(y, 7.0f);
    EXPECT_EQ(model.DragPos(), 10.0f);
    EXPECT_EQ(model.ThumbPosition(size), 10);

    x = 400;
    model.TrackPointer(x, y, size);
    EXPECT_EQ(model.Value(), 100);
    EXPECT_EQ(x, 290.5f);
    EXPECT_EQ(model.DragPos(), 281.0f);
    EXPECT_EQ(model.ThumbPosition(size), 281);
    model.setSnap(true);
    EXPECT_EQ(model.ThumbPosition(size), 280);
}

TEST(SliderModel, VerticalTrackPointerGrowsUpwards)
{
    SliderModel model = Range(0, 100);
    model.setStyle(1);
    const QSize size(20, 314);
    float x = 3;
    float y = 19;
    model.TrackPointer(x, y, size);
    EXPECT_EQ(model.Value(), 100);
    EXPECT_EQ(y, 19.5f);
    EXPECT_EQ(x, 3.0f);
    EXPECT_EQ(model.DragPos(), 300.0f); // 314 - (19.5 - 9.5) - 4

    y = 400;
    model.TrackPointer(x, y, size);
    EXPECT_EQ(model.Value(), 0);
    EXPECT_EQ(y, 290.5f);
    EXPECT_EQ(model.DragPos(), 29.0f);

    y = 154; // (154 - 19) / 270 * 100 = 50
    model.TrackPointer(x, y, size);
    EXPECT_EQ(model.Value(), 50);
}

TEST(SliderModel, TrackingTheLastPointerWritesTheClampBack)
{
    SliderModel model = Range(0, 100);
    model.StorePointer(2, 9);
    model.TrackLastPointer(QSize(314, 20));
    EXPECT_EQ(model.LastX(), 19.5f);
    EXPECT_EQ(model.LastY(), 9.0f);
    EXPECT_EQ(model.Value(), 0);
}

TEST(SliderModel, OverflowAtThe32BitLimitsLeavesTheFields)
{
    SliderModel top = Range(kIntMax - 10, kIntMax);
    top.setValue(kIntMax);
    SliderModel before = top;
    EXPECT_THROW(top.KeyStep(SliderModel::kKeyRight), RunTimeError);
    ExpectSameFields(top, before);

    SliderModel bottom = Range(kIntMin, kIntMin + 10);
    bottom.setValue(kIntMin);
    before = bottom;
    EXPECT_THROW(bottom.KeyStep(SliderModel::kKeyLeft), RunTimeError);
    ExpectSameFields(bottom, before);

    SliderModel loading;
    before = loading;
    EXPECT_THROW(loading.LoadRange(kIntMax, 0), RunTimeError); // Max would be Min + 1
    ExpectSameFields(loading, before);

    // A pointer far beyond the track of a range this wide leaves the 32-bit range.
    SliderModel wide = Range(0, kIntMax);
    before = wide;
    float x = 400;
    float y = 0;
    EXPECT_THROW(wide.TrackPointer(x, y, QSize(314, 20)), RunTimeError);
    EXPECT_EQ(x, 400.0f);
    ExpectSameFields(wide, before);
    x = 289; // the end of the track: exactly D
    wide.TrackPointer(x, y, QSize(314, 20)); // still inside: fine
    EXPECT_EQ(wide.Value(), kIntMax);

    // A range wider than 32 bits cannot be tracked either.
    SliderModel widest = Range(kIntMin, kIntMax);
    x = 100;
    EXPECT_THROW(widest.TrackPointer(x, y, QSize(314, 20)), RunTimeError);
}
