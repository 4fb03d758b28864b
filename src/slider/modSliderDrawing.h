#pragma once

// Drawing the slider from its state and its images into an off-screen surface, and the blended
// fore colour of the vertical layout.

#include "common/Colour.h"

#include <QColor>
#include <QImage>
#include <QSize>

class SliderModel;
class SliderImages;

// The vertical layout's filled colour: ForeColor at Min, ForeColor2 at Max, each component clamped
// to 0..255 and rounded. While the thumb is dragged without Snap the fraction comes from DragPos.
OleColor BlendedForeColor(const SliderModel &model, int iHeight);

// Draws the whole control of the given size into surface (made that size first), after clearing it
// with clearColour. Returns false, drawing nothing, when Max equals Min. The vertical layout
// repaints PicFullFill2's colour rows first. A range wider than 32 bits throws the overflow
// RunTimeError before anything is drawn.
bool DrawSlider(QImage &surface, const QSize &size, const SliderModel &model, SliderImages &images,
                const QColor &clearColour);
