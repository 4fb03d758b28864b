#pragma once

// Conversions between the stored colour and Qt's, for the widget libraries (they link Qt Gui;
// the core libraries do not include this header).
#include "common/Colour.h"

#include <QColor>

inline QColor ToQColor(OleColor lColor)
{
    return QColor(RedOf(lColor), GreenOf(lColor), BlueOf(lColor));
}

inline OleColor FromQColor(const QColor &color)
{
    return RGBColor(color.red(), color.green(), color.blue());
}
