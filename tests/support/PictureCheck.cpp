#include "support/PictureCheck.h"

#include <QSet>

namespace PictureCheck {

int CoarseColours(const QImage &image)
{
    QSet<int> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            const QRgb rgb = image.pixel(x, y);
            colours.insert(((qRed(rgb) >> 5) << 6) | ((qGreen(rgb) >> 5) << 3) | (qBlue(rgb) >> 5));
        }
    }
    return colours.size();
}

bool ColumnLit(const QImage &image, int x)
{
    for (int y = 0; y < image.height(); ++y) {
        if (qGray(image.pixel(x, y)) > 24)
            return true;
    }
    return false;
}

} // namespace PictureCheck
