#include "ui/WindowGoneFilter.h"

#include <QCoreApplication>
#include <QWidget>
#include <xcb/xcb.h>

WindowGoneFilter::WindowGoneFilter(QWidget *window) : QObject(window), m_window(window)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowGoneFilter::~WindowGoneFilter()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

bool WindowGoneFilter::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || !m_window || !m_window->testAttribute(Qt::WA_WState_Created))
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    // The top bit marks an event sent by another client.
    if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
        return false;
    const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(message);
    if (destroyed->window == static_cast<xcb_window_t>(m_window->winId()))
        QMetaObject::invokeMethod(this, &WindowGoneFilter::Gone, Qt::QueuedConnection);
    return false;
}
