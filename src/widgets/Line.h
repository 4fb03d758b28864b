#pragma once

#include "common/Colour.h"

#include <QWidget>

// A one-pixel rule, horizontal when wider than tall, in its BorderColor.
class Line : public QWidget {
    Q_OBJECT
public:
    explicit Line(QWidget *parent = nullptr);

    OleColor BorderColor() const { return m_lBorderColor; }
    void setBorderColor(OleColor lColor);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OleColor m_lBorderColor;
};
