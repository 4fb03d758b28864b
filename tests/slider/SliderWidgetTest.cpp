#include "SliderTestHelpers.h"
#include "common/RunTimeError.h"
#include "slider/PropertyBag.h"
#include "slider/modSliderLayout.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

QStringList Names(std::initializer_list<const char *> names)
{
    QStringList list;
    for (const char *s : names)
        list << QString::fromLatin1(s);
    return list;
}
} // namespace

TEST(SliderSetters, RaiseChangeAfterTheirRedrawEvenWhenNothingChanged)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    EventLog log(s);
    int iThumbSeen = -1;
    QObject::connect(&s, &Slider::Change, [&] {
        for (int x = 0; x <= 295; ++x)
            if (Holds(s.Surface(), x, 4, s.Images().PicHandle()))
                iThumbSeen = x;
    });
    s.setValue(500);
    EXPECT_EQ(s.Value(), 100);
    EXPECT_EQ(iThumbSeen, 280);
    s.setValue(100);
    s.setValue(0);
    EXPECT_EQ(iThumbSeen, 10);
    EXPECT_EQ(log.names, Names({"Change", "Change", "Change"}));

    log.names.clear();
    s.setMax(100);
    s.setMin(0);
    s.setSelectStart(-7);
    s.setSelectEnd(1000);
    s.setBackColor(0);
    s.setForeColor(0);
    s.setForeColor2(0);
    EXPECT_EQ(log.names.size(), 7);
    EXPECT_EQ(s.SelectStart(), -7);
    EXPECT_EQ(s.SelectEnd(), 1000);

    log.names.clear();
    s.setSliderEnabled(false);
    s.setSnap(true);
    s.setSliderStyle(0);
    EXPECT_TRUE(log.names.isEmpty());
}

TEST(SliderSetters, AFailingRedrawStopsBeforeTheNotification)
{
    Slider s; // Min -100: a Max of 2147483647 makes the range wider than 32 bits
    EventLog log(s);
    EXPECT_THROW(s.setMax(kIntMax), RunTimeError);
    EXPECT_TRUE(log.names.isEmpty());
    s.setMax(100); // drawable again
    EXPECT_EQ(log.names, Names({"Change"}));
}

TEST(SliderSetters, EnabledAndStyleDoNotReachQtsMembersNorTheOtherWayRound)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    QWidget *w = &s;
    w->setEnabled(false);
    EXPECT_TRUE(s.SliderEnabled());
    w->setEnabled(true);
    s.setSliderEnabled(false);
    EXPECT_TRUE(s.isEnabled());
    EXPECT_FALSE(s.SliderEnabled());
    const QSize before = s.size();
    w->setStyle(w->style());
    EXPECT_EQ(s.SliderStyle(), 0);
    EXPECT_EQ(s.size(), before);
}

TEST(SliderSize, StyleTurnsTheFootprintAndBack)
{
    SliderHost h(QSize(400, 20));
    Slider &s = *h.slider;
    ASSERT_EQ(s.size(), QSize(400, 20));
    s.setSliderStyle(1);
    EXPECT_EQ(s.size(), QSize(20, 400));
    s.setSliderStyle(0);
    EXPECT_EQ(s.size(), QSize(400, 20));
    s.setSliderStyle(-3); // any non-zero style is vertical
    EXPECT_EQ(s.size(), QSize(20, 400));

    // The same on a control that is not shown.
    Slider hidden;
    hidden.resize(400, 20);
    hidden.setSliderStyle(1);
    EXPECT_EQ(hidden.size(), QSize(20, 400));
    hidden.setSliderStyle(0);
    EXPECT_EQ(hidden.size(), QSize(400, 20));
}

TEST(SliderSize, KeepsTheMinimumLengthAndTheThickness)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    s.resize(30, 20);
    EXPECT_EQ(s.size(), QSize(63, 20));
    s.resize(200, 50);
    EXPECT_EQ(s.size(), QSize(200, 20));
    EXPECT_EQ(h.Grab().size(), QSize(200, 20));
    s.setSliderStyle(1);
    s.resize(50, 30);
    EXPECT_EQ(s.size(), QSize(20, 63));
}

