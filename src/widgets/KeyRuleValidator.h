#pragma once

#include "workflow/modKeyFilters.h"

#include <QValidator>
#include <functional>

// Holds the whole text of a box to its key rule, whatever brings the text in: a paste (keys,
// middle button, context menu), a drop, typing over a selection. A text the rule refuses is
// Invalid, and the box keeps what it had. A text the rule takes but that is no value yet (a frame
// rate of 0, when bFinished says so) is Intermediate: it can be typed on from, not kept.
class KeyRuleValidator : public QValidator {
    Q_OBJECT
public:
    using Finished = std::function<bool(const QString &sText)>;

    KeyRuleValidator(KeyRule rule, Finished finished, QObject *parent);

    State validate(QString &sInput, int &iPosition) const override;

private:
    KeyRule m_rule;
    Finished m_finished; // empty: every text the rule takes is a value
};
