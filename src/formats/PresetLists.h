#pragma once

#include "formats/CatalogueTables.h"
#include "formats/ListControl.h"

#include <QString>

// The three linked preset lists of the format panel: category, preset label and container.
// Constructing it installs the click handling of cmbCategory (SetCategory with its text) and of
// cmbOutVCodec (SetVideoCodec with its text); destroying it removes that handling again, so it
// must go before the lists do. It reads the preset table live, so it may be made before the
// table is loaded (LoadPresets relies on the category click to fill the other two lists).
//
// A selection that finds an empty list throws the RunTimeError of ListControl::setListIndex
// (380); the caller that selected traps it (the loaders, the settings, the window's pick).
class PresetLists {
public:
    PresetLists(const CatalogueTables &tables, ListControl &cmbCategory, ListControl &cmbOutVCodec,
                ListControl &cmbOutFormat);
    ~PresetLists();
    PresetLists(const PresetLists &) = delete;
    PresetLists &operator=(const PresetLists &) = delete;

    // Refills the label list with the distinct labels of category sCat and the container list
    // with the extensions of its first label, and selects the first item of each.
    void SetCategory(const QString &sCat);
    // Refills the container list with the distinct extensions of the current category and
    // label sCodec, and selects the first.
    void SetVideoCodec(const QString &sCodec);

private:
    int SlotCount() const;

    const CatalogueTables &m_tables;
    ListControl &m_cmbCategory;
    ListControl &m_cmbOutVCodec;
    ListControl &m_cmbOutFormat;
};
