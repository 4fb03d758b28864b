#include "widgets/MyFrame.h"

#include "widgets/QtColour.h"
#include "workflow/Twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr qreal kCornerRadius = 7.0;
} // namespace

MyFrame::MyFrame(QWidget *parent)
    : QWidget(parent),
      m_lBodyColorTopLeft(RGBColor(255, 255, 255)),
      m_lBodyColorBottomLeft(RGBColor(240, 240, 240)),
      m_lBodyColorBottomRight(RGBColor(224, 224, 224)),
      m_lBorderColor(RGBColor(128, 128, 128)),
      m_lForeColor(RGBColor(0, 0, 0)),
      m_lHeaderColorTopLeft(RGBColor(160, 160, 160)),
      m_lHeaderColorBottomLeft(RGBColor(96, 96, 96))
{
}

void MyFrame::setCaption(const QString &sCaption)
{
    m_sCaption = sCaption;
    update();
}

void MyFrame::setBodyColorTopLeft(OleColor lColor) { m_lBodyColorTopLeft = lColor; update(); }
void MyFrame::setBodyColorBottomLeft(OleColor lColor) { m_lBodyColorBottomLeft = lColor; update(); }
void MyFrame::setBodyColorBottomRight(OleColor lColor) { m_lBodyColorBottomRight = lColor; update(); }
void MyFrame::setBorderColor(OleColor lColor) { m_lBorderColor = lColor; update(); }
void MyFrame::setForeColor(OleColor lColor) { m_lForeColor = lColor; update(); }
void MyFrame::setHeaderColorTopLeft(OleColor lColor) { m_lHeaderColorTopLeft = lColor; update(); }
void MyFrame::setHeaderColorBottomLeft(OleColor lColor) { m_lHeaderColorBottomLeft = lColor; update(); }

void MyFrame::setHeaderHeight(int iPixels)
{
    m_iHeaderHeight = iPixels;
    update();
}

void MyFrame::setCaptionIndent(int iPixels)
{
    m_iCaptionIndent = iPixels;
    update();
}

int MyFrame::HeaderSpace() const
{
    return m_sCaption.isEmpty() ? 0 : m_iHeaderHeight;
}

int MyFrame::Left() const
{
    return TwipsToPixels(m_lLeft) == x() ? m_lLeft : PixelsToTwips(x());
}

void MyFrame::setLeft(int lTwips)
{
    m_lLeft = lTwips;
    move(TwipsToPixels(lTwips), y());
}

int MyFrame::Top() const
{
    return TwipsToPixels(m_lTop) == y() ? m_lTop : PixelsToTwips(y());
}

void MyFrame::setTop(int lTwips)
{
    m_lTop = lTwips;
    move(x(), TwipsToPixels(lTwips));
}

int MyFrame::Width() const { return PixelsToTwips(width()); }
int MyFrame::Height() const { return PixelsToTwips(height()); }

void MyFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(outer, kCornerRadius, kCornerRadius);
    painter.setClipPath(shape);

    // The body: light down the left edge, warming towards the bottom right corner.
    QLinearGradient body(0, 0, 0, height());
    body.setColorAt(0.0, ToQColor(m_lBodyColorTopLeft));
    body.setColorAt(1.0, ToQColor(m_lBodyColorBottomLeft));
    painter.fillRect(rect(), body);
    QColor corner = ToQColor(m_lBodyColorBottomRight);
    QLinearGradient warm(width() * 0.35, height() * 0.2, width(), height());
    corner.setAlpha(0);
    warm.setColorAt(0.0, corner);
    corner.setAlpha(255);
    warm.setColorAt(1.0, corner);
    painter.fillRect(rect(), warm);

    const int iHeader = HeaderSpace();
    if (iHeader > 0) {
        QLinearGradient band(0, 0, 0, iHeader);
        band.setColorAt(0.0, ToQColor(m_lHeaderColorTopLeft));
        band.setColorAt(1.0, ToQColor(m_lHeaderColorBottomLeft));
        painter.fillRect(QRect(0, 0, width(), iHeader), band);
        // A soft sheen on the upper half keeps the band from looking flat.
        QLinearGradient sheen(0, 0, 0, iHeader / 2.0);
        sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
        sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.fillRect(QRect(0, 0, width(), iHeader / 2), sheen);

        QFont captionFont = font();
        captionFont.setBold(true);
        painter.setFont(captionFont);
        const QRect textRect(m_iCaptionIndent, 0, width() - m_iCaptionIndent - 8, iHeader);
        painter.setPen(ToQColor(m_lForeColor));
        painter.drawText(textRect.translated(1, 1), Qt::AlignVCenter | Qt::AlignLeft, m_sCaption);
        painter.setPen(Qt::white);
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, m_sCaption);
    }

    painter.setClipping(false);
    painter.setPen(QPen(ToQColor(m_lBorderColor), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

void MyFrame::mousePressEvent(QMouseEvent *event)
{
    // Taken here: a press on a panel inside another does not reach the outer one.
    event->accept();
    emit MouseDown(event->button());
}
