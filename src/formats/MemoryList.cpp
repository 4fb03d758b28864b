#include "formats/MemoryList.h"

void MemoryList::AddItem(const QString &sItem)
{
    m_items.append(sItem);
}

void MemoryList::Clear()
{
    m_items.clear();
    m_iIndex = -1;
}

QString MemoryList::List(int iIndex) const
{
    return iIndex >= 0 && iIndex < m_items.size() ? m_items.at(iIndex) : QString();
}
