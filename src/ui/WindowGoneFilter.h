#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>

class QWidget;

// Watches for the window system destroying a window behind Qt's back (another program can do so
// on X11); Qt itself goes on as if the window were there, and the program would run on without
// a window. Gone raises then, from the event loop. Lives as long as its parent.
class WindowGoneFilter : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit WindowGoneFilter(QWidget *window);
    ~WindowGoneFilter() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void Gone();

private:
    QPointer<QWidget> m_window;
};
