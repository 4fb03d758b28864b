#pragma once

#include <QString>
#include <functional>

// A pick-only list as the format logic sees it: the window binds its drop-down lists to this, the
// tests use MemoryList. Selecting an item from code raises the same click handling as a user's
// choice; the filling of the preset lists relies on that.
class ListControl {
public:
    // Raised by an index outside -1 .. ListCount() - 1, as the classic list control does.
    static constexpr int InvalidPropertyValue = 380;

    virtual ~ListControl() = default;

    virtual void AddItem(const QString &sItem) = 0;
    // Empties the list; nothing is selected afterwards and no click handling is raised.
    virtual void Clear() = 0;
    virtual int ListCount() const = 0;
    virtual QString List(int iIndex) const = 0;
    // The selected position, -1 when nothing is selected.
    virtual int ListIndex() const = 0;

    // Selects the item at iIndex (-1 selects nothing) and raises the click handling, also when
    // the index does not change. Throws RunTimeError 380 for an index out of range.
    void setListIndex(int iIndex);

    // The selected item's text, empty when nothing is selected.
    QString Text() const;

    // True when an item with exactly this text (case included) is listed.
    bool Contains(const QString &sItem) const;

    void SetClickHandler(std::function<void()> handler) { m_click = std::move(handler); }

protected:
    // Moves the selection without raising anything.
    virtual void SelectItem(int iIndex) = 0;
    // For implementations whose user picks an item: runs the click handling.
    void RaiseClick();

private:
    std::function<void()> m_click;
};
