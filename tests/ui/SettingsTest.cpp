#include "WindowFixture.h"

#include "platform/modRegistry.h"
#include "settings/CRegister.h"
#include "widgets/ComboList.h"
#include "widgets/MyButton.h"
#include "widgets/MyFrame.h"
#include "settings/modSettings.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {
const QString kSection = QStringLiteral("Software\\Orvanta Clipwright\\Settings");
constexpr int kPanelUpTop = 2715; // twips

QByteArray Catalogue(const QList<QStringList> &presets)
{
    QStringList lines{"<?xml version=\"1.0\"?>", "<presets>"};
    for (const QStringList &preset : presets)
        lines << "  <preset>" << "    <label>" + preset[0] + "</label>" << "    <params>-c copy</params>"
              << "    <extension>" + preset[1] + "</extension>" << "    <category>" + preset[2] + "</category>"
              << "  </preset>";
    lines << "</presets>";
    return lines.join("\r\n").toUtf8() + "\r\n";
}

// Three categories. Each has two labels, and one label of each of the first two has two
// containers, so a label and a container position of 1 only exist after their category is chosen.
const QList<QStringList> kPresets{{"H.264", "mp4", "Web"},  {"VP9", "webm", "Web"},    {"VP9", "mkv", "Web"},
                                  {"3GP", "3gp", "Phone"},  {"H.264", "mp4", "Phone"}, {"H.264", "mov", "Phone"},
                                  {"MPEG-2", "mpg", "Disc"}, {"MPEG-1", "mpg", "Disc"}};

class Settings : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        WriteProgramFile("presets.xml", Catalogue(kPresets));
    }

    // Closes the window as the user does, then starts the program again.
    frmMain &Restart()
    {
        m_window->show();
        QTest::mouseClick(m_window->cmdClose, Qt::LeftButton);
        EXPECT_FALSE(m_window->isVisible());
        m_window.reset();
        return Start();
    }

    frmMain &StartWithPanelUp()
    {
        frmMain &w = Start();
        w.show();
        w.cmdChangeFormat_Click();
        RunSlide();
        return w;
    }

    static QString Stored(const QString &sName)
    {
        return CRegister().REGGetSetting(HKEY_LOCAL_MACHINE, kSection, sName, "<none>");
    }
    static void Store(const QString &sName, const QString &sValue)
    {
        ASSERT_TRUE(CRegister().REGSaveSetting(HKEY_LOCAL_MACHINE, kSection, sName, sValue));
    }

    static QStringList Items(const ComboList *list)
    {
        QStringList items;
        for (int i = 0; i < list->ListCount(); ++i)
            items << list->List(i);
        return items;
    }

    // The format frame that the panel shows; the other one is hidden (-1 when not so).
    static int ShownFormatFrame(const frmMain &w)
    {
        const bool bPresets = w.frFormat[0]->isVisibleTo(w.frFormats);
        const bool bCustom = w.frFormat[1]->isVisibleTo(w.frFormats);
        return bPresets == bCustom ? -1 : (bCustom ? 1 : 0);
    }

    static void TypeInto(QLineEdit *box, const QString &sText)
    {
        box->clear();
        QTest::keyClicks(box, sText);
    }

    // What a first start shows, with the catalogues above and the fixture's codecs.
    void ExpectFirstStartDefaults(const frmMain &w)
    {
        EXPECT_TRUE(w.optOtherFolder->isChecked());
        EXPECT_FALSE(w.optSameFolder->isChecked());
        EXPECT_EQ(w.txtOutPath->text(), DefaultOutputFolder());
        EXPECT_TRUE(w.txtOutPath->isEnabled());
        EXPECT_TRUE(w.cmdBrowse->isEnabled());
        EXPECT_TRUE(w.optFormat[0]->isChecked());
        EXPECT_EQ(ShownFormatFrame(w), 0);
        // The second entry of each catalogue list that has one.
        EXPECT_EQ(w.cmbCategory->Text(), "Phone");
        EXPECT_EQ(w.cmbOutVCodec->Text(), "H.264");
        EXPECT_EQ(Items(w.cmbOutFormat), (QStringList{"mp4", "mov"}));
        EXPECT_EQ(w.cmbOutFormat->Text(), "mov");
        EXPECT_EQ(w.cmbCVCodec->Text(), "MPEG-4 Part 2");
        EXPECT_EQ(w.cmbCACodec->Text(), "MP3");
        EXPECT_EQ(w.cmbCustContainer->Text(), "AVI");
        EXPECT_EQ(w.cmbCASmapleRate->Text(), "22.05 KHz");
        EXPECT_EQ(w.cmbCVSize->Text(), "[As Input]");
        EXPECT_EQ(w.cmbCVAspect->Text(), "[As Input]");
        EXPECT_EQ(w.txtCABirate->text(), "64");
        EXPECT_EQ(w.txtChannels->text(), "2");
        EXPECT_EQ(w.txtCVBitrate->text(), "320");
        EXPECT_EQ(w.txtFrameRate->text(), "25");
        EXPECT_EQ(w.lblFormat->text(), "Category:Phone, Codec:\"H.264\", Container:\"mov\"");
    }
};
} // namespace