TEST(SliderSize, ASizeChangeDropsTheDraggedThumb)
{
    SliderHost h(QSize(314, 20));
    QTest::mousePress(h.Window(), Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(h.Window(), QPoint(120, 10));
    EXPECT_TRUE(h.slider->Model().DragActive());
    h.slider->resize(300, 20);
    EXPECT_FALSE(h.slider->Model().DragActive());
    QTest::mouseRelease(h.Window(), Qt::LeftButton, {}, QPoint(120, 10));
}

TEST(SliderKeys, ArrowsStepAndEveryKeyClampsRedrawsAndNotifies)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    EventLog log(s);
    QTest::keyClick(&s, Qt::Key_Right);
    EXPECT_EQ(s.Value(), 51);
    EXPECT_EQ(log.names, Names({"Change", "Scroll"}));
    QTest::keyClick(&s, Qt::Key_Left);
    QTest::keyClick(&s, Qt::Key_Left);
    EXPECT_EQ(s.Value(), 49);

    // Qt's codes for '%' and '\'' are the classic codes of the arrows; they must not step.
    log.names.clear();
    QTest::keyClick(&s, Qt::Key_Percent);
    EXPECT_EQ(s.Value(), 49);
    QTest::keyClick(&s, Qt::Key_Apostrophe);
    EXPECT_EQ(s.Value(), 49);
    QTest::keyClick(&s, Qt::Key_A);
    EXPECT_EQ(s.Value(), 49);
    EXPECT_EQ(log.names, Names({"Change", "Scroll", "Change", "Scroll", "Change", "Scroll"}));

    s.setValue(0);
    log.names.clear();
    QTest::keyClick(&s, Qt::Key_Left);
    EXPECT_EQ(s.Value(), 0);
    EXPECT_EQ(log.names, Names({"Change", "Scroll"}));
    s.setValue(100);
    QTest::keyClick(&s, Qt::Key_Right);
    EXPECT_EQ(s.Value(), 100);

    // Enabled is not consulted, nor is the layout.
    s.setSliderEnabled(false);
    QTest::keyClick(&s, Qt::Key_Left);
    EXPECT_EQ(s.Value(), 99);
    s.setSliderStyle(1);
    QTest::keyClick(&s, Qt::Key_Right);
    EXPECT_EQ(s.Value(), 100);
}

TEST(SliderKeys, AnyKeyDropsADraggedThumbBackToTheValue)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    QTest::mousePress(h.Window(), Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(h.Window(), QPoint(400, 10));
    QTest::mouseRelease(h.Window(), Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_TRUE(Holds(h.Grab(), 281, 4, s.Images().PicHandle()));
    QTest::keyClick(&s, Qt::Key_Shift);
    EXPECT_FALSE(s.Model().DragActive());
    EXPECT_TRUE(Holds(h.Grab(), 280, 4, s.Images().PicHandle()));
}

TEST(SliderKeys, AStepPastThe32BitLimitChangesNothing)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    s.setMin(kIntMax - 100);
    s.setMax(kIntMax);
    s.setValue(kIntMax);
    EventLog log(s);
    QTest::keyClick(&s, Qt::Key_Right);
    EXPECT_EQ(s.Value(), kIntMax);
    EXPECT_TRUE(log.names.isEmpty());
    QTest::keyClick(&s, Qt::Key_Left);
    EXPECT_EQ(s.Value(), kIntMax - 1);
}

TEST(SliderMouse, AClickRaisesClickScrollChangeDblClickAfterTheRelease)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    EventLog log(s);
    std::int32_t iValueAtRelease = -1;
    std::int16_t iButton = 0;
    std::int16_t iShift = 0;
    QPointF released;
    QObject::connect(&s, &Slider::MouseUp, [&](std::int16_t b, std::int16_t k, float x, float y) {
        iValueAtRelease = s.Value();
        iButton = b;
        iShift = k;
        released = QPointF(x, y);
    });
    QTest::mouseClick(h.Window(), Qt::LeftButton, Qt::ShiftModifier, QPoint(150, 10));
    EXPECT_EQ(log.names, Names({"MouseUp", "Click", "Scroll", "Change", "DblClick"}));
    EXPECT_EQ(iValueAtRelease, 50); // the owner sees the value before the click moves it
    EXPECT_EQ(iButton, 1);
    EXPECT_EQ(iShift, 1);
    EXPECT_EQ(released, QPointF(150, 10));
    EXPECT_EQ(s.Value(), 49); // (150 - 19) / 270 * 100 = 48.52
    EXPECT_TRUE(s.Model().DragActive());

    log.names.clear();
    QTest::mouseClick(h.Window(), Qt::RightButton, Qt::ControlModifier, QPoint(250, 10));
    EXPECT_EQ(log.names, Names({"MouseUp"}));
    EXPECT_EQ(iButton, 2);
    EXPECT_EQ(iShift, 2);
    EXPECT_EQ(s.Value(), 49);
}

