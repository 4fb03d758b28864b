#pragma once

#include <QFrame>

// The preview area: a dark picture box. With nothing on it, it shows a faint film mark.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
