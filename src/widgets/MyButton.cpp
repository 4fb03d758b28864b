#include "widgets/MyButton.h"

#include "widgets/QtColour.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace {
constexpr qreal kCornerRadius = 5.0;
constexpr qreal kPictureBox = 16.0;

QColor Mix(const QColor &a, const QColor &b, qreal dB)
{
    return QColor::fromRgbF(a.redF() * (1 - dB) + b.redF() * dB, a.greenF() * (1 - dB) + b.greenF() * dB,
                            a.blueF() * (1 - dB) + b.blueF() * dB);
}
} // namespace

MyButton::MyButton(QWidget *parent)
    : QAbstractButton(parent),
      m_lBackColor(RGBColor(240, 240, 240)),
      m_lBackColorDisabled(RGBColor(224, 224, 224)),
      m_lBackColorFocus(RGBColor(250, 250, 250)),
      m_lBorderColor(RGBColor(128, 128, 128)),
      m_lToolTipBackColor(RGBColor(255, 255, 225)),
      m_lForeColor(RGBColor(0, 0, 0))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void MyButton::setPicture(const QPainterPath &picture)
{
    m_picture = picture;
    update();
}

void MyButton::setBackColor(OleColor lColor) { m_lBackColor = lColor; update(); }
void MyButton::setBackColorDisabled(OleColor lColor) { m_lBackColorDisabled = lColor; update(); }
void MyButton::setBackColorFocus(OleColor lColor) { m_lBackColorFocus = lColor; update(); }
void MyButton::setBorderColor(OleColor lColor) { m_lBorderColor = lColor; update(); }
void MyButton::setToolTipBackColor(OleColor lColor) { m_lToolTipBackColor = lColor; }
void MyButton::setForeColor(OleColor lColor) { m_lForeColor = lColor; update(); }

QSize MyButton::sizeHint() const
{
    if (!m_picture.isEmpty())
        return QSize(22, 22);
    const QSize caption = fontMetrics().size(Qt::TextShowMnemonic, text());
    return QSize(caption.width() + 24, qMax(24, caption.height() + 10));
}

void MyButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor ink = ToQColor(m_lForeColor);

    QColor base = ToQColor(m_lBackColor);
    if (!isEnabled())
        base = ToQColor(m_lBackColorDisabled);
    else if (hasFocus())
        base = ToQColor(m_lBackColorFocus);
    const bool bDown = isDown() || isChecked();
    const bool bHover = isEnabled() && underMouse() && !bDown;

    // A raised face: lighter at the top, the button's colour at the bottom, pressed inverted.
    QLinearGradient shade(0, 0, 0, height());
    const QColor top = Mix(base, Qt::white, bHover ? 0.75 : 0.55);
    const QColor bottom = bHover ? Mix(base, Qt::white, 0.15) : base;
    shade.setColorAt(0.0, bDown ? Mix(base, ink, 0.12) : top);
    shade.setColorAt(1.0, bDown ? Mix(base, Qt::white, 0.3) : bottom);
    painter.setBrush(shade);
    // The border colour is mixed with the ink so that a border of the face's own colour still
    // shows an edge.
    const QColor edge = Mix(ToQColor(m_lBorderColor), ink, isEnabled() ? 0.45 : 0.25);
    painter.setPen(QPen(edge, 1.0));
    painter.drawRoundedRect(face, kCornerRadius, kCornerRadius);
    if (hasFocus() && isEnabled()) {
        painter.setPen(QPen(Mix(base, ink, 0.35), 1.0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(2.5, 2.5, -2.5, -2.5), kCornerRadius - 2, kCornerRadius - 2);
    }

    const QColor glyph = isEnabled() ? ink : Mix(ink, base, 0.55);
    const QPointF shift = bDown ? QPointF(0.5, 1.0) : QPointF(0, 0);
    if (!m_picture.isEmpty()) {
        const qreal dSide = qMin(width(), height()) - 8.0;
        painter.save();
        painter.translate((width() - dSide) / 2.0 + shift.x(), (height() - dSide) / 2.0 + shift.y());
        painter.scale(dSide / kPictureBox, dSide / kPictureBox);
        painter.setPen(QPen(glyph, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(m_picture);
        painter.restore();
        return;
    }
    // Without a palette role drawItemText keeps the painter's pen, our ink.
    painter.setPen(glyph);
    style()->drawItemText(&painter, rect().translated(shift.toPoint()), Qt::AlignCenter | Qt::TextShowMnemonic,
                          palette(), true, text());
}

bool MyButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !toolTip().isEmpty()) {
        QPalette tip = QToolTip::palette();
        tip.setColor(QPalette::ToolTipBase, ToQColor(m_lToolTipBackColor));
        tip.setColor(QPalette::ToolTipText, ToQColor(m_lForeColor));
        QToolTip::setPalette(tip);
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), toolTip(), this);
        return true;
    }
    return QAbstractButton::event(event);
}