TEST(SliderMouse, WithoutEnabledAClickRaisesOnlyClickAndDblClick)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    s.setSliderEnabled(false);
    EventLog log(s);
    QTest::mouseClick(h.Window(), Qt::LeftButton, {}, QPoint(250, 10));
    EXPECT_EQ(log.names, Names({"MouseUp", "Click", "DblClick"}));
    EXPECT_EQ(s.Value(), 50);

    log.names.clear();
    QTest::mousePress(h.Window(), Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(h.Window(), QPoint(200, 10));
    EXPECT_TRUE(log.names.isEmpty());
    EXPECT_EQ(s.Value(), 50);
    EXPECT_EQ(s.Model().LastX(), 200.0f);
    QTest::mouseRelease(h.Window(), Qt::LeftButton, {}, QPoint(200, 10));
}

TEST(SliderMouse, ADoubleClickArrivesAsReleaseClickDoubleClickRelease)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    EventLog log(s);
    QTest::mouseDClick(h.Window(), Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(log.names, Names({"MouseUp", "Click", "Scroll", "Change", "DblClick", "Scroll",
                                "Change", "DblClick", "MouseUp"}));
    EXPECT_EQ(s.Value(), 30); // (100 - 19) / 270 * 100
}

TEST(SliderMouse, ADblClickReceiverWritesTheValueItself)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    EventLog log(s);
    QObject::connect(&s, &Slider::DblClick, [](std::int32_t &Value) { Value = 5000; });
    QTest::mouseClick(h.Window(), Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(s.Value(), 5000); // unclamped
    EXPECT_EQ(log.names.last(), QStringLiteral("DblClick"));
    // Undrawn: the thumb stays at the clicked position (dragged, without Snap: x - 9.5).
    EXPECT_TRUE(Holds(h.Grab(), 140, 4, s.Images().PicHandle()));
    QTest::keyClick(&s, Qt::Key_Space);
    EXPECT_EQ(s.Value(), 100);
}

TEST(SliderMouse, DraggingWithTheLeftButtonFollowsThePointerBetweenTheCaps)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    EventLog log(s);
    QTest::mousePress(h.Window(), Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_TRUE(log.names.isEmpty());
    QTest::mouseMove(h.Window(), QPoint(5, 10));
    EXPECT_EQ(s.Value(), 0);
    EXPECT_EQ(log.names, Names({"Scroll", "Change"}));
    EXPECT_TRUE(Holds(h.Grab(), 10, 4, s.Images().PicHandle()));
    EXPECT_EQ(s.Model().LastX(), 19.5f); // the clamp is what is remembered
    QTest::mouseMove(h.Window(), QPoint(400, 10));
    EXPECT_EQ(s.Value(), 100);
    EXPECT_TRUE(Holds(h.Grab(), 281, 4, s.Images().PicHandle()));
    QTest::mouseRelease(h.Window(), Qt::LeftButton, {}, QPoint(400, 10));
    // The release outside is no click, and it leaves the thumb where the pointer put it.
    EXPECT_EQ(log.names.last(), QStringLiteral("MouseUp"));
    EXPECT_TRUE(s.Model().DragActive());
    EXPECT_TRUE(Holds(h.Grab(), 281, 4, s.Images().PicHandle()));
    s.setValue(100);
    EXPECT_TRUE(Holds(h.Grab(), 280, 4, s.Images().PicHandle()));

    s.setSnap(true);
    QTest::mousePress(h.Window(), Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(h.Window(), QPoint(400, 10));
    EXPECT_TRUE(Holds(h.Grab(), 280, 4, s.Images().PicHandle()));
    QTest::mouseMove(h.Window(), QPoint(151, 10)); // 48.9: value 49, drawn at its position
    EXPECT_EQ(s.Value(), 49);
    EXPECT_TRUE(Holds(h.Grab(), s.Model().PositionOf(49, s.size()), 4, s.Images().PicHandle()));
    QTest::mouseRelease(h.Window(), Qt::LeftButton, {}, QPoint(400, 10));
}

TEST(SliderMouse, MovesWithOtherButtonsOnlyRememberThePosition)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    EventLog log(s);
    QTest::mousePress(h.Window(), Qt::RightButton, {}, QPoint(100, 10));
    QTest::mouseMove(h.Window(), QPoint(200, 12));
    EXPECT_EQ(s.Model().LastX(), 200.0f);
    EXPECT_EQ(s.Model().LastY(), 12.0f);
    QTest::mousePress(h.Window(), Qt::LeftButton, {}, QPoint(200, 12));
    QTest::mouseMove(h.Window(), QPoint(250, 11));
    EXPECT_EQ(s.Model().LastX(), 250.0f);
    EXPECT_EQ(s.Value(), 50);
    EXPECT_FALSE(s.Model().DragActive());
    EXPECT_TRUE(log.names.isEmpty());
    QTest::mouseRelease(h.Window(), Qt::RightButton, {}, QPoint(250, 11));
    QTest::mouseRelease(h.Window(), Qt::LeftButton, {}, QPoint(250, 11));

    // Without a button the pointer is remembered too, and a click lands there.
    log.names.clear();
    QTest::mouseMove(h.Window(), QPoint(60, 3));
    EXPECT_EQ(s.Model().LastX(), 60.0f);
    EXPECT_TRUE(log.names.isEmpty());
}

