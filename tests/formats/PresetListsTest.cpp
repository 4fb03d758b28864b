#include "formats/MemoryList.h"
#include "formats/PresetLists.h"
#include "common/RunTimeError.h"

#include <gtest/gtest.h>

namespace {

struct Panel {
    CatalogueTables tables;
    MemoryList cmbCategory, cmbOutVCodec, cmbOutFormat;

    void Add(const QString &sLabel, const QString &sExtension, const QString &sCategory)
    {
        tables.Presets.append({sLabel, QStringLiteral("-x"), sExtension, sCategory});
        tables.PresetCount = static_cast<std::int32_t>(tables.Presets.size());
    }
};

TEST(PresetLists, ChoosingACategoryRefillsBothListsAndALabelOnlyTheContainers)
{
    Panel panel;
    panel.Add("H.264 720p", "mp4", "Video");
    panel.Add("H.264 720p", "mkv", "Video");
    panel.Add("VP9", "webm", "Video");
    panel.Add("H.264 720p", "mp4", "Video"); // a duplicate preset adds nothing
    panel.Add("VP9", "mkv", "Video");
    panel.Add("H.264 720p", "mov", "Other"); // the same label in another category
    panel.Add("MP3", "mp3", "Audio");
    PresetLists lists(panel.tables, panel.cmbCategory, panel.cmbOutVCodec, panel.cmbOutFormat);
    for (const QString &s : QStringList{"Video", "Other", "Audio"})
        panel.cmbCategory.AddItem(s);

    panel.cmbCategory.setListIndex(0);
    EXPECT_EQ(panel.cmbOutVCodec.Items(), QStringList({"H.264 720p", "VP9"}));
    EXPECT_EQ(panel.cmbOutVCodec.ListIndex(), 0);
    // Only the first label's containers, each once, and only of this category.
    EXPECT_EQ(panel.cmbOutFormat.Items(), QStringList({"mp4", "mkv"}));
    EXPECT_EQ(panel.cmbOutFormat.ListIndex(), 0);

    panel.cmbOutVCodec.setListIndex(1);
    EXPECT_EQ(panel.cmbOutVCodec.Items(), QStringList({"H.264 720p", "VP9"}));
    EXPECT_EQ(panel.cmbOutVCodec.ListIndex(), 1);
    EXPECT_EQ(panel.cmbOutFormat.Items(), QStringList({"webm", "mkv"}));
    EXPECT_EQ(panel.cmbOutFormat.ListIndex(), 0);

    // A stored choice comes back whole when category, label and container are selected in turn.
    panel.cmbCategory.setListIndex(0);
    panel.cmbOutVCodec.setListIndex(1);
    panel.cmbOutFormat.setListIndex(1);
    EXPECT_EQ(panel.cmbOutVCodec.Text(), "VP9");
    EXPECT_EQ(panel.cmbOutFormat.Text(), "mkv");

    panel.cmbCategory.setListIndex(1);
    EXPECT_EQ(panel.cmbOutVCodec.Items(), QStringList({"H.264 720p"}));
    EXPECT_EQ(panel.cmbOutFormat.Items(), QStringList({"mov"}));

    // SetVideoCodec reads the current category, not the label's first category.
    lists.SetVideoCodec("H.264 720p");
    EXPECT_EQ(panel.cmbOutFormat.Items(), QStringList({"mov"}));
    panel.cmbCategory.setListIndex(2);
    EXPECT_EQ(panel.cmbOutVCodec.Items(), QStringList({"MP3"}));
    EXPECT_EQ(panel.cmbOutFormat.Items(), QStringList({"mp3"}));
}

TEST(PresetLists, WalksOnlyTheCountedSlotsAndLetsGoOfTheListsWhenDestroyed)
{
    Panel panel;
    panel.Add("A", "avi", "One");
    panel.Add("B", "mkv", "One");
    panel.tables.PresetCount = 1; // a load that failed while filling the second slot
    panel.cmbCategory.AddItem("One");
    {
        PresetLists lists(panel.tables, panel.cmbCategory, panel.cmbOutVCodec, panel.cmbOutFormat);
        panel.cmbCategory.setListIndex(0);
        EXPECT_EQ(panel.cmbOutVCodec.Items(), QStringList({"A"}));
        EXPECT_EQ(panel.cmbOutFormat.Items(), QStringList({"avi"}));
        // A category without presets leaves the label list empty; selecting in it fails, and
        // the caller that selected traps it.
        EXPECT_THROW(lists.SetCategory("None"), RunTimeError);
        EXPECT_EQ(panel.cmbOutVCodec.ListCount(), 0);
        // The containers follow the category list's current text, not the one passed before.
        lists.SetVideoCodec("A");
        EXPECT_EQ(panel.cmbOutFormat.Items(), QStringList({"avi"}));
    }
    panel.cmbCategory.setListIndex(0); // no handling any more: nothing refills
    EXPECT_EQ(panel.cmbOutVCodec.ListCount(), 0);
}

} // namespace
