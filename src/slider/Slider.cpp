#include "slider/Slider.h"

#include "common/RunTimeError.h"
#include "slider/PropertyBag.h"
#include "slider/modSliderDrawing.h"
#include "slider/modSliderGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

const QString Slider::kEntryValue = QStringLiteral("Value");
const QString Slider::kEntryMax = QStringLiteral("Max");
const QString Slider::kEntryMin = QStringLiteral("Min");
const QString Slider::kEntryBackColor = QStringLiteral("BackColor");
const QString Slider::kEntryForeColor = QStringLiteral("ForeColor");
const QString Slider::kEntryForeColor2 = QStringLiteral("ForeColor2");
const QString Slider::kEntryEnabled = QStringLiteral("Enabled");
const QString Slider::kEntrySnap = QStringLiteral("Snap");
const QString Slider::kEntryStyle = QStringLiteral("Style");
const QString Slider::kEntryStartSelect = QStringLiteral("StartSelect");
const QString Slider::kEntryEndSelect = QStringLiteral("EndSelect");

namespace {
// Colours are stored as 32-bit integers.
std::int32_t ColourEntry(OleColor lColor) { return static_cast<std::int32_t>(lColor); }
OleColor EntryColour(std::int32_t iEntry) { return static_cast<OleColor>(iEntry); }

// The classic virtual-key code of a Qt key: the arrows, letters and digits; 0 for every other key.
// Qt's codes for '%' (37) and '\'' (39) must not pass as the arrows.
int VirtualKeyOf(int iQtKey)
{
    switch (iQtKey) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    default:
        break;
    }
    if ((iQtKey >= Qt::Key_A && iQtKey <= Qt::Key_Z) || (iQtKey >= Qt::Key_0 && iQtKey <= Qt::Key_9))
        return iQtKey;
    return 0;
}

std::int16_t ButtonMaskOf(Qt::MouseButtons buttons)
{
    std::int16_t iMask = 0;
    if (buttons & Qt::LeftButton)
        iMask |= SliderModel::kLeftButton;
    if (buttons & Qt::RightButton)
        iMask |= SliderModel::kRightButton;
    if (buttons & Qt::MiddleButton)
        iMask |= SliderModel::kMiddleButton;
    return iMask;
}

std::int16_t ShiftMaskOf(Qt::KeyboardModifiers modifiers)
{
    std::int16_t iMask = 0;
    if (modifiers & Qt::ShiftModifier)
        iMask |= 1;
    if (modifiers & Qt::ControlModifier)
        iMask |= 2;
    if (modifiers & Qt::AltModifier)
        iMask |= 4;
    return iMask;
}

// Input from the event loop that overflows the 32-bit range (a key step past the limit, a pointer
// far beyond the track of a very wide range) changes nothing and is dropped: no error may cross
// the event loop.
template <typename Step>
void IgnoringOverflow(Step step)
{
    try {
        step();
    } catch (const RunTimeError &) {
    }
}
} // namespace

Slider::Slider(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Pointer moves without a button still tell the control where a click will land.
    setMouseTracking(true);
    UpdateSizeLimits();
    Redraw();
}

