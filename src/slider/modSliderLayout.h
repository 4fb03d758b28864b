#pragma once

// The main window's slider as its stored layout holds it, and the way a window creates a slider
// from a stored layout.

#include "slider/PropertyBag.h"

#include <QSize>

class QWidget;
class Slider;

// The window's slider: its object name, its size in pixels (4710 x 300 twips), and its stored
// entries (Min 0, Max 1000000, Value 0, Enabled false; everything else at its default).
extern const QString kMainSliderName;
QSize MainSliderSize();
PropertyBag MainSliderLayout();

// A new slider restored from layout (each setter with its own effects), then given its size, as a
// stored layout applies a control's place and size after its entries.
Slider *CreateSliderFromLayout(QWidget *parent, const PropertyBag &layout, const QSize &size);

// The window's slider: named "Slider", restored from MainSliderLayout(), 314 x 20 pixels. The
// window moves it into place.
Slider *CreateMainSlider(QWidget *parent);
