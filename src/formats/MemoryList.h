#pragma once

#include "formats/ListControl.h"

#include <QStringList>

// A list held in memory, for code that has no window (and for the tests).
class MemoryList : public ListControl {
public:
    void AddItem(const QString &sItem) override;
    void Clear() override;
    int ListCount() const override { return static_cast<int>(m_items.size()); }
    QString List(int iIndex) const override;
    int ListIndex() const override { return m_iIndex; }

    QStringList Items() const { return m_items; }

protected:
    void SelectItem(int iIndex) override { m_iIndex = iIndex; }

private:
    QStringList m_items;
    int m_iIndex = -1;
};
