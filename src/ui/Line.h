#pragma once
// Moved: the small controls have a folder of their own.
#include "widgets/Line.h"
