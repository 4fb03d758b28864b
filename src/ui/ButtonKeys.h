#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

// Window-wide keys that click buttons of one window, as a click with the mouse does. A key goes
// its usual way instead while a text box has the keyboard (typing wins), while the control with
// the keyboard works that key itself (Space on a button, a check box, an option or a list), and
// when none of its buttons takes a click now (disabled, out of sight). Held keys do not repeat.
class ButtonKeys : public QObject {
    Q_OBJECT
public:
    // Watches the keys that reach the window and its controls; lives as long as the window.
    explicit ButtonKeys(QWidget *window);

    // The key clicks the button; a key given to several buttons clicks the first that takes the
    // click. The button's tooltip becomes sWhat with the key: "Help (F1)".
    void Add(const QKeySequence &key, QAbstractButton *button, const QString &sWhat);

    // Whether the control with the keyboard keeps this key for itself.
    static bool FocusKeepsKey(const QWidget *focus, QKeyCombination key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Binding {
        QKeyCombination key;
        QPointer<QAbstractButton> button;
    };
    QAbstractButton *ButtonFor(QKeyCombination key) const;

    QWidget *m_pWindow;
    QList<Binding> m_bindings;
};
