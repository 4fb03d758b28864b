#pragma once

#include "common/Colour.h"
#include "slider/SliderImages.h"
#include "slider/SliderModel.h"

#include <QImage>
#include <QWidget>
#include <cstdint>

class PropertyBag;

// A custom-drawn slider: a whole-number Value inside Min..Max, and an independent selected range
// SelectStart..SelectEnd drawn as a band on the track. Horizontal (SliderStyle 0) or vertical
// (any other SliderStyle). It knows nothing of seconds or video.
//
// Two properties would clash with QWidget members and are named apart so that no call can reach
// the wrong one: the slider's own Enabled is SliderEnabled()/setSliderEnabled() (it only stops the
// mouse from moving the value; QWidget::setEnabled still disables the widget as Qt does), and its
// layout Style is SliderStyle()/setSliderStyle() (QWidget::setStyle still sets a QStyle).
//
// The notifications are delivered synchronously; connect them directly (DblClick hands out a
// reference, which only a direct connection carries). A repair or key step that overflows the
// 32-bit range throws the overflow RunTimeError and leaves the fields as they were; a range wider
// than 32 bits is stored but cannot be drawn, so its setter's redraw throws and no notification
// follows. Input from the event loop that overflows is dropped.
class Slider : public QWidget {
    Q_OBJECT

public:
    // The entries of the stored layout, and the defaults they are written with.
    static const QString kEntryValue;
    static const QString kEntryMax;
    static const QString kEntryMin;
    static const QString kEntryBackColor;
    static const QString kEntryForeColor;
    static const QString kEntryForeColor2;
    static const QString kEntryEnabled;
    static const QString kEntrySnap;
    static const QString kEntryStyle;
    static const QString kEntryStartSelect;
    static const QString kEntryEndSelect;
    static constexpr std::int32_t kDefaultValue = 50;
    static constexpr std::int32_t kDefaultMax = 100;
    static constexpr std::int32_t kDefaultMin = -100;
    static constexpr OleColor kDefaultBackColor = RGBColor(0, 0, 0);
    static constexpr OleColor kDefaultForeColor = RGBColor(200, 200, 0);
    static constexpr OleColor kDefaultForeColor2 = RGBColor(200, 0, 0);
    static constexpr bool kDefaultEnabled = true;
    static constexpr bool kDefaultSnap = false;
    static constexpr std::int32_t kDefaultStyle = 0;
    static constexpr std::int32_t kDefaultStartSelect = 0;
    static constexpr std::int32_t kDefaultEndSelect = 0;

    // Creation defaults: Value 50, Min -100, Max 100, black back colour, fore colours (200, 200, 0)
    // and (200, 0, 0) unsplit, Enabled, no Snap, horizontal, no selection.
    explicit Slider(QWidget *parent = nullptr);

    std::int32_t SliderStyle() const { return m_model.Style(); }
    void setSliderStyle(std::int32_t eStyle);
    bool SliderEnabled() const { return m_model.Enabled(); }
    void setSliderEnabled(bool BolEnabled);
    bool Snap() const { return m_model.Snap(); }
    void setSnap(bool BolSnap);
    OleColor BackColor() const { return m_model.BackColor(); }
    void setBackColor(OleColor lColor);
    OleColor ForeColor() const { return m_model.ForeColor(); }
    void setForeColor(OleColor lColor);
    OleColor ForeColor2() const { return m_model.ForeColor2(); }
    void setForeColor2(OleColor lColor);
    std::int32_t Value() const { return m_model.Value(); }
    void setValue(std::int32_t intValue);
    std::int32_t Max() const { return m_model.Max(); }
    void setMax(std::int32_t intMax);
    std::int32_t Min() const { return m_model.Min(); }
    void setMin(std::int32_t intMin);
    std::int32_t SelectStart() const { return m_model.SelectStart(); }
    void setSelectStart(std::int32_t iValue);
    std::int32_t SelectEnd() const { return m_model.SelectEnd(); }
    void setSelectEnd(std::int32_t iValue);

    // Restoring from and saving to the owner's stored layout (entries "Value", "Max", "Min",
    // "BackColor", "ForeColor", "ForeColor2", "Enabled", "Snap", "Style", "StartSelect",
    // "EndSelect"). The owner applies the control's place and size after restoring.
    void ReadProperties(const PropertyBag &PropBag);
    void WriteProperties(PropertyBag &PropBag) const;

    // Draws everything into the off-screen surface and presents it.
    void Redraw();
    // The size rules of the layout (minimum length 63, thickness 20), then a redraw.
    void ApplySize();

    // The whole state, for reading (LastX, DragPos, DragActive, the fore colour components ...).
    const SliderModel &Model() const { return m_model; }
    const SliderImages &Images() const { return m_images; }
    // What the last redraw drew.
    const QImage &Surface() const { return m_surface; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Raised last by every click and double click, with the slider's own Value field: a receiver
    // that writes it changes Value without clamping, drawing or notification.
    void DblClick(std::int32_t &Value);
    void Scroll();
    void Change();
    void Click();
    // Every button release: the released button (1 left, 2 right, 4 middle), the modifier mask
    // (1 Shift, 2 Ctrl, 4 Alt) and the pointer position in pixels.
    void MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void KeyDown(int iKeyCode);
    void PointerMove(int iButton, float x, float y);
    void TrackPointer(float &x, float &y);
    void ClickControl();
    void DblClickControl();
    void UpdateSizeLimits();

    SliderModel m_model;
    SliderImages m_images;
    QImage m_surface;
    // Qt reports press, release, (press,) double click, release; the classic order is release,
    // click, double click, release. A left press starts a click; the release that ends a double
    // click is not one.
    bool m_bLeftPressed = false;
    bool m_bInDoubleClick = false;
};
