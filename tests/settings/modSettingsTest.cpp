#include "settings/modSettings.h"

#include "common/RunTimeError.h"
#include "common/ScopedOverride.h"
#include "settings/CRegister.h"
#include "settings/SettingsControls.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
constexpr int kInvalidPropertyValue = 380;

// The window's controls as plain values. The preset lists are linked as in the window: choosing a
// category chooses the first label and container, choosing a label the first container. Every
// change is noted in applied, in the order it came.
class FakeControls : public SettingsControls {
public:
    struct List {
        int iCount = 0;
        int iIndex = -1;
    };

    QMap<QString, bool> options{{"optOtherFolder", true}, {"optSameFolder", false}};
    QMap<QString, QString> boxes{{"txtOutPath", "/design/Output Video"}, {"txtCABirate", "64"},
                                 {"txtChannels", "2"}, {"txtCVBitrate", "196"}, {"txtFrameRate", "25"}};
    QMap<QString, List> lists{{"cmbCategory", {3, 0}},      {"cmbOutVCodec", {3, 0}}, {"cmbOutFormat", {3, 0}},
                              {"cmbCustContainer", {10, 0}}, {"cmbCACodec", {3, 0}},   {"cmbCASmapleRate", {9, 0}},
                              {"cmbCVCodec", {3, 0}},        {"cmbCVSize", {29, 0}},   {"cmbCVAspect", {5, 0}}};
    int iFormatOption = 0;
    int iFrontFrame = 0;
    bool bFolderEnabled = true;
    int iLabelUpdates = 0;
    QStringList applied;

    bool OptionValue(const QString &sName) const override { return options.value(sName); }
    void setOptionValue(const QString &sName, bool bValue) override
    {
        Need(options.contains(sName));
        options[sName] = bValue;
        applied << sName + "=" + (bValue ? "on" : "off");
    }
    QString BoxText(const QString &sName) const override { return boxes.value(sName); }
    void setBoxText(const QString &sName, const QString &sText) override
    {
        Need(boxes.contains(sName));
        boxes[sName] = sText;
        applied << sName + "=" + sText;
    }
    bool BoxTakes(const QString &, const QString &sText) const override { return !refused.contains(sText); }
    QStringList refused; // texts that every box's rules refuse
    int ListPosition(const QString &sName) const override { return lists.value(sName).iIndex; }
    void setListPosition(const QString &sName, int iIndex) override
    {
        Need(lists.contains(sName));
        List &list = lists[sName];
        if (iIndex < -1 || iIndex >= list.iCount)
            throw RunTimeError(kInvalidPropertyValue, "Invalid property value");
        list.iIndex = iIndex;
        applied << sName + "=" + QString::number(iIndex);
        if (sName == "cmbCategory")
            lists["cmbOutVCodec"].iIndex = 0;
        if (sName == "cmbCategory" || sName == "cmbOutVCodec")
            lists["cmbOutFormat"].iIndex = 0;
    }
    bool FormatOptionValue(int iIndex) const override { return iFormatOption == ArrayIndex(iIndex); }
    void setFormatOption(int iIndex) override
    {
        iFormatOption = ArrayIndex(iIndex);
        applied << "optFormat=" + QString::number(iIndex);
    }
    void BringFormatFrameToFront(int iIndex) override
    {
        iFrontFrame = ArrayIndex(iIndex);
        applied << "frFormat=" + QString::number(iIndex);
    }
    void setOutputFolderEnabled(bool bEnabled) override
    {
        bFolderEnabled = bEnabled;
        applied << QString("folder=") + (bEnabled ? "enabled" : "disabled");
    }
    void UpdateFormatLabel() override
    {
        ++iLabelUpdates;
        applied << "UpdateFormatLabel";
    }

private:
    static void Need(bool bThere)
    {
        if (!bThere)
            throw RunTimeError(424, "Object required");
    }
    static int ArrayIndex(int iIndex)
    {
        if (iIndex != 0 && iIndex != 1)
            throw RunTimeError(340, "Control array element doesn't exist");
        return iIndex;
    }
};

class SavedSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override
    {
        QFile::setPermissions(RegistryFile(HKEY_LOCAL_MACHINE), QFile::ReadOwner | QFile::WriteOwner);
    }

    static QString Stored(const QString &sName)
    {
        return CRegister().REGGetSetting(HKEY_LOCAL_MACHINE, kSection, sName, "<none>");
    }
    static void Store(const QString &sName, const QString &sValue)
    {
        ASSERT_TRUE(CRegister().REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, sName, sValue));
    }

    static inline const QString kSection = QStringLiteral("Software\\Orvanta Clipwright\\Settings");
    QTemporaryDir m_dir;
    const ScopedOverride m_registryFolder{SetRegistryFolderForTests, m_dir.path()};
};

const QStringList kValueNames{"optOtherFolder", "optSameFolder", "txtOutPath",       "optFormat",
                              "cmbCategory",    "cmbOutVCodec",  "cmbOutFormat",     "cmbCustContainer",
                              "cmbCACodec",     "cmbCASmapleRate", "cmbCVCodec",     "cmbCVSize",
                              "cmbCVAspect",    "txtCABirate",   "txtChannels",      "txtCVBitrate",
                              "txtFrameRate"};
} // namespace

TEST_F(SavedSettings, AFirstLoadAppliesEveryDefaultInOrderAndEndsWithTheFormatLabel)
{
    EXPECT_EQ(kSettingsSection, kSection);
    EXPECT_EQ(kSettingsRoot, HKEY_LOCAL_MACHINE);
    const QString sCutFiles = DefaultOutputFolder();

    FakeControls controls;
    LoadSettingsInto(controls);
    // The category before the label before the container: each choice refills the next list.
    EXPECT_EQ(controls.applied,
              (QStringList{"optOtherFolder=on", "optSameFolder=off", "txtOutPath=" + sCutFiles, "folder=enabled",
                           "optFormat=0", "frFormat=0", "cmbCategory=1", "cmbOutVCodec=1", "cmbOutFormat=1",
                           "cmbCustContainer=2", "cmbCACodec=1", "cmbCASmapleRate=4", "cmbCVCodec=1", "cmbCVSize=0",
                           "cmbCVAspect=0", "txtCABirate=64", "txtChannels=2", "txtCVBitrate=320",
                           "txtFrameRate=25", "UpdateFormatLabel"}));
    // A load reads; it writes nothing.
    EXPECT_EQ(Stored("optFormat"), "<none>");
}

TEST_F(SavedSettings, SavingWritesTheSeventeenValuesAsTexts)
{
    FakeControls controls;
    controls.options["optOtherFolder"] = false;
    controls.options["optSameFolder"] = true;
    controls.boxes["txtOutPath"] = "/home/me/Clips";
    controls.iFormatOption = 1;
    const int positions[] = {2, 1, 0, 9, 2, 8, 1, 28, 4};
    for (int i = 0; i < 9; ++i)
        controls.lists[kValueNames[4 + i]].iIndex = positions[i];
    controls.lists["cmbCVCodec"] = {0, -1}; // an empty list: nothing selected
    controls.boxes["txtCABirate"] = "128";
    controls.boxes["txtChannels"] = "6";
    controls.boxes["txtCVBitrate"] = "2500";
    controls.boxes["txtFrameRate"] = "29.97";
    SaveSettingsFrom(controls);

    const QStringList expected{"False", "True", "/home/me/Clips", "1", "2", "1", "0", "9", "2", "8", "-1", "28", "4",
                               "128", "6", "2500", "29.97"};
    for (int i = 0; i < kValueNames.size(); ++i)
        EXPECT_EQ(Stored(kValueNames[i]), expected[i]) << qPrintable(kValueNames[i]);

    controls.iFormatOption = 0;
    SaveSettingsFrom(controls);
    EXPECT_EQ(Stored("optFormat"), "0");
}

