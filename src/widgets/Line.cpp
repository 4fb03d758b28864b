#include "widgets/Line.h"

#include "widgets/QtColour.h"

#include <QPainter>

Line::Line(QWidget *parent) : QWidget(parent), m_lBorderColor(RGBColor(0, 0, 0))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setBorderColor(OleColor lColor)
{
    m_lBorderColor = lColor;
    update();
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QColor colour = ToQColor(m_lBorderColor);
    // Fade the ends so the rule sits quietly on a gradient.
    const bool bHorizontal = width() >= height();
    QLinearGradient fade(0, 0, bHorizontal ? width() : 0, bHorizontal ? 0 : height());
    QColor clear = colour;
    clear.setAlpha(0);
    fade.setColorAt(0.0, clear);
    fade.setColorAt(0.15, colour);
    fade.setColorAt(0.85, colour);
    fade.setColorAt(1.0, clear);
    painter.fillRect(bHorizontal ? QRect(0, height() / 2, width(), 1) : QRect(width() / 2, 0, 1, height()), fade);
}
