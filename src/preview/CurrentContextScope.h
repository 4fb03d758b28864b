#pragma once

#include <QOffscreenSurface>

class QOpenGLContext;
class QWindow;

// Makes a GL context current for as long as the scope lasts, on its window where the window can
// still take it, else on an offscreen surface of the same format: GL objects belong to the
// context, not to the window, and must be freed with the context current even where another
// program has destroyed the window or Qt has already let its native surface go.
class CurrentContextScope {
public:
    CurrentContextScope(QOpenGLContext *objContext, QWindow *objWindow);
    ~CurrentContextScope();
    CurrentContextScope(const CurrentContextScope &) = delete;
    CurrentContextScope &operator=(const CurrentContextScope &) = delete;

    bool IsCurrent() const { return m_bCurrent; }

private:
    QOpenGLContext *m_objContext;
    QOffscreenSurface m_spare;
    bool m_bCurrent = false;
};
