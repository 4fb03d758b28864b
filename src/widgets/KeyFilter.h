#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

// Puts a key rule in front of a text box: every typed character is shown to the rule, with the
// box's text, before the box takes it; a refused character is dropped. Keys that type nothing
// (arrows, Delete, Tab, Home ...) pass untouched; Backspace counts as character 8 and Enter as 13.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Rule = std::function<bool(char16_t iKey, const QString &sText)>;

    // The filter belongs to the box.
    static void Install(QLineEdit *box, Rule rule);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyFilter(QLineEdit *box, Rule rule);

    QLineEdit *m_box;
    Rule m_rule;
};