TEST(SliderMouse, VerticalDragGrowsUpwards)
{
    SliderHost h(QSize(20, 314), 1);
    Slider &s = *h.slider;
    QTest::mousePress(h.Window(), Qt::LeftButton, {}, QPoint(10, 200));
    QTest::mouseMove(h.Window(), QPoint(10, 19));
    EXPECT_EQ(s.Value(), 100);
    EXPECT_EQ(s.Model().LastY(), 19.5f);
    // DragPos 300: the thumb's top at 314 - 300.
    EXPECT_TRUE(Holds(h.Grab(), 4, 14, s.Images().PicHandle2()));
    QTest::mouseMove(h.Window(), QPoint(10, 154));
    EXPECT_EQ(s.Value(), 50);
    QTest::mouseRelease(h.Window(), Qt::LeftButton, {}, QPoint(10, 154));
}

TEST(SliderMouse, APointerBeyondTheTrackOfAVeryWideRangeIsDropped)
{
    SliderHost h(QSize(314, 20));
    Slider &s = *h.slider;
    s.setMax(kIntMax);
    EventLog log(s);
    QTest::mousePress(h.Window(), Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(h.Window(), QPoint(450, 10));
    EXPECT_EQ(s.Value(), 50);
    EXPECT_TRUE(log.names.isEmpty());
    QTest::mouseMove(h.Window(), QPoint(289, 10));
    EXPECT_EQ(s.Value(), kIntMax);
    QTest::mouseRelease(h.Window(), Qt::LeftButton, {}, QPoint(289, 10));
}

TEST(SliderLayout, LoadsInOrderWithEachSettersEffects)
{
    PropertyBag bag;
    bag.WriteProperty(Slider::kEntryValue, 500, 50);
    bag.WriteProperty(Slider::kEntryMax, 1000, 100);
    bag.WriteProperty(Slider::kEntryMin, 0, -100);
    bag.WriteProperty(Slider::kEntryStartSelect, 2000, 0);
    bag.WriteProperty(Slider::kEntryEndSelect, -3, 0);
    Slider s;
    EventLog log(s);
    s.ReadProperties(bag);
    EXPECT_EQ(s.Value(), 500);
    EXPECT_EQ(s.Max(), 1000);
    EXPECT_EQ(s.Min(), 0);
    EXPECT_EQ(s.SelectStart(), 2000); // straight into the fields, unchanged
    EXPECT_EQ(s.SelectEnd(), -3);
    // Value, BackColor, ForeColor and ForeColor2 announce themselves.
    EXPECT_EQ(log.names, Names({"Change", "Change", "Change", "Change"}));

    PropertyBag reversed;
    reversed.WriteProperty(Slider::kEntryMin, 10, -100);
    reversed.WriteProperty(Slider::kEntryMax, 5, 100);
    reversed.WriteProperty(Slider::kEntryValue, 500, 50);
    Slider r;
    r.ReadProperties(reversed);
    EXPECT_EQ(r.Max(), 11);
    EXPECT_EQ(r.Value(), 11);
}

TEST(SliderLayout, AnEmptyLayoutGivesTheDefaultsAndTheStyleTurnWidensTo63)
{
    Slider s;
    s.resize(300, 20);
    s.ReadProperties(PropertyBag());
    EXPECT_EQ(s.Value(), 50);
    EXPECT_EQ(s.Max(), 100);
    EXPECT_EQ(s.Min(), -100);
    EXPECT_EQ(s.BackColor(), RGBColor(0, 0, 0));
    EXPECT_EQ(s.ForeColor(), RGBColor(200, 200, 0));
    EXPECT_EQ(s.ForeColor2(), RGBColor(200, 0, 0));
    EXPECT_TRUE(s.SliderEnabled());
    EXPECT_FALSE(s.Snap());
    EXPECT_EQ(s.SliderStyle(), 0);
    EXPECT_EQ(s.SelectStart(), 0);
    EXPECT_EQ(s.SelectEnd(), 0);
    EXPECT_EQ(s.Model().ForeR(), 200); // the colour setters ran
    EXPECT_EQ(s.Images().PicEmptyFill().pixel(0, 6), Rgb(0, 0, 0));
    EXPECT_EQ(s.size(), QSize(63, 20));

    PropertyBag saved;
    s.WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 0);
    Slider fresh;
    fresh.WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 0);
}

