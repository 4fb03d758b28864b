#pragma once

#include <QLabel>

// A label that reads as a web link and reports a click on it.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString &sCaption, QWidget *parent = nullptr);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
