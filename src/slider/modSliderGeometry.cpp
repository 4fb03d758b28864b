#include "slider/modSliderGeometry.h"

#include "common/modFunctions.h"

#include <algorithm>
#include <cmath>

using namespace SliderSizes;

double RoundHalfUp(double m) { return std::floor(m + 0.5); }

std::int64_t PositionOf(std::int32_t iValue, std::int32_t iMin, std::int32_t iMax, bool bVertical,
                        const QSize &size)
{
    const double D = CheckedSub(iMax, iMin);
    // The roundings stay in floating point: a value far outside the range gives a large
    // intermediate, but the result is always near the track.
    if (!bVertical) {
        const double L = size.width() - kLeftWidth - kRightWidth - kHandleLength;
        const double a = RoundHalfEven(iValue / D * L);
        const double b = RoundHalfEven(a + kHandleLength / 2.0 + 1);
        return static_cast<std::int64_t>(RoundHalfEven(b - iMin / D * L));
    }
    const double L = size.height() - kDownHeight - kUpHeight - kHandleLength;
    const double a = RoundHalfEven(iValue / D * L);
    const double b = RoundHalfEven(a + kHandleLength / 2.0 + 1 + kHandleLength);
    return static_cast<std::int64_t>(RoundHalfEven(b - iMin / D * L));
}

QSize AppliedSize(bool bVertical, const QSize &size)
{
    if (!bVertical)
        return QSize(std::max(size.width(), kMinimumLength), kThickness);
    return QSize(kThickness, std::max(size.height(), kMinimumLength));
}

QSize TurnedFootprint(bool bVertical, const QSize &size)
{
    if (bVertical)
        return QSize(size.width(), size.width());
    return QSize(size.height(), size.height());
}
