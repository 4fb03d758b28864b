#include "formats/ListControl.h"

#include "common/RunTimeError.h"

namespace {
const QString kInvalidPropertyValueText = QStringLiteral("Invalid property value");
}

void ListControl::setListIndex(int iIndex)
{
    if (iIndex < -1 || iIndex >= ListCount())
        throw RunTimeError(InvalidPropertyValue, kInvalidPropertyValueText);
    SelectItem(iIndex);
    RaiseClick();
}

QString ListControl::Text() const
{
    const int iIndex = ListIndex();
    return iIndex < 0 ? QString() : List(iIndex);
}

bool ListControl::Contains(const QString &sItem) const
{
    for (int i = 0; i < ListCount(); ++i)
        if (List(i) == sItem)
            return true;
    return false;
}

void ListControl::RaiseClick()
{
    // Copy first: the handling may refill other lists, and must not lose itself meanwhile.
    auto click = m_click;
    if (click)
        click();
}
