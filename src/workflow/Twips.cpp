#include "workflow/Twips.h"

#include "common/modFunctions.h"

int TwipsToPixels(int lTwips)
{
    return RoundToInt(static_cast<double>(lTwips) / kTwipsPerPixel);
}
