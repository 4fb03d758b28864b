#pragma once

#include "formats/ListControl.h"

#include <QComboBox>

// A pick-only drop-down list that the format logic sees as a ListControl. A user's choice
// (mouse, keyboard or wheel) raises the click handling, as selecting from code does.
class ComboList : public QComboBox, public ListControl {
    Q_OBJECT
public:
    explicit ComboList(QWidget *parent = nullptr);

    void AddItem(const QString &sItem) override;
    void Clear() override;
    int ListCount() const override { return count(); }
    QString List(int iIndex) const override;
    int ListIndex() const override { return currentIndex(); }

    void showPopup() override;

protected:
    void SelectItem(int iIndex) override;
};
