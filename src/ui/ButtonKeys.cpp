#include "ui/ButtonKeys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {
bool IsTextBox(const QWidget *widget)
{
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable();
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget) ||
           qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget);
}

// Controls that Space presses, ticks, sets or opens.
bool WorkedBySpace(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QAbstractItemView *>(widget);
}
} // namespace

ButtonKeys::ButtonKeys(QWidget *window) : QObject(window), m_pWindow(window)
{
    // Keys go to the control with the keyboard first; only the application sees them before it.
    qApp->installEventFilter(this);
}

void ButtonKeys::Add(const QKeySequence &key, QAbstractButton *button, const QString &sWhat)
{
    m_bindings.append({key[0], button});
    button->setToolTip(sWhat + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
}

bool ButtonKeys::FocusKeepsKey(const QWidget *focus, QKeyCombination key)
{
    if (focus == nullptr)
        return false;
    return IsTextBox(focus) || (key == QKeyCombination(Qt::Key_Space) && WorkedBySpace(focus));
}

QAbstractButton *ButtonKeys::ButtonFor(QKeyCombination key) const
{
    for (const Binding &binding : m_bindings) {
        if (binding.key == key && binding.button && binding.button->isEnabled() && binding.button->isVisible())
            return binding.button;
    }
    return nullptr;
}

bool ButtonKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget *>(watched)->window() != m_pWindow)
        return false;
    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    const QKeyCombination key(keyEvent->modifiers() & ~Qt::KeypadModifier, Qt::Key(keyEvent->key()));
    // The key's first receiver is the control with the keyboard; a key it passed on reaches its
    // parents, and is still that control's.
    if (FocusKeepsKey(static_cast<QWidget *>(watched), key) || FocusKeepsKey(QApplication::focusWidget(), key))
        return false;
    QAbstractButton *button = ButtonFor(key);
    if (button == nullptr)
        return false;
    if (!keyEvent->isAutoRepeat())
        button->click();
    return true;
}
