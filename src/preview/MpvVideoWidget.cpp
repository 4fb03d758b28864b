#include "preview/MpvVideoWidget.h"

#include "preview/MpvVideoSurface.h"

#include <QEvent>
#include <QRegion>

namespace {
// A region that leaves the whole surface out while it stays mapped: an empty mask would mean no
// mask at all, and a hidden surface would hold mpv's frames up until it is shown again.
const QRegion kNothingInSight(QRect(-1, -1, 1, 1));

bool ChangesCover(QEvent::Type type)
{
    return type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show || type == QEvent::Hide ||
           type == QEvent::ZOrderChange;
}
} // namespace

MpvVideoWidget::MpvVideoWidget(MpvSession &session, QWidget *parent)
    : QWidget(parent), m_objSurface(new MpvVideoSurface(session))
{
    // The container owns the surface from here on.
    m_objContainer = QWidget::createWindowContainer(m_objSurface, this);
    // Only the surface needs a native window; the widgets around it keep drawing as one window.
    m_objContainer->setAttribute(Qt::WA_DontCreateNativeAncestors);
    // The pointer over the picture is this widget's, and clicks and drops go on to the owner.
    m_objContainer->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_objContainer->setGeometry(rect());
    WatchCoveringWidgets();
}

MpvVideoWidget::~MpvVideoWidget()
{
    DetachVideo();
}

bool MpvVideoWidget::HasRenderContext() const
{
    return m_objSurface->HasRenderContext();
}

void MpvVideoWidget::DetachVideo()
{
    if (!m_objSurface->HasRenderContext())
        return;
    emit VideoLeaving();
    m_objSurface->Detach();
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
    UpdateCover();
}

void MpvVideoWidget::showEvent(QShowEvent *)
{
    WatchCoveringWidgets();
    UpdateCover();
}

bool MpvVideoWidget::eventFilter(QObject *, QEvent *event)
{
    if (ChangesCover(event->type()))
        UpdateCover();
    return false;
}

void MpvVideoWidget::WatchCoveringWidgets()
{
    // This widget and each of its ancestors below the window are covered by the siblings that
    // come after them: Qt draws a parent's children in the order of its list.
    for (QWidget *level = this; level && !level->isWindow(); level = level->parentWidget()) {
        QWidget *parent = level->parentWidget();
        if (!parent)
            break;
        parent->installEventFilter(this); // a child raised or added changes the order
        const QObjectList &siblings = parent->children();
        for (qsizetype i = siblings.indexOf(level) + 1; i < siblings.size(); ++i) {
            if (auto *sibling = qobject_cast<QWidget *>(siblings[i]); sibling && !sibling->isWindow())
                sibling->installEventFilter(this); // installing again keeps one filter
        }
    }
}

QRegion MpvVideoWidget::UncoveredRegion() const
{
    QRegion visible(rect());
    const QWidget *top = window();
    const QPoint origin = mapTo(top, QPoint(0, 0));
    for (const QWidget *level = this; level && !level->isWindow(); level = level->parentWidget()) {
        const QWidget *parent = level->parentWidget();
        if (!parent)
            break;
        const QObjectList &siblings = parent->children();
        for (qsizetype i = siblings.indexOf(level) + 1; i < siblings.size(); ++i) {
            const auto *sibling = qobject_cast<const QWidget *>(siblings[i]);
            if (!sibling || sibling->isWindow() || !sibling->isVisible())
                continue;
            visible -= QRect(sibling->mapTo(top, QPoint(0, 0)) - origin, sibling->size());
        }
    }
    return visible;
}

void MpvVideoWidget::UpdateCover()
{
    // The surface's own mask: the container is not native and has no window to shape.
    const QRegion visible = UncoveredRegion();
    if (visible == QRegion(rect()))
        m_objSurface->setMask(QRegion());
    else
        m_objSurface->setMask(visible.isEmpty() ? kNothingInSight : visible);
}
