#include "widgets/modPictures.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {
// The colours the window draws its icon in.
constexpr OleColor kLight = RGBColor(255, 192, 255);
constexpr OleColor kDark = RGBColor(128, 0, 128);

// Largest difference of one channel (alpha included), premultiplied so that fully transparent
// pixels compare equal whatever their colour.
int PixelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}
} // namespace

// The icons the desktop shows are rendered from packaging/icons/clipwright.svg: they must stay
// the picture the window draws as its icon. Edges are smoothed differently by the two renderers.
TEST(Icon, TheInstalledIconsAreTheWindowsPicture)
{
    for (int iSide : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(iSide);
        const QString sFile = QStringLiteral(CLIPWRIGHT_ICON_DIR "/%1x%1/apps/clipwright.png").arg(iSide);
        QImage icon(sFile);
        ASSERT_FALSE(icon.isNull()) << sFile.toStdString();
        ASSERT_EQ(icon.size(), QSize(iSide, iSide));
        icon = icon.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage window =
            LogoPicture(iSide, kLight, kDark).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);

        long lTotal = 0;
        int iFar = 0;
        for (int y = 0; y < iSide; ++y) {
            for (int x = 0; x < iSide; ++x) {
                const int iDifference = PixelDifference(icon.pixel(x, y), window.pixel(x, y));
                lTotal += iDifference;
                iFar += iDifference > 64 ? 1 : 0;
            }
        }
        EXPECT_LT(double(lTotal) / (iSide * iSide), 3.0);
        EXPECT_LE(iFar, iSide * iSide / 100);
    }
}
