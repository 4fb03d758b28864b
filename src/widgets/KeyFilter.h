#pragma once

#include "widgets/KeyRuleValidator.h"

#include <QObject>

class QLineEdit;

// Puts a key rule in front of a text box: every typed character is shown to the rule, with the
// box's text as it is before the character goes in (a selection the character types over is gone
// by then), before the box takes it; a refused character is dropped. Keys that type nothing
// (arrows, Delete, Tab, Home ...) pass untouched; Backspace counts as character 8 and Enter as 13.
// The box is also given a KeyRuleValidator of the same rule, so that no other way brings in a
// text the keys would refuse.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Rule = KeyRule;
    using Finished = KeyRuleValidator::Finished;

    // The filter and the validator belong to the box. finished, when given, tells a text that is a
    // value from one that is only on its way to one (the box's hasAcceptableInput).
    static void Install(QLineEdit *box, Rule rule, Finished finished = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyFilter(QLineEdit *box, Rule rule);

    QLineEdit *m_box;
    Rule m_rule;
};
