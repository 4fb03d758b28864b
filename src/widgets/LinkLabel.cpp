#include "widgets/LinkLabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &sCaption, QWidget *parent) : QLabel(sCaption, parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
    QLabel::mouseReleaseEvent(event);
}
