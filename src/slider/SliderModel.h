#pragma once

#include "common/Colour.h"

#include <QSize>
#include <cstdint>

// The slider's state and its value arithmetic, without a widget: the setters' storing and repairs,
// the key steps and the pointer tracking. The widget adds the drawing and the notifications.
// Every step that fails with the overflow RunTimeError leaves all fields as they were.
class SliderModel {
public:
    // Classic key codes of the two arrow keys that step the value.
    static constexpr int kKeyLeft = 37;
    static constexpr int kKeyRight = 39;
    // The classic button mask bits.
    static constexpr int kLeftButton = 1;
    static constexpr int kRightButton = 2;
    static constexpr int kMiddleButton = 4;

    // The creation defaults, set directly in the fields.
    SliderModel();

    std::int32_t SelectStart() const { return m_SelectStart; }
    std::int32_t SelectEnd() const { return m_SelectEnd; }
    float LastX() const { return m_LastX; }
    float LastY() const { return m_LastY; }
    std::int32_t Value() const { return m_Value; }
    std::int32_t Max() const { return m_Max; }
    std::int32_t Min() const { return m_Min; }
    float DragPos() const { return m_DragPos; }
    bool Enabled() const { return m_Enabled; }
    bool Snap() const { return m_Snap; }
    bool DragActive() const { return m_DragActive; }
    std::int32_t Style() const { return m_Style; }
    OleColor BackColor() const { return m_BackColor; }
    OleColor ForeColor() const { return m_ForeColor; }
    OleColor ForeColor2() const { return m_ForeColor2; }
    float ForeR() const { return m_ForeR; }
    float ForeG() const { return m_ForeG; }
    float ForeB() const { return m_ForeB; }
    float Fore2R() const { return m_Fore2R; }
    float Fore2G() const { return m_Fore2G; }
    float Fore2B() const { return m_Fore2B; }
    bool IsVertical() const { return m_Style != 0; }

    // The field itself: the double-click notification hands it to its receiver, whose writes are
    // neither clamped nor drawn.
    std::int32_t &ValueField() { return m_Value; }

    // Storing and repairing; all but the last three also clear DragActive.
    void setValue(std::int32_t intValue);
    void setMax(std::int32_t intMax);
    void setMin(std::int32_t intMin);
    void setSelectStart(std::int32_t iValue);
    void setSelectEnd(std::int32_t iValue);
    void setBackColor(OleColor lColor);
    void setForeColor(OleColor lColor);
    void setForeColor2(OleColor lColor);
    void setStyle(std::int32_t eStyle);
    void setEnabled(bool BolEnabled);
    void setSnap(bool BolSnap);

    void ClearDrag() { m_DragActive = false; }

    // Restoring: the range straight into the fields (Max repaired to Min + 1 when not above Min),
    // then, at the end, the selection straight into its fields.
    void LoadRange(std::int32_t iMin, std::int32_t iMax);
    void LoadSelection(std::int32_t iStart, std::int32_t iEnd);

    // A key press: 37 steps down by one, 39 up by one, any other key nothing; then the value is
    // clamped and DragActive cleared.
    void KeyStep(int iKeyCode);

    // The value, DragPos and DragActive from a pointer position of a control of the given size;
    // the clamped coordinate is written back to x (horizontal) or y (vertical).
    void TrackPointer(float &x, float &y, const QSize &size);
    // The same on LastX and LastY, which take the clamping.
    void TrackLastPointer(const QSize &size);
    void StorePointer(float x, float y);

    // Where the thumb is drawn: where the pointer left it while dragging without Snap, else at
    // Value's position.
    std::int64_t ThumbPosition(const QSize &size) const;
    std::int64_t PositionOf(std::int32_t iValue, const QSize &size) const;

private:
    void ClampValue();

    std::int32_t m_SelectStart;
    std::int32_t m_SelectEnd;
    float m_LastX = 0;
    float m_LastY = 0;
    std::int32_t m_Value;
    std::int32_t m_Max;
    std::int32_t m_Min;
    float m_DragPos = 0;
    bool m_Enabled;
    bool m_Snap;
    bool m_DragActive;
    std::int32_t m_Style;
    OleColor m_BackColor;
    OleColor m_ForeColor;
    OleColor m_ForeColor2;
    float m_ForeR = 0;
    float m_ForeG = 0;
    float m_ForeB = 0;
    float m_Fore2R = 0;
    float m_Fore2G = 0;
    float m_Fore2B = 0;
};
