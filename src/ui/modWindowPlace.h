#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window of the given size goes on a screen's available area: centred, but never with its
// top-left corner off the area, so that its title bar and buttons can be reached even when the
// window is larger than the screen (a frameless window cannot be dragged back by its frame).
QPoint WindowPosition(const QRect &available, const QSize &window);

// Moves a top-level window there on its screen.
void PlaceOnScreen(QWidget &window);