TEST(SliderLayout, SavesInTheTableOrderAndRestoresTheSame)
{
    Slider s;
    s.setMin(0);
    s.setMax(1000);
    s.setValue(7);
    s.setBackColor(RGBColor(0, 0, 255));
    s.setForeColor(RGBColor(1, 2, 3));
    s.setForeColor2(RGBColor(4, 5, 6));
    s.setSliderEnabled(false);
    s.setSnap(true);
    s.setSliderStyle(1);
    s.setSelectStart(3);
    s.setSelectEnd(9);
    PropertyBag bag;
    s.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), Names({"Value", "Max", "Min", "BackColor", "ForeColor", "ForeColor2",
                                  "Enabled", "Snap", "Style", "StartSelect", "EndSelect"}));
    EXPECT_EQ(bag.ReadInt(QStringLiteral("BackColor"), 0), 0xFF0000);
    EXPECT_FALSE(bag.ReadBool(QStringLiteral("Enabled"), true));

    Slider r;
    r.ReadProperties(bag);
    EXPECT_EQ(r.Value(), 7);
    EXPECT_EQ(r.Max(), 1000);
    EXPECT_EQ(r.Min(), 0);
    EXPECT_EQ(r.BackColor(), RGBColor(0, 0, 255));
    EXPECT_EQ(r.ForeColor(), RGBColor(1, 2, 3));
    EXPECT_EQ(r.ForeColor2(), RGBColor(4, 5, 6));
    EXPECT_FALSE(r.SliderEnabled());
    EXPECT_TRUE(r.Snap());
    EXPECT_EQ(r.SliderStyle(), 1);
    EXPECT_EQ(r.SelectStart(), 3);
    EXPECT_EQ(r.SelectEnd(), 9);
    EXPECT_EQ(r.width(), 20);
    EXPECT_FALSE(r.Model().DragActive());
}

TEST(SliderLayout, TheWindowsSliderComesFromItsStoredLayout)
{
    QWidget window;
    Slider *s = CreateMainSlider(&window);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->parent(), &window);
    EXPECT_EQ(s->objectName(), QStringLiteral("Slider"));
    EXPECT_EQ(window.findChild<Slider *>(QStringLiteral("Slider")), s);
    EXPECT_EQ(s->size(), QSize(314, 20));
    EXPECT_EQ(s->Min(), 0);
    EXPECT_EQ(s->Max(), 1000000);
    EXPECT_EQ(s->Value(), 0);
    EXPECT_FALSE(s->SliderEnabled());
    EXPECT_TRUE(s->isEnabled());
    EXPECT_EQ(s->SliderStyle(), 0);
    EXPECT_EQ(s->Surface().size(), QSize(314, 20));
    EXPECT_TRUE(Holds(s->Surface(), 10, 4, s->Images().PicHandle()));

    PropertyBag layout;
    s->WriteProperties(layout);
    EXPECT_EQ(layout.Names(), MainSliderLayout().Names());
}
