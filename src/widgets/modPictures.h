#pragma once

#include "common/Colour.h"

#include <QPainterPath>
#include <QPixmap>

// The pictures of the window's picture buttons, as glyphs in a 16 x 16 box, and the logo.
QPainterPath MinimizePicture();
QPainterPath ClosePicture();
QPainterPath HelpPicture();
QPainterPath AboutPicture();

// The program's logo: a film strip cut through, in the theme's colours, iSide pixels square.
QPixmap LogoPicture(int iSide, OleColor lColorLight, OleColor lColorDark);