void Slider::UpdateSizeLimits()
{
    // Qt applies these at once, also to a hidden control and inside layouts; ApplySize then sees a
    // conforming size.
    if (m_model.IsVertical()) {
        setMinimumSize(SliderSizes::kThickness, SliderSizes::kMinimumLength);
        setMaximumSize(SliderSizes::kThickness, QWIDGETSIZE_MAX);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    } else {
        setMinimumSize(SliderSizes::kMinimumLength, SliderSizes::kThickness);
        setMaximumSize(QWIDGETSIZE_MAX, SliderSizes::kThickness);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
}

void Slider::setSliderStyle(std::int32_t eStyle)
{
    m_model.setStyle(eStyle);
    // The footprint turns before the new layout's limits apply.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(TurnedFootprint(m_model.IsVertical(), size()));
    ApplySize();
    m_model.ClearDrag();
    Redraw();
}

void Slider::setSliderEnabled(bool BolEnabled) { m_model.setEnabled(BolEnabled); }

void Slider::setSnap(bool BolSnap) { m_model.setSnap(BolSnap); }

void Slider::setBackColor(OleColor lColor)
{
    m_model.setBackColor(lColor);
    m_images.TintEmptyStrips(lColor);
    Redraw();
    emit Change();
}

void Slider::setForeColor(OleColor lColor)
{
    m_model.setForeColor(lColor);
    Redraw();
    emit Change();
}

void Slider::setForeColor2(OleColor lColor)
{
    m_model.setForeColor2(lColor);
    Redraw();
    emit Change();
}

void Slider::setValue(std::int32_t intValue)
{
    m_model.setValue(intValue);
    Redraw();
    emit Change();
}

void Slider::setMax(std::int32_t intMax)
{
    m_model.setMax(intMax);
    Redraw();
    emit Change();
}

void Slider::setMin(std::int32_t intMin)
{
    m_model.setMin(intMin);
    Redraw();
    emit Change();
}

void Slider::setSelectStart(std::int32_t iValue)
{
    m_model.setSelectStart(iValue);
    Redraw();
    emit Change();
}

void Slider::setSelectEnd(std::int32_t iValue)
{
    m_model.setSelectEnd(iValue);
    Redraw();
    emit Change();
}

void Slider::ReadProperties(const PropertyBag &PropBag)
{
    m_model.LoadRange(PropBag.ReadInt(kEntryMin, kDefaultMin),
                      PropBag.ReadInt(kEntryMax, kDefaultMax));
    setValue(PropBag.ReadInt(kEntryValue, kDefaultValue));
    setBackColor(EntryColour(PropBag.ReadInt(kEntryBackColor, ColourEntry(kDefaultBackColor))));
    setForeColor(EntryColour(PropBag.ReadInt(kEntryForeColor, ColourEntry(kDefaultForeColor))));
    setForeColor2(EntryColour(PropBag.ReadInt(kEntryForeColor2, ColourEntry(kDefaultForeColor2))));
    setSliderEnabled(PropBag.ReadBool(kEntryEnabled, kDefaultEnabled));
    setSnap(PropBag.ReadBool(kEntrySnap, kDefaultSnap));
    setSliderStyle(PropBag.ReadInt(kEntryStyle, kDefaultStyle));
    m_model.LoadSelection(PropBag.ReadInt(kEntryStartSelect, kDefaultStartSelect),
                          PropBag.ReadInt(kEntryEndSelect, kDefaultEndSelect));
    m_model.ClearDrag();
    Redraw();
}

void Slider::WriteProperties(PropertyBag &PropBag) const
{
    PropBag.WriteProperty(kEntryValue, Value(), kDefaultValue);
    PropBag.WriteProperty(kEntryMax, Max(), kDefaultMax);
    PropBag.WriteProperty(kEntryMin, Min(), kDefaultMin);
    PropBag.WriteProperty(kEntryBackColor, ColourEntry(BackColor()), ColourEntry(kDefaultBackColor));
    PropBag.WriteProperty(kEntryForeColor, ColourEntry(ForeColor()), ColourEntry(kDefaultForeColor));
    PropBag.WriteProperty(kEntryForeColor2, ColourEntry(ForeColor2()),
                          ColourEntry(kDefaultForeColor2));
    PropBag.WriteProperty(kEntryEnabled, SliderEnabled(), kDefaultEnabled);
    PropBag.WriteProperty(kEntrySnap, Snap(), kDefaultSnap);
    PropBag.WriteProperty(kEntryStyle, SliderStyle(), kDefaultStyle);
    PropBag.WriteProperty(kEntryStartSelect, m_model.SelectStart(), kDefaultStartSelect);
    PropBag.WriteProperty(kEntryEndSelect, m_model.SelectEnd(), kDefaultEndSelect);
}

void Slider::Redraw()
{
    if (DrawSlider(m_surface, size(), m_model, m_images, palette().color(QPalette::Window)))
        update();
}

void Slider::ApplySize()
{
    UpdateSizeLimits();
    const QSize applied = AppliedSize(m_model.IsVertical(), size());
    if (applied != size())
        resize(applied);
    m_model.ClearDrag();
    Redraw();
}

QSize Slider::sizeHint() const { return AppliedSize(m_model.IsVertical(), size()); }

QSize Slider::minimumSizeHint() const { return AppliedSize(m_model.IsVertical(), QSize(0, 0)); }

void Slider::paintEvent(QPaintEvent *)
{
    // A size change that has not reached resizeEvent yet (the control was hidden) is drawn now.
    if (m_surface.size() != size())
        IgnoringOverflow([this] {
            DrawSlider(m_surface, size(), m_model, m_images, palette().color(QPalette::Window));
        });
    QPainter painter(this);
    if (m_surface.size() != size())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawImage(0, 0, m_surface);
}

void Slider::resizeEvent(QResizeEvent *) { IgnoringOverflow([this] { ApplySize(); }); }

void Slider::keyPressEvent(QKeyEvent *event)
{
    const int iKeyCode = VirtualKeyOf(event->key());
    IgnoringOverflow([this, iKeyCode] { KeyDown(iKeyCode); });
    event->accept();
}

void Slider::KeyDown(int iKeyCode)
{
    m_model.KeyStep(iKeyCode);
    Redraw();
    emit Change();
    emit Scroll();
}

void Slider::TrackPointer(float &x, float &y)
{
    m_model.TrackPointer(x, y, size());
    Redraw();
    emit Scroll();
    emit Change();
}

void Slider::PointerMove(int iButton, float x, float y)
{
    if (iButton == SliderModel::kLeftButton && m_model.Enabled())
        TrackPointer(x, y);
    m_model.StorePointer(x, y);
}

void Slider::ClickControl()
{
    QPointer<Slider> self(this);
    emit Click();
    if (self)
        DblClickControl();
}

void Slider::DblClickControl()
{
    if (m_model.Enabled()) {
        m_model.TrackLastPointer(size());
        Redraw();
        QPointer<Slider> self(this);
        emit Scroll();
        if (!self)
            return;
        emit Change();
        if (!self)
            return;
    }
    emit DblClick(m_model.ValueField());
}

void Slider::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    const std::int16_t iButton = ButtonMaskOf(event->buttons());
    IgnoringOverflow([&] { PointerMove(iButton, float(pos.x()), float(pos.y())); });
    event->accept();
}

