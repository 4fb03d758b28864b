#include "widgets/modPictures.h"

#include "widgets/QtColour.h"

#include <QPainter>

namespace {
// A stroked path draws a dot for a very short segment.
void AddDot(QPainterPath &path, qreal x, qreal y)
{
    path.moveTo(x, y - 0.1);
    path.lineTo(x, y + 0.1);
}
} // namespace

QPainterPath MinimizePicture()
{
    QPainterPath path;
    path.moveTo(4, 11.5);
    path.lineTo(12, 11.5);
    return path;
}

QPainterPath ClosePicture()
{
    QPainterPath path;
    path.moveTo(4.5, 4.5);
    path.lineTo(11.5, 11.5);
    path.moveTo(11.5, 4.5);
    path.lineTo(4.5, 11.5);
    return path;
}

QPainterPath HelpPicture()
{
    QPainterPath path;
    // Over the top and round to the bottom of a small circle, then down: a question mark.
    path.moveTo(5.5, 5.5);
    path.arcTo(QRectF(5.5, 3.0, 5.0, 5.0), 180, -270);
    path.lineTo(8.0, 10.0);
    AddDot(path, 8.0, 13.0);
    return path;
}

QPainterPath AboutPicture()
{
    QPainterPath path;
    AddDot(path, 8.0, 3.5);
    path.moveTo(6.5, 7.0);
    path.lineTo(8.0, 7.0);
    path.lineTo(8.0, 12.5);
    path.moveTo(6.0, 12.5);
    path.lineTo(10.0, 12.5);
    return path;
}

QPixmap LogoPicture(int iSide, OleColor lColorLight, OleColor lColorDark)
{
    QPixmap logo(iSide, iSide);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = iSide / 64.0;
    painter.scale(s, s);

    const QColor light = ToQColor(lColorLight);
    const QColor dark = ToQColor(lColorDark);
    QLinearGradient tile(0, 0, 64, 64);
    tile.setColorAt(0.0, dark.lighter(170));
    tile.setColorAt(1.0, dark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);

    // Two pieces of a film strip, the right one lifted: the cut.
    auto strip = [&](qreal x, qreal y, qreal w) {
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(x, y, w, 22), 2.5, 2.5);
        painter.setBrush(dark);
        for (qreal hole = x + 3; hole + 4 <= x + w - 1; hole += 7) {
            painter.drawRect(QRectF(hole, y + 2.5, 4, 3.5));
            painter.drawRect(QRectF(hole, y + 16, 4, 3.5));
        }
        painter.setBrush(light);
        painter.drawRect(QRectF(x + 2.5, y + 7.5, w - 5, 7));
    };
    painter.save();
    painter.translate(32, 34);
    painter.rotate(-8);
    strip(-25, -11, 25);
    painter.restore();
    painter.save();
    painter.translate(35, 30);
    painter.rotate(-20);
    strip(1, -11, 24);
    painter.restore();

    // The play mark on the left piece.
    QPainterPath play;
    play.moveTo(16, 31);
    play.lineTo(16, 39);
    play.lineTo(23, 35);
    play.closeSubpath();
    painter.setBrush(dark);
    painter.drawPath(play);
    return logo;
}