TEST_F(SavedSettings, WhatIsSavedComesBackWholeIncludingTheLinkedPresetChoice)
{
    FakeControls before;
    before.options["optOtherFolder"] = false;
    before.options["optSameFolder"] = true;
    before.boxes["txtOutPath"] = "/media/disk/Ausgabe Ü";
    before.iFormatOption = 1;
    before.lists["cmbCategory"].iIndex = 2;
    before.lists["cmbOutVCodec"].iIndex = 2;
    before.lists["cmbOutFormat"].iIndex = 1;
    before.lists["cmbCVAspect"].iIndex = 3;
    before.lists["cmbCVCodec"] = {0, -1};
    before.boxes["txtFrameRate"] = "12.5";
    before.boxes["txtCABirate"] = ""; // empty text is stored with no data
    SaveSettingsFrom(before);

    FakeControls after;
    after.lists["cmbCVCodec"] = {0, -1}; // the same empty list
    LoadSettingsInto(after);
    EXPECT_EQ(after.options, before.options);
    EXPECT_EQ(after.boxes["txtOutPath"], "/media/disk/Ausgabe Ü");
    EXPECT_FALSE(after.bFolderEnabled);
    EXPECT_EQ(after.iFormatOption, 1);
    EXPECT_EQ(after.iFrontFrame, 1);
    for (const QString &sList : after.lists.keys())
        EXPECT_EQ(after.lists[sList].iIndex, before.lists[sList].iIndex) << qPrintable(sList);
    EXPECT_TRUE(after.applied.contains("cmbCVCodec=-1"));
    EXPECT_EQ(after.boxes["txtFrameRate"], "12.5");
    EXPECT_EQ(after.boxes["txtCABirate"], "64");
    EXPECT_EQ(after.iLabelUpdates, 1);
}

TEST_F(SavedSettings, AValueThatCannotBeAppliedIsSkippedAndTheOthersStillAre)
{
    Store("optOtherFolder", "maybe");
    Store("optSameFolder", "true");       // any letter case
    Store("optFormat", "7");              // no such button
    Store("cmbCategory", "abc");          // not a number
    Store("cmbOutVCodec", "2");
    Store("cmbOutFormat", "3");           // past the end
    Store("cmbCustContainer", " 3 ");     // blanks around a number are fine
    Store("cmbCACodec", "99999999999");   // too large for a position
    Store("cmbCASmapleRate", "-2");       // before the start
    Store("cmbCVSize", "2.5");            // rounds to the even neighbour
    Store("txtChannels", "123456x");      // refused by the box's rules: its default
    Store("txtCVBitrate", "900");
    FakeControls controls;
    controls.refused << "123456x";
    controls.boxes["txtChannels"] = "4";
    controls.lists["cmbCategory"].iIndex = 1;
    controls.lists["cmbCASmapleRate"].iIndex = 6;
    LoadSettingsInto(controls);

    EXPECT_TRUE(controls.options["optOtherFolder"]); // kept as it was
    EXPECT_TRUE(controls.options["optSameFolder"]);
    EXPECT_FALSE(controls.bFolderEnabled);
    EXPECT_EQ(controls.iFormatOption, 0);
    EXPECT_FALSE(controls.applied.contains("optFormat=7"));
    EXPECT_EQ(controls.lists["cmbCategory"].iIndex, 1);
    EXPECT_EQ(controls.lists["cmbOutVCodec"].iIndex, 2);
    EXPECT_EQ(controls.lists["cmbOutFormat"].iIndex, 0);
    EXPECT_EQ(controls.lists["cmbCustContainer"].iIndex, 3);
    EXPECT_EQ(controls.lists["cmbCACodec"].iIndex, 0);
    EXPECT_EQ(controls.lists["cmbCVCodec"].iIndex, 1); // nothing stored: the default
    EXPECT_EQ(controls.lists["cmbCASmapleRate"].iIndex, 6);
    EXPECT_EQ(controls.lists["cmbCVSize"].iIndex, 2);
    EXPECT_EQ(controls.boxes["txtChannels"], "2");
    EXPECT_EQ(controls.boxes["txtCVBitrate"], "900");
    EXPECT_EQ(controls.boxes["txtFrameRate"], "25");
    EXPECT_EQ(controls.applied.last(), "UpdateFormatLabel");

    // Controls the window does not have cost their own value and nothing else.
    FakeControls missing;
    missing.lists.remove("cmbCategory");
    missing.boxes.remove("txtOutPath");
    LoadSettingsInto(missing);
    EXPECT_EQ(missing.lists["cmbOutVCodec"].iIndex, 2);
    EXPECT_EQ(missing.iLabelUpdates, 1);
}

