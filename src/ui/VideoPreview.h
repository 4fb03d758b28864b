#pragma once
// Moved: the preview has a folder of its own.
#include "preview/VideoPreview.h"
