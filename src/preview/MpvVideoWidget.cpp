#include "preview/MpvVideoWidget.h"

#include "preview/MpvVideoSurface.h"

MpvVideoWidget::MpvVideoWidget(mpv_handle *mpv, QWidget *parent)
    : QWidget(parent), m_objSurface(new MpvVideoSurface(mpv))
{
    connect(m_objSurface, &MpvVideoSurface::RenderContextCreated, this, &MpvVideoWidget::RenderContextCreated);
    connect(m_objSurface, &MpvVideoSurface::RenderContextReleasing, this,
            &MpvVideoWidget::RenderContextReleasing);
    // The container owns the surface from here on.
    m_objContainer = QWidget::createWindowContainer(m_objSurface, this);
    // Only the surface needs a native window; the widgets around it keep drawing as one window.
    m_objContainer->setAttribute(Qt::WA_DontCreateNativeAncestors);
    // The pointer over the picture is this widget's, and clicks and drops go on to the owner.
    m_objContainer->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_objContainer->setGeometry(rect());
}

MpvVideoWidget::~MpvVideoWidget()
{
    // Freed while this widget is whole, so that the graph hears of it from this widget.
    ReleaseRenderContext();
}

bool MpvVideoWidget::HasRenderContext() const
{
    return m_objSurface->HasRenderContext();
}

void MpvVideoWidget::ReleaseRenderContext()
{
    m_objSurface->ReleaseRenderContext();
}

void MpvVideoWidget::DrawPendingFrame()
{
    m_objSurface->DrawPendingFrame();
}

QImage MpvVideoWidget::grabFramebuffer()
{
    return m_objSurface->GrabPicture();
}

void MpvVideoWidget::resizeEvent(QResizeEvent *)
{
    m_objContainer->setGeometry(rect());
}