void Slider::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    const float x = float(pos.x());
    const float y = float(pos.y());
    // The classic platform always reports the pointer's arrival before a press; Qt need not (a
    // touch, a click right after the window appeared), and a click uses the last known position.
    if (x != m_model.LastX() || y != m_model.LastY()) {
        const std::int16_t iHeld = ButtonMaskOf(event->buttons() & ~event->button());
        IgnoringOverflow([&] { PointerMove(iHeld, x, y); });
    }
    if (event->button() == Qt::LeftButton) {
        m_bLeftPressed = true;
        m_bInDoubleClick = false;
    }
    event->accept();
}

void Slider::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    m_bLeftPressed = true;
    m_bInDoubleClick = true;
    IgnoringOverflow([this] { DblClickControl(); });
    event->accept();
}

void Slider::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    const bool bLeft = event->button() == Qt::LeftButton;
    const bool bClick = bLeft && m_bLeftPressed && !m_bInDoubleClick && QRectF(rect()).contains(pos);
    if (bLeft) {
        m_bLeftPressed = false;
        m_bInDoubleClick = false;
    }
    QPointer<Slider> self(this);
    emit MouseUp(ButtonMaskOf(event->button()), ShiftMaskOf(event->modifiers()), float(pos.x()),
                 float(pos.y()));
    if (self && bClick)
        IgnoringOverflow([this] { ClickControl(); });
    event->accept();
}
