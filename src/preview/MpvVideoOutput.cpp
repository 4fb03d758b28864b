#include "preview/MpvVideoOutput.h"

#include "preview/MpvSession.h"
#include "preview/MpvVideoWidget.h"

#include <QGuiApplication>
#include <QWidget>

namespace {
constexpr int kOutputSwitchTimeoutMs = 5000;
} // namespace

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
        auto *objWidget = new MpvVideoWidget(m_session.Handle(), objOwner);
        connect(objWidget, &MpvVideoWidget::RenderContextCreated, this, &MpvVideoOutput::UseVideoWindow);
        connect(objWidget, &MpvVideoWidget::RenderContextReleasing, this, &MpvVideoOutput::LeaveVideoWindow);
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
    if (m_objWidget)
        m_objWidget->ReleaseRenderContext();
    delete m_objWindow.data();
    m_objWindow = nullptr;
    m_objWidget = nullptr;
    m_session.SetDrawingWidget(nullptr);
}

void MpvVideoOutput::UseVideoWindow()
{
    // The render context is fresh: mpv has no frame waiting to be drawn, and setting the output
    // returns at once.
    m_session.SetOutput(kVideoOutputRender);
}

void MpvVideoOutput::LeaveVideoWindow()
{
    // mpv closes its video output only after the frame it has handed over is drawn, and the
    // drawing is ours: switch asynchronously and draw until mpv answers.
    m_session.SwitchOutput(kVideoOutputNone, kOutputSwitchTimeoutMs);
}
