#pragma once

#include "common/Colour.h"

#include <QAbstractButton>
#include <QPainterPath>

// The program's button: a rounded, softly shaded face showing either its caption or a picture
// (a vector glyph), with the colour properties the theme sets. The caption follows Qt's rule
// for "&": "Save && Close" shows "Save & Close".
class MyButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit MyButton(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &sCaption) { setText(sCaption); }

    // The glyph is drawn in a 16 x 16 box scaled to the button, stroked in ForeColor.
    const QPainterPath &Picture() const { return m_picture; }
    void setPicture(const QPainterPath &picture);

    OleColor BackColor() const { return m_lBackColor; }
    void setBackColor(OleColor lColor);
    OleColor BackColorDisabled() const { return m_lBackColorDisabled; }
    void setBackColorDisabled(OleColor lColor);
    OleColor BackColorFocus() const { return m_lBackColorFocus; }
    void setBackColorFocus(OleColor lColor);
    OleColor BorderColor() const { return m_lBorderColor; }
    void setBorderColor(OleColor lColor);
    OleColor ToolTipBackColor() const { return m_lToolTipBackColor; }
    void setToolTipBackColor(OleColor lColor);
    OleColor ForeColor() const { return m_lForeColor; }
    void setForeColor(OleColor lColor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    QPainterPath m_picture;
    OleColor m_lBackColor;
    OleColor m_lBackColorDisabled;
    OleColor m_lBackColorFocus;
    OleColor m_lBorderColor;
    OleColor m_lToolTipBackColor;
    OleColor m_lForeColor;
};
