#pragma once

#include "common/Colour.h"

#include <QWidget>

// The program's panel: a rounded body with a gradient, an optional header band carrying the
// caption, and the colour properties the theme sets. Positions can be given in twips (15 twips
// per pixel) so that panel animations keep their exact twip arithmetic.
class MyFrame : public QWidget {
    Q_OBJECT
public:
    explicit MyFrame(QWidget *parent = nullptr);

    QString Caption() const { return m_sCaption; }
    void setCaption(const QString &sCaption);

    OleColor BodyColorTopLeft() const { return m_lBodyColorTopLeft; }
    void setBodyColorTopLeft(OleColor lColor);
    OleColor BodyColorBottomLeft() const { return m_lBodyColorBottomLeft; }
    void setBodyColorBottomLeft(OleColor lColor);
    OleColor BodyColorBottomRight() const { return m_lBodyColorBottomRight; }
    void setBodyColorBottomRight(OleColor lColor);
    OleColor BorderColor() const { return m_lBorderColor; }
    void setBorderColor(OleColor lColor);
    OleColor ForeColor() const { return m_lForeColor; }
    void setForeColor(OleColor lColor);
    OleColor HeaderColorTopLeft() const { return m_lHeaderColorTopLeft; }
    void setHeaderColorTopLeft(OleColor lColor);
    OleColor HeaderColorBottomLeft() const { return m_lHeaderColorBottomLeft; }
    void setHeaderColorBottomLeft(OleColor lColor);

    // Height of the header band in pixels; the band is drawn only when there is a caption.
    int HeaderHeight() const { return m_iHeaderHeight; }
    void setHeaderHeight(int iPixels);
    // Where the caption starts, in pixels from the left edge.
    int CaptionIndent() const { return m_iCaptionIndent; }
    void setCaptionIndent(int iPixels);
    // The height the caption actually takes (0 without a caption): where the contents start.
    int HeaderSpace() const;

    // Geometry in twips. Left and Top remember the twips they were given, so that a position
    // that is not a whole pixel (2595 twips = 173 px) reads back unchanged.
    int Left() const;
    void setLeft(int lTwips);
    int Top() const;
    void setTop(int lTwips);
    int Width() const;
    int Height() const;

signals:
    // Any mouse button pressed on the panel's own surface (not on a child control).
    void MouseDown(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_sCaption;
    OleColor m_lBodyColorTopLeft;
    OleColor m_lBodyColorBottomLeft;
    OleColor m_lBodyColorBottomRight;
    OleColor m_lBorderColor;
    OleColor m_lForeColor;
    OleColor m_lHeaderColorTopLeft;
    OleColor m_lHeaderColorBottomLeft;
    int m_iHeaderHeight = 24;
    int m_iCaptionIndent = 10;
    int m_lLeft = 0;
    int m_lTop = 0;
};
