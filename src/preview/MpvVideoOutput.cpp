#include "preview/MpvVideoOutput.h"

#include "preview/MpvSession.h"
#include "preview/MpvVideoWidget.h"

#include <QGuiApplication>
#include <QWidget>

MpvVideoOutput::~MpvVideoOutput()
{
    DestroyWindow();
}

bool MpvVideoOutput::CanDrawVideo()
{
    const QString sPlatform = QGuiApplication::platformName();
    return sPlatform != QLatin1String("offscreen") && sPlatform != QLatin1String("minimal");
}

QWidget *MpvVideoOutput::Window() const
{
    return m_objWindow.data();
}

void MpvVideoOutput::SetOwner(QWidget *objOwner)
{
    if (m_objWindow && m_objWindow->parentWidget() == objOwner)
        return;
    DestroyWindow();
    if (!objOwner)
        return;

    QWidget *objWindow = nullptr;
    if (CanDrawVideo()) {
        // Its surface attaches mpv's output when its GL context is made, on the first show.
        auto *objWidget = new MpvVideoWidget(m_session, objOwner);
        m_objWidget = objWidget;
        m_session.SetDrawingWidget(objWidget);
        objWindow = objWidget;
    } else {
        objWindow = new QWidget(objOwner);
        objWindow->setAutoFillBackground(true);
        QPalette palette = objWindow->palette();
        palette.setColor(QPalette::Window, Qt::black);
        objWindow->setPalette(palette);
    }
    m_objWindow = objWindow;
    objWindow->setGeometry(m_rect);
    if (m_bHideCursor)
        objWindow->setCursor(Qt::BlankCursor);
    // Drops and clicks go on to the owner: the video window takes neither.
    objWindow->setAcceptDrops(false);
    objWindow->show();
    objWindow->raise();
}

void MpvVideoOutput::SetPlace(const QRect &rect)
{
    m_rect = rect;
    if (m_objWindow)
        m_objWindow->setGeometry(m_rect);
}

void MpvVideoOutput::HideCursor(bool bHide)
{
    m_bHideCursor = bHide;
    if (!m_objWindow)
        return;
    if (bHide)
        m_objWindow->setCursor(Qt::BlankCursor);
    else
        m_objWindow->unsetCursor();
}

void MpvVideoOutput::DestroyWindow()
{
    // In this order: mpv leaves the surface (the session's wait drawing what mpv hands over
    // meanwhile) and the render context is freed with its GL context current; then the session
    // stops drawing on the widget; then the widget, its surface and the GL context go.
    if (m_objWidget)
        m_objWidget->DetachVideo();
    m_session.SetDrawingWidget(nullptr);
    delete m_objWindow.data();
    m_objWindow = nullptr;
    m_objWidget = nullptr;
}
