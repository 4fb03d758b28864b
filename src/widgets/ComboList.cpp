#include "widgets/ComboList.h"

#include "common/RunTimeError.h"

#include <QAbstractItemView>

ComboList::ComboList(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    // A chosen item too long for the box (a codec description) can be read whole on hover.
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString &sText) {
        const bool bCut = fontMetrics().horizontalAdvance(sText) > width() - 30;
        setToolTip(bCut ? sText : QString());
    });
    connect(this, &QComboBox::activated, this, [this](int) {
        // The handling may select in a list that is empty (a catalogue that failed to load);
        // its failure must not leave the event loop, and the user's pick stands.
        try {
            RaiseClick();
        } catch (const RunTimeError &) {
        }
    });
}

void ComboList::AddItem(const QString &sItem)
{
    addItem(sItem);
    // QComboBox selects the first item it is given; the classic list selects nothing until told.
    if (count() == 1)
        setCurrentIndex(-1);
}

void ComboList::Clear()
{
    clear();
}

QString ComboList::List(int iIndex) const
{
    return itemText(iIndex);
}

void ComboList::SelectItem(int iIndex)
{
    setCurrentIndex(iIndex);
}

void ComboList::showPopup()
{
    // Long items (codec descriptions) are shown whole in the open list, wider than the box.
    const int iWidest = view()->sizeHintForColumn(0) + 2 * view()->frameWidth() + 24;
    view()->setMinimumWidth(qMax(width(), iWidest));
    QComboBox::showPopup();
}
