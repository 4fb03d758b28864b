#include "widgets/modControlColors.h"

#include "widgets/QtColour.h"

#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace {
QPalette::ColorRole BackRole(const QWidget *control)
{
    // A pick-only list paints its face with the button colour; text boxes use the base colour.
    if (qobject_cast<const QComboBox *>(control))
        return QPalette::Button;
    if (qobject_cast<const QLabel *>(control))
        return QPalette::Window;
    return QPalette::Base;
}

void SetActiveColour(QPalette &palette, QPalette::ColorRole role, const QColor &colour)
{
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
}
} // namespace

void SetBackColor(QWidget *control, OleColor lColor)
{
    QPalette palette = control->palette();
    const QColor colour = ToQColor(lColor);
    palette.setColor(BackRole(control), colour);
    if (qobject_cast<QComboBox *>(control))
        palette.setColor(QPalette::Base, colour);
    control->setPalette(palette);
}

OleColor BackColorOf(const QWidget *control)
{
    return FromQColor(control->palette().color(QPalette::Active, BackRole(control)));
}

void SetForeColor(QWidget *control, OleColor lColor)
{
    QPalette palette = control->palette();
    const QColor ink = ToQColor(lColor);
    SetActiveColour(palette, QPalette::WindowText, ink);
    SetActiveColour(palette, QPalette::ButtonText, ink);
    SetActiveColour(palette, QPalette::Text, ink);
    QColor pale = ink;
    pale.setAlpha(110);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, pale);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, pale);
    palette.setColor(QPalette::Disabled, QPalette::Text, pale);
    control->setPalette(palette);
}

OleColor ForeColorOf(const QWidget *control)
{
    return FromQColor(control->palette().color(QPalette::Active, QPalette::WindowText));
}
