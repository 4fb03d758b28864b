#include "widgets/KeyRuleValidator.h"

KeyRuleValidator::KeyRuleValidator(KeyRule rule, Finished finished, QObject *parent)
    : QValidator(parent), m_rule(std::move(rule)), m_finished(std::move(finished))
{
}

QValidator::State KeyRuleValidator::validate(QString &sInput, int &) const
{
    if (!TextObeysKeyRule(m_rule, sInput))
        return Invalid;
    if (m_finished && !m_finished(sInput))
        return Intermediate;
    return Acceptable;
}
