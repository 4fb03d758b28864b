#include "widgets/PictureBox.h"

#include <QPainter>
#include <QPainterPath>

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient dark(0, 0, 0, height());
    dark.setColorAt(0.0, QColor(34, 22, 38));
    dark.setColorAt(1.0, QColor(12, 8, 14));
    painter.fillRect(rect(), dark);

    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    const QColor mark(255, 255, 255, 38);
    painter.setPen(QPen(mark, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 22, 22);
    QPainterPath play;
    play.moveTo(centre + QPointF(-7, -11));
    play.lineTo(centre + QPointF(-7, 11));
    play.lineTo(centre + QPointF(12, 0));
    play.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(mark);
    painter.drawPath(play);
}