TEST_F(SavedSettings, DeletingTheKeyBringsEveryDefaultBackAndTheFolderBoxIsUsableAgain)
{
    FakeControls chosen;
    chosen.options = {{"optOtherFolder", false}, {"optSameFolder", true}};
    chosen.iFormatOption = 1;
    chosen.lists["cmbCVSize"].iIndex = 12;
    SaveSettingsFrom(chosen);
    EXPECT_EQ(Stored("cmbCVSize"), "12");

    EXPECT_TRUE(DeleteSavedSettings());
    for (const QString &sName : kValueNames)
        EXPECT_EQ(Stored(sName), "<none>") << qPrintable(sName);
    EXPECT_FALSE(DeleteSavedSettings()); // nothing left to delete

    FakeControls controls = chosen;
    controls.bFolderEnabled = false;
    LoadSettingsInto(controls);
    EXPECT_TRUE(controls.options["optOtherFolder"]);
    EXPECT_FALSE(controls.options["optSameFolder"]);
    EXPECT_TRUE(controls.bFolderEnabled);
    EXPECT_EQ(controls.iFormatOption, 0);
    EXPECT_EQ(controls.iFrontFrame, 0);
    EXPECT_EQ(controls.lists["cmbCVSize"].iIndex, 0);
}

TEST_F(SavedSettings, AStoreWeMayNotWriteKeepsWhatItHolds)
{
    FakeControls first;
    first.lists["cmbCASmapleRate"].iIndex = 7;
    first.boxes["txtCVBitrate"] = "900";
    SaveSettingsFrom(first);
    ASSERT_TRUE(QFile::setPermissions(RegistryFile(HKEY_LOCAL_MACHINE), QFile::ReadOwner));

    FakeControls second;
    second.lists["cmbCASmapleRate"].iIndex = 2;
    second.boxes["txtCVBitrate"] = "100";
    SaveSettingsFrom(second);
    EXPECT_EQ(Stored("cmbCASmapleRate"), "7");
    EXPECT_EQ(Stored("txtCVBitrate"), "900");

    // "Restore Defaults" cannot delete the key, so the stored values are applied again.
    EXPECT_FALSE(DeleteSavedSettings());
    FakeControls loaded;
    LoadSettingsInto(loaded);
    EXPECT_EQ(loaded.lists["cmbCASmapleRate"].iIndex, 7);
    EXPECT_EQ(loaded.boxes["txtCVBitrate"], "900");
}

TEST(OptionState, ReadsTrueFalseInAnyCaseAndNumbersAndRefusesTheRest)
{
    EXPECT_EQ(OptionStateText(true), "True");
    EXPECT_EQ(OptionStateText(false), "False");
    EXPECT_TRUE(OptionStateFromText("True"));
    EXPECT_TRUE(OptionStateFromText(" TRUE "));
    EXPECT_FALSE(OptionStateFromText("false"));
    EXPECT_TRUE(OptionStateFromText("-1"));
    EXPECT_FALSE(OptionStateFromText("0"));
    for (const char *szText : {"", "yes", "Truee", "1x"}) {
        try {
            OptionStateFromText(szText);
            ADD_FAILURE() << szText << " was taken as a state";
        } catch (const RunTimeError &error) {
            EXPECT_EQ(error.Number(), RunTimeError::TypeMismatch);
        }
    }
}

TEST(DefaultOutputFolder, LiesInTheVideosFolderWhereThereIsOneElseInTheHomeFolder)
{
    // A home of the test's own; the configuration of the test mode lies below it, without a
    // user-dirs file, so the Videos folder is home/Videos.
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    // HOME comes back however the test ends.
    const QByteArray sRealHome = qgetenv("HOME");
    const auto restoreHome = qScopeGuard([&sRealHome] { qputenv("HOME", sRealHome); });
    qputenv("HOME", QFile::encodeName(home.path()));
    const QString sWithoutVideos = DefaultOutputFolder();
    ASSERT_TRUE(QDir(home.path()).mkdir("Videos"));
    const QString sWithVideos = DefaultOutputFolder();

    EXPECT_EQ(sWithoutVideos, home.filePath("Cut Files"));
    EXPECT_EQ(sWithVideos, home.filePath("Videos/Cut Files"));
}
