#pragma once
// Moved: the Qt colour helper belongs to the widgets.
#include "widgets/QtColour.h"
