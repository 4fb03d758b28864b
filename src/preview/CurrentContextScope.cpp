#include "preview/CurrentContextScope.h"

#include <QOpenGLContext>
#include <QWindow>

CurrentContextScope::CurrentContextScope(QOpenGLContext *objContext, QWindow *objWindow)
    : m_objContext(objContext)
{
    if (!m_objContext)
        return;
    if (objWindow && objWindow->handle())
        m_bCurrent = m_objContext->makeCurrent(objWindow);
    if (!m_bCurrent) {
        m_spare.setFormat(m_objContext->format());
        m_spare.setScreen(m_objContext->screen());
        m_spare.create();
        m_bCurrent = m_spare.isValid() && m_objContext->makeCurrent(&m_spare);
    }
}

CurrentContextScope::~CurrentContextScope()
{
    if (m_bCurrent)
        m_objContext->doneCurrent();
}
