#pragma once

#include <QImage>

// Looks at a picture that the preview drew.
namespace PictureCheck {

// Colours of the image in coarse steps: a blank picture has one, testsrc2 has many.
int CoarseColours(const QImage &image);

// Whether a column of the image holds anything brighter than black.
bool ColumnLit(const QImage &image, int x);

} // namespace PictureCheck
