#include "slider/SliderModel.h"

#include "common/modFunctions.h"
#include "slider/modSliderGeometry.h"

using namespace SliderSizes;

SliderModel::SliderModel()
    : m_SelectStart(0), m_SelectEnd(0), m_Value(50), m_Max(100), m_Min(-100), m_Enabled(true),
      m_Snap(false), m_DragActive(false), m_Style(0), m_BackColor(RGBColor(0, 0, 0)),
      m_ForeColor(RGBColor(200, 200, 0)), m_ForeColor2(RGBColor(200, 0, 0))
{
}

void SliderModel::ClampValue()
{
    if (m_Value < m_Min)
        m_Value = m_Min;
    if (m_Value > m_Max)
        m_Value = m_Max;
}

void SliderModel::setValue(std::int32_t intValue)
{
    m_Value = intValue;
    ClampValue();
    m_DragActive = false;
}

void SliderModel::setMax(std::int32_t intMax)
{
    // Min + 1 overflows when Min is the largest 32-bit value; nothing is stored then.
    const std::int32_t iMax = m_Min >= intMax ? CheckedAdd(m_Min, 1) : intMax;
    m_Max = iMax;
    if (m_Value > m_Max)
        m_Value = m_Max;
    m_DragActive = false;
}

void SliderModel::setMin(std::int32_t intMin)
{
    const std::int32_t iMin = intMin >= m_Max ? CheckedSub(m_Max, 1) : intMin;
    m_Min = iMin;
    if (m_Value < m_Min)
        m_Value = m_Min;
    m_DragActive = false;
}

void SliderModel::setSelectStart(std::int32_t iValue)
{
    m_SelectStart = iValue;
    m_DragActive = false;
}

void SliderModel::setSelectEnd(std::int32_t iValue)
{
    m_SelectEnd = iValue;
    m_DragActive = false;
}

void SliderModel::setBackColor(OleColor lColor)
{
    m_BackColor = lColor;
    m_DragActive = false;
}

void SliderModel::setForeColor(OleColor lColor)
{
    m_ForeColor = lColor;
    m_ForeR = static_cast<float>(RedOf(lColor));
    m_ForeG = static_cast<float>(GreenOf(lColor));
    m_ForeB = static_cast<float>(BlueOf(lColor));
    m_DragActive = false;
}

void SliderModel::setForeColor2(OleColor lColor)
{
    m_ForeColor2 = lColor;
    m_Fore2R = static_cast<float>(RedOf(lColor));
    m_Fore2G = static_cast<float>(GreenOf(lColor));
    m_Fore2B = static_cast<float>(BlueOf(lColor));
    m_DragActive = false;
}

void SliderModel::setStyle(std::int32_t eStyle) { m_Style = eStyle; }
void SliderModel::setEnabled(bool BolEnabled) { m_Enabled = BolEnabled; }
void SliderModel::setSnap(bool BolSnap) { m_Snap = BolSnap; }

void SliderModel::LoadRange(std::int32_t iMin, std::int32_t iMax)
{
    const std::int32_t iRepairedMax = iMax > iMin ? iMax : CheckedAdd(iMin, 1);
    m_Min = iMin;
    m_Max = iRepairedMax;
}

void SliderModel::LoadSelection(std::int32_t iStart, std::int32_t iEnd)
{
    m_SelectStart = iStart;
    m_SelectEnd = iEnd;
}

void SliderModel::KeyStep(int iKeyCode)
{
    if (iKeyCode == kKeyLeft)
        m_Value = CheckedSub(m_Value, 1);
    else if (iKeyCode == kKeyRight)
        m_Value = CheckedAdd(m_Value, 1);
    ClampValue();
    m_DragActive = false;
}

void SliderModel::TrackPointer(float &x, float &y, const QSize &size)
{
    const double D = CheckedSub(m_Max, m_Min);
    std::int32_t iValue;
    float fDragPos;
    if (!IsVertical()) {
        const double W = size.width();
        const double L = W - 44;
        const std::int32_t v = RoundToInt(RoundHalfUp((x - 19) / L * D));
        iValue = CheckedAdd(m_Min, v);
        // Keep the thumb's middle between the caps: its left edge follows the pointer.
        const float fLow = static_cast<float>(kHandleLength / 2.0 + kLeftWidth - 1);
        const float fHigh = static_cast<float>(W - (kHandleLength / 2.0 + kRightWidth));
        if (x < fLow)
            x = fLow;
        if (x > fHigh)
            x = fHigh;
        fDragPos = static_cast<float>(x - kHandleLength / 2.0);
    } else {
        const double H = size.height();
        const double L = H - 44;
        // Values grow upwards.
        const std::int32_t v = RoundToInt(RoundHalfUp((y - 19) / L * D));
        iValue = CheckedSub(m_Max, v);
        const float fLow = static_cast<float>(kHandleLength / 2.0 + kDownHeight - 1);
        const float fHigh = static_cast<float>(H - (kHandleLength / 2.0 + kUpHeight));
        if (y < fLow)
            y = fLow;
        if (y > fHigh)
            y = fHigh;
        fDragPos = static_cast<float>(H - (y - kHandleLength / 2.0) - kHandleInset);
    }
    m_Value = iValue;
    m_DragPos = fDragPos;
    m_DragActive = true;
    ClampValue();
}

void SliderModel::TrackLastPointer(const QSize &size) { TrackPointer(m_LastX, m_LastY, size); }

void SliderModel::StorePointer(float x, float y)
{
    m_LastX = x;
    m_LastY = y;
}

std::int64_t SliderModel::ThumbPosition(const QSize &size) const
{
    if (!m_Snap && m_DragActive)
        return static_cast<std::int64_t>(RoundHalfEven(m_DragPos));
    return PositionOf(m_Value, size);
}

std::int64_t SliderModel::PositionOf(std::int32_t iValue, const QSize &size) const
{
    return ::PositionOf(iValue, m_Min, m_Max, IsVertical(), size);
}
