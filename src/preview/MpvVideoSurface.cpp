#include "preview/MpvVideoSurface.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

MpvVideoSurface::MpvVideoSurface(MpvSession &session)
    : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), m_render(session)
{
    setFlag(Qt::WindowTransparentForInput);
}

MpvVideoSurface::~MpvVideoSurface()
{
    Detach();
    // QOpenGLWindow destroys its context after this destructor: its aboutToBeDestroyed must not
    // reach this half-destroyed object.
    if (QOpenGLContext *objContext = context())
        disconnect(objContext, nullptr, this, nullptr);
}

void MpvVideoSurface::OnRenderUpdate(void *pContext)
{
    // Called on one of mpv's threads: only note the frame and ask for a repaint on the GUI
    // thread. A queued call to a surface that is gone by then is dropped.
    auto *objSurface = static_cast<MpvVideoSurface *>(pContext);
    objSurface->m_bFramePending = true;
    QMetaObject::invokeMethod(objSurface, qOverload<>(&QPaintDeviceWindow::update), Qt::QueuedConnection);
}

void MpvVideoSurface::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &MpvVideoSurface::Detach, Qt::UniqueConnection);
    m_render.Attach(&MpvVideoSurface::OnRenderUpdate, this);
}

void MpvVideoSurface::Detach()
{
    m_render.Detach(context(), this);
}

void MpvVideoSurface::paintGL()
{
    Render();
}

void MpvVideoSurface::DrawPendingFrame()
{
    if (!m_render.IsAttached() || !m_bFramePending)
        return;
    // Drawn even where the window is not on the screen (minimised, or covered by a panel): mpv
    // waits for the frame all the same.
    makeCurrent();
    Render();
    if (isExposed())
        context()->swapBuffers(this);
}

QImage MpvVideoSurface::GrabPicture()
{
    if (!isValid())
        return QImage();
    // The back buffer holds nothing defined after a swap: draw the frame again and read it back.
    makeCurrent();
    Render();
    return grabFramebuffer();
}

void MpvVideoSurface::Render()
{
    m_bFramePending = false;
    if (!m_render.IsAttached()) {
        QOpenGLFunctions *gl = context()->functions();
        gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal dRatio = devicePixelRatio();
    m_render.Render(static_cast<int>(defaultFramebufferObject()), qRound(width() * dRatio), qRound(height() * dRatio));
}
