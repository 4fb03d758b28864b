#include "widgets/KeyFilter.h"

#include "widgets/KeyRuleValidator.h"
#include "workflow/modKeyFilters.h"

#include <QKeyEvent>
#include <QLineEdit>

KeyFilter::KeyFilter(QLineEdit *box, Rule rule) : QObject(box), m_box(box), m_rule(std::move(rule)) {}

void KeyFilter::Install(QLineEdit *box, Rule rule, Finished finished)
{
    box->setValidator(new KeyRuleValidator(rule, std::move(finished), box));
    box->installEventFilter(new KeyFilter(box, std::move(rule)));
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    char16_t iKey = 0;
    switch (key->key()) {
    case Qt::Key_Backspace:
        iKey = kKeyBack;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        iKey = kKeyReturn;
        break;
    // Moving the focus and deleting forward type no character.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        if (key->text().isEmpty())
            return false;
        iKey = key->text().at(0).unicode();
        break;
    }
    // A full box takes a character typed over a selection: the selection goes first.
    QString sText = m_box->text();
    if (m_box->hasSelectedText())
        sText.remove(m_box->selectionStart(), m_box->selectionLength());
    return !m_rule(iKey, sText);
}
