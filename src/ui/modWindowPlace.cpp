#include "ui/modWindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QPoint WindowPosition(const QRect &available, const QSize &window)
{
    const QPoint centred = available.center() - QRect(QPoint(0, 0), window).center();
    return QPoint(qMax(available.left(), centred.x()), qMax(available.top(), centred.y()));
}

void PlaceOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        window.move(WindowPosition(screen->availableGeometry(), window.frameGeometry().size()));
}