TEST_F(Settings, AFirstStartShowsTheDefaultsAndStoresNothingUntilClosed)
{
    frmMain &w = Start();
    ExpectFirstStartDefaults(w);
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << qPrintable(m_messages.Texts().join('|'));
    EXPECT_EQ(Stored("optFormat"), "<none>");

    // Closing stores the 17 values; the next start finds the same window.
    frmMain &again = Restart();
    EXPECT_EQ(Stored("optOtherFolder"), "True");
    EXPECT_EQ(Stored("optSameFolder"), "False");
    EXPECT_EQ(Stored("cmbCategory"), "1");
    EXPECT_EQ(Stored("cmbCASmapleRate"), "4");
    EXPECT_EQ(Stored("txtFrameRate"), "25");
    ExpectFirstStartDefaults(again);
}

TEST_F(Settings, EveryChoiceMadeInTheWindowComesBackAfterARestart)
{
    frmMain &w = Start();
    w.show();
    QTest::mouseClick(w.optSameFolder, Qt::LeftButton, {}, QPoint(8, 10)); // on its button
    ASSERT_TRUE(w.optSameFolder->isChecked());
    TypeInto(w.txtOutPath, "/media/store/Meine Schnitte");
    w.cmdChangeFormat_Click();
    RunSlide();
    // The preset choice: a label and a container that the default category does not have.
    w.cmbCategory->setListIndex(0);
    w.cmbOutVCodec->setListIndex(1);
    w.cmbOutFormat->setListIndex(1);
    ASSERT_EQ(w.cmbOutFormat->Text(), "mkv");
    QTest::mouseClick(w.optFormat[1], Qt::LeftButton);
    ASSERT_EQ(ShownFormatFrame(w), 1);
    w.cmbCustContainer->setListIndex(7);
    w.cmbCACodec->setListIndex(2);
    w.cmbCASmapleRate->setListIndex(8);
    w.cmbCVCodec->setListIndex(0);
    w.cmbCVSize->setListIndex(28);
    w.cmbCVAspect->setListIndex(2);
    TypeInto(w.txtCABirate, "128");
    TypeInto(w.txtChannels, "6");
    TypeInto(w.txtCVBitrate, "2500");
    TypeInto(w.txtFrameRate, "29.97");
    ASSERT_EQ(w.txtFrameRate->text(), "29.97");
    w.cmdHide_Click();
    RunSlide();

    frmMain &again = Restart();
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << qPrintable(m_messages.Texts().join('|'));
    EXPECT_TRUE(again.optSameFolder->isChecked());
    EXPECT_FALSE(again.optOtherFolder->isChecked());
    EXPECT_EQ(again.txtOutPath->text(), "/media/store/Meine Schnitte");
    // No use for the folder box nor Browse while the output goes beside the input.
    EXPECT_FALSE(again.txtOutPath->isEnabled());
    EXPECT_FALSE(again.cmdBrowse->isEnabled());
    EXPECT_TRUE(again.optFormat[1]->isChecked());
    EXPECT_EQ(ShownFormatFrame(again), 1);
    EXPECT_EQ(again.cmbCategory->Text(), "Web");
    EXPECT_EQ(again.cmbOutVCodec->Text(), "VP9");
    EXPECT_EQ(Items(again.cmbOutFormat), (QStringList{"webm", "mkv"}));
    EXPECT_EQ(again.cmbOutFormat->Text(), "mkv");
    EXPECT_EQ(again.cmbCustContainer->Text(), "MP4");
    EXPECT_EQ(again.cmbCACodec->Text(), "Copy (no re-encoding)");
    EXPECT_EQ(again.cmbCASmapleRate->Text(), "48 KHz");
    EXPECT_EQ(again.cmbCVCodec->Text(), "H.264 / AVC");
    EXPECT_EQ(again.cmbCVSize->Text(), "hd1080(1920x1080)");
    EXPECT_EQ(again.cmbCVAspect->Text(), "16:9");
    EXPECT_EQ(again.txtCABirate->text(), "128");
    EXPECT_EQ(again.txtChannels->text(), "6");
    EXPECT_EQ(again.txtCVBitrate->text(), "2500");
    EXPECT_EQ(again.txtFrameRate->text(), "29.97");
    EXPECT_EQ(again.lblFormat->text(), "Container:MP4, Video Codec:\"H.264 / AVC\", Audio Codec:\"Copy (no re-encoding)\"");

    // Back to "Other folder": Browse is of use again, and so is the box after a restart.
    again.show();
    QTest::mouseClick(again.optOtherFolder, Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(again.cmdBrowse->isEnabled());
    frmMain &third = Restart();
    EXPECT_TRUE(third.optOtherFolder->isChecked());
    EXPECT_TRUE(third.txtOutPath->isEnabled());
    EXPECT_TRUE(third.cmdBrowse->isEnabled());
    EXPECT_EQ(third.txtOutPath->text(), "/media/store/Meine Schnitte");
}

TEST_F(Settings, AStoredPresetChoiceComesBackWholeThoughTheCategoryRefillsTheOtherLists)
{
    Store("cmbCategory", "0");
    Store("cmbOutVCodec", "1");
    Store("cmbOutFormat", "1");
    frmMain &w = Start();
    EXPECT_EQ(w.cmbCategory->Text(), "Web");
    EXPECT_EQ(Items(w.cmbOutVCodec), (QStringList{"H.264", "VP9"}));
    EXPECT_EQ(w.cmbOutVCodec->Text(), "VP9");
    EXPECT_EQ(Items(w.cmbOutFormat), (QStringList{"webm", "mkv"}));
    EXPECT_EQ(w.cmbOutFormat->Text(), "mkv");
    EXPECT_EQ(w.lblFormat->text(), "Category:Web, Codec:\"VP9\", Container:\"mkv\"");
}

TEST_F(Settings, WithOneCategoryTheFirstStaysChosenAndTheLaterListsStillFollow)
{
    WriteProgramFile("presets.xml", Catalogue({{"A", "a1", "Only"}, {"B", "b1", "Only"}, {"B", "b2", "Only"}}));
    frmMain &w = Start();
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << qPrintable(m_messages.Texts().join('|'));
    ASSERT_EQ(w.cmbCategory->ListCount(), 1);
    EXPECT_EQ(w.cmbCategory->ListIndex(), 0);
    EXPECT_EQ(w.cmbOutVCodec->Text(), "B");
    EXPECT_EQ(w.cmbOutFormat->Text(), "b2");
    EXPECT_EQ(w.cmbCustContainer->Text(), "AVI");
    EXPECT_EQ(w.cmbCVCodec->Text(), "MPEG-4 Part 2");
    EXPECT_EQ(w.txtFrameRate->text(), "25");
    EXPECT_EQ(w.lblFormat->text(), "Category:Only, Codec:\"B\", Container:\"b2\"");
}

TEST_F(Settings, RestoreDefaultsInCustomModeGoesBackToPresetsWithThePanelStillUp)
{
    Store("optFormat", "1");
    Store("optSameFolder", "True");
    Store("optOtherFolder", "False");
    Store("cmbCategory", "2");
    Store("cmbCVSize", "5");
    Store("txtChannels", "1");
    frmMain &w = StartWithPanelUp();
    ASSERT_TRUE(w.optFormat[1]->isChecked());
    ASSERT_EQ(ShownFormatFrame(w), 1);
    ASSERT_FALSE(w.txtOutPath->isEnabled());
    w.txtCVBitrate->setText("4000");

    QTest::mouseClick(w.cmdDefaults, Qt::LeftButton);
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << qPrintable(m_messages.Texts().join('|'));
    EXPECT_TRUE(w.optFormat[0]->isChecked());
    EXPECT_EQ(ShownFormatFrame(w), 0);
    EXPECT_TRUE(w.frFormat[0]->isVisible());
    EXPECT_FALSE(w.frFormat[1]->isVisible());
    EXPECT_EQ(w.txtCVBitrate->text(), "320");
    // The panel stays where it is, and the key is gone until the window closes.
    EXPECT_EQ(w.frFormats->Top(), kPanelUpTop);
    EXPECT_FALSE(w.tmrAnimate->isActive());
    EXPECT_FALSE(w.frMain->isEnabled());
    for (const char *szName : {"optFormat", "optSameFolder", "cmbCategory", "cmbCVSize", "txtChannels"})
        EXPECT_EQ(Stored(szName), "<none>") << szName;

    w.cmdHide_Click();
    RunSlide();
    ExpectFirstStartDefaults(w);
    frmMain &again = Restart();
    ExpectFirstStartDefaults(again);
    EXPECT_EQ(Stored("cmbCVSize"), "0");
}

TEST_F(Settings, ADamagedStoredValueIsSkippedWithoutAWord)
{
    Store("cmbCategory", "Web");       // not a position
    Store("cmbOutVCodec", "5");        // past the end
    Store("optFormat", "2");           // no such mode
    Store("optOtherFolder", "perhaps");
    Store("cmbCVSize", "29");          // one past the end
    Store("cmbCASmapleRate", " 8 ");   // sound
    Store("cmbCVAspect", "-1");        // nothing selected
    Store("txtCVBitrate", "12345x");   // longer than typing allows, and a letter: the default
    Store("txtChannels", "2 /home/u/film.mp4");
    Store("txtFrameRate", "0");        // no rate: the default
    frmMain &w = Start();
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << qPrintable(m_messages.Texts().join('|'));
    // The category the catalogue loader chose stays, and so does the first label of it.
    EXPECT_EQ(w.cmbCategory->Text(), "Web");
    EXPECT_EQ(w.cmbOutVCodec->Text(), "H.264");
    EXPECT_EQ(w.cmbOutFormat->Text(), "mp4"); // its default position 1 does not exist
    EXPECT_TRUE(w.optFormat[0]->isChecked());
    EXPECT_EQ(ShownFormatFrame(w), 0);
    EXPECT_TRUE(w.optOtherFolder->isChecked());
    EXPECT_EQ(w.cmbCVSize->Text(), "[As Input]");
    EXPECT_EQ(w.cmbCASmapleRate->Text(), "48 KHz");
    EXPECT_EQ(w.cmbCVAspect->ListIndex(), -1);
    EXPECT_EQ(w.txtCVBitrate->text(), "320");
    EXPECT_EQ(w.txtChannels->text(), "2");
    EXPECT_EQ(w.txtFrameRate->text(), "25");
    EXPECT_EQ(w.lblFormat->text(), "Category:Web, Codec:\"H.264\", Container:\"mp4\"");
}

TEST_F(Settings, AStoreFileThatIsNoLongerReadableGivesTheDefaultsAndIsWrittenAfresh)
{
    Store("cmbCategory", "0");
    QFile file(RegistryFile(HKEY_LOCAL_MACHINE));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[HKEY_LOCAL_MACHINE\\Software\x01\xff\n=\"broken\n\\\\\"[[");
    file.close();

    frmMain &w = Start();
    ExpectFirstStartDefaults(w);
    w.cmbCategory->setListIndex(2);
    frmMain &again = Restart();
    EXPECT_EQ(again.cmbCategory->Text(), "Disc");
    EXPECT_EQ(again.cmbOutVCodec->Text(), "MPEG-2");
}

TEST_F(Settings, ACodecListLeftEmptyIsStoredAsNothingSelectedAndStaysSo)
{
    RemoveProgramFile("codecs.xml");
    frmMain &w = Start();
    ASSERT_EQ(m_messages.Messages().size(), 1); // the codec loader's own message
    ASSERT_EQ(w.cmbCVCodec->ListCount(), 0);
    frmMain &again = Restart();
    EXPECT_EQ(Stored("cmbCVCodec"), "-1");
    EXPECT_EQ(Stored("cmbCACodec"), "-1");
    EXPECT_EQ(m_messages.Messages().size(), 2);
    EXPECT_EQ(again.cmbCVCodec->ListIndex(), -1);
    EXPECT_EQ(again.cmbCACodec->ListIndex(), -1);
    EXPECT_EQ(again.cmbCASmapleRate->Text(), "22.05 KHz"); // the steps after them still ran
}
