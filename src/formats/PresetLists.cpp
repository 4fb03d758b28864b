#include "formats/PresetLists.h"

PresetLists::PresetLists(const CatalogueTables &tables, ListControl &cmbCategory,
                         ListControl &cmbOutVCodec, ListControl &cmbOutFormat)
    : m_tables(tables), m_cmbCategory(cmbCategory), m_cmbOutVCodec(cmbOutVCodec),
      m_cmbOutFormat(cmbOutFormat)
{
    m_cmbCategory.SetClickHandler([this] { SetCategory(m_cmbCategory.Text()); });
    m_cmbOutVCodec.SetClickHandler([this] { SetVideoCodec(m_cmbOutVCodec.Text()); });
}

PresetLists::~PresetLists()
{
    m_cmbCategory.SetClickHandler(nullptr);
    m_cmbOutVCodec.SetClickHandler(nullptr);
}

int PresetLists::SlotCount() const
{
    return qMax(0, qMin<int>(m_tables.PresetCount, m_tables.Presets.size()));
}

void PresetLists::SetCategory(const QString &sCat)
{
    const int iSlots = SlotCount();
    m_cmbOutVCodec.Clear();
    for (int i = 0; i < iSlots; ++i) {
        const PresetEntry &preset = m_tables.Presets.at(i);
        if (preset.category == sCat && !m_cmbOutVCodec.Contains(preset.label))
            m_cmbOutVCodec.AddItem(preset.label);
    }
    m_cmbOutFormat.Clear();
    for (int i = 0; i < iSlots; ++i) {
        const PresetEntry &preset = m_tables.Presets.at(i);
        if (preset.category == sCat && !m_cmbOutFormat.Contains(preset.extension))
            m_cmbOutFormat.AddItem(preset.extension);
    }
    // Selecting the label runs SetVideoCodec, which narrows the containers to that label's.
    m_cmbOutVCodec.setListIndex(0);
    m_cmbOutFormat.setListIndex(0);
}

void PresetLists::SetVideoCodec(const QString &sCodec)
{
    const int iSlots = SlotCount();
    m_cmbOutFormat.Clear();
    for (int i = 0; i < iSlots; ++i) {
        const PresetEntry &preset = m_tables.Presets.at(i);
        if (preset.category == m_cmbCategory.Text() && preset.label == sCodec &&
            !m_cmbOutFormat.Contains(preset.extension))
            m_cmbOutFormat.AddItem(preset.extension);
    }
    m_cmbOutFormat.setListIndex(0);
}
