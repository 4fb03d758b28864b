#include "WindowFixture.h"

#include "common/RunTimeError.h"
#include "slider/Slider.h"
#include "widgets/ComboList.h"
#include "widgets/MyButton.h"
#include "widgets/MyFrame.h"
#include "workflow/modKeyFilters.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
class FormatPanel : public WindowFixture {
protected:
    // Opens the panel and lets it come all the way up.
    frmMain &StartWithPanelUp()
    {
        frmMain &w = Start();
        w.cmdChangeFormat_Click();
        RunSlide();
        return w;
    }

    static void Fill(ComboList *list, const QStringList &items, int iSelected)
    {
        list->Clear();
        for (const QString &sItem : items)
            list->AddItem(sItem);
        list->setListIndex(iSelected);
    }

    static QStringList Items(const ComboList *list)
    {
        QStringList items;
        for (int i = 0; i < list->ListCount(); ++i)
            items << list->List(i);
        return items;
    }
};

// Types into a box with real key events; returns what the box holds then.
QString Type(QLineEdit *box, const QString &sKeys)
{
    for (QChar key : sKeys)
        QTest::keyClick(box, key.toLatin1());
    return box->text();
}
} // namespace

TEST_F(FormatPanel, FixedListsHoldTheirItemsInOrder)
{
    frmMain &w = Start();
    EXPECT_EQ(Items(w.cmbCustContainer), (QStringList{"WMV", "ASF", "AVI", "MOV", "FLV", "MPG", "MPEG", "MP4", "RM", "yuv"}));
    EXPECT_EQ(Items(w.cmbCASmapleRate), (QStringList{"8 KHz", "11.025 KHz", "12 KHz", "16 KHz", "22.05 KHz", "24 KHz",
                                                     "32 KHz", "44.1 KHz", "48 KHz"}));
    EXPECT_EQ(Items(w.cmbCVAspect), (QStringList{"[As Input]", "4:3", "16:9", "1.3333", "1.7777"}));
    const QStringList sizes = Items(w.cmbCVSize);
    ASSERT_EQ(sizes.size(), 29);
    EXPECT_EQ(sizes[0], QStringLiteral("[As Input]"));
    EXPECT_EQ(sizes[1], QStringLiteral("sqcif(128x96)"));
    EXPECT_EQ(sizes[12], QStringLiteral("sxga(1280x1024)"));
    EXPECT_EQ(sizes[15], QStringLiteral("wvga(852x480)"));
    EXPECT_EQ(sizes[22], QStringLiteral("whsxga(6400x4096)"));
    EXPECT_EQ(sizes[28], QStringLiteral("hd1080(1920x1080)"));
    // Exactly four items end in a blank.
    QList<int> blankEnded;
    for (int i = 0; i < sizes.size(); ++i)
        if (sizes[i].endsWith(QLatin1Char(' ')))
            blankEnded << i;
    EXPECT_EQ(blankEnded, (QList<int>{13, 16, 20, 27}));
    EXPECT_EQ(sizes[13], QStringLiteral("qsxga(2560x2048) "));
    EXPECT_EQ(sizes[27], QStringLiteral("hd720(1280x720) "));

    // The texts of a first start (the saved settings' defaults), and every list is pick-only.
    EXPECT_EQ(w.txtCVBitrate->text(), QStringLiteral("320"));
    EXPECT_EQ(w.txtFrameRate->text(), QStringLiteral("25"));
    EXPECT_EQ(w.txtCABirate->text(), QStringLiteral("64"));
    EXPECT_EQ(w.txtChannels->text(), QStringLiteral("2"));
    for (ComboList *list : w.findChildren<ComboList *>())
        EXPECT_FALSE(list->isEditable()) << qPrintable(list->objectName());
    EXPECT_EQ(w.findChildren<ComboList *>().size(), 9);

    EXPECT_EQ(w.optFormat[0]->text(), QStringLiteral("Presets"));
    EXPECT_EQ(w.optFormat[1]->text(), QStringLiteral("Custom (Advanced)"));
    EXPECT_EQ(w.frVideoOptions->Caption(), QStringLiteral("Output Video Options"));
    EXPECT_EQ(w.frAudioOptions->Caption(), QStringLiteral("Output Audio Options"));
    EXPECT_EQ(w.Label12->text(), QStringLiteral("Output File Format (Container):"));
    EXPECT_EQ(w.Label13->text(), QStringLiteral("Output Format(Container):"));
    EXPECT_EQ(w.Label24->text(), QStringLiteral("Sampling Rate:"));
}

TEST(ComboListAdapter, SelectingFromCodeOrByTheUserRaisesTheClickHandling)
{
    ComboList list;
    int iClicks = 0;
    list.SetClickHandler([&] { ++iClicks; });
    list.AddItem(QStringLiteral("avi"));
    list.AddItem(QStringLiteral("mp4"));
    // Like the classic list: filling selects nothing and raises nothing.
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Text(), QString());
    EXPECT_EQ(iClicks, 0);

    list.setListIndex(1);
    EXPECT_EQ(list.Text(), QStringLiteral("mp4"));
    EXPECT_EQ(iClicks, 1);
    list.setListIndex(1); // also when the position does not change
    EXPECT_EQ(iClicks, 2);

    // A user's choice, here with the keyboard.
    list.show();
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(iClicks, 3);

    try {
        list.setListIndex(2);
        ADD_FAILURE() << "an index past the end was taken";
    } catch (const RunTimeError &error) {
        EXPECT_EQ(error.Number(), ListControl::InvalidPropertyValue);
    }
    EXPECT_EQ(list.ListIndex(), 0);
    list.setListIndex(-1);
    EXPECT_EQ(list.Text(), QString());

    // A handling that fails on the user's pick does not take the event loop down.
    list.SetClickHandler([&] {
        ++iClicks;
        throw RunTimeError(ListControl::InvalidPropertyValue, QStringLiteral("Invalid property value"));
    });
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(iClicks, 5);

    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(iClicks, 5);
}

TEST_F(FormatPanel, PresetListsFollowTheCategoryAndTheLabel)
{
    frmMain &w = StartWithPanelUp();
    w.show();
    const QString sStartLabel = w.lblFormat->text();
    w.cmbCategory->setListIndex(0);
    // A category refills both lists: the labels once each, the containers of the first label.
    EXPECT_EQ(Items(w.cmbCategory), (QStringList{"Web", "Phone", "Audio"}));
    EXPECT_EQ(Items(w.cmbOutVCodec), (QStringList{"H.264 small", "VP9"}));
    EXPECT_EQ(Items(w.cmbOutFormat), (QStringList{"mp4", "mkv"}));

    // The user picks the second category.
    w.cmbCategory->setFocus();
    QTest::keyClick(w.cmbCategory, Qt::Key_Down);
    EXPECT_EQ(w.cmbCategory->Text(), QStringLiteral("Phone"));
    EXPECT_EQ(Items(w.cmbOutVCodec), (QStringList{"3GP", " MPEG-4 (small) ", "H.264 small"}));
    EXPECT_EQ(w.cmbOutVCodec->ListIndex(), 0);
    EXPECT_EQ(Items(w.cmbOutFormat), (QStringList{"3gp"}));
    EXPECT_EQ(w.cmbOutFormat->ListIndex(), 0);

    // A label refills the containers only, with those of the current category alone.
    w.cmbOutVCodec->setListIndex(2);
    EXPECT_EQ(Items(w.cmbOutFormat), (QStringList{"mov"}));
    EXPECT_EQ(w.cmbOutFormat->Text(), QStringLiteral("mov"));
    EXPECT_EQ(Items(w.cmbOutVCodec), (QStringList{"3GP", " MPEG-4 (small) ", "H.264 small"}));
    EXPECT_EQ(w.cmbCategory->Text(), QStringLiteral("Phone"));

    // Selecting from code, as the saved settings do, raises the same handling.
    w.cmbCategory->setListIndex(2);
    EXPECT_EQ(Items(w.cmbOutVCodec), (QStringList{"MP3"}));
    EXPECT_EQ(Items(w.cmbOutFormat), (QStringList{"mp3"}));
    w.cmbCategory->setListIndex(0);
    w.SetVideoCodec(QStringLiteral("VP9"));
    EXPECT_EQ(Items(w.cmbOutFormat), (QStringList{"webm"}));
    // The lists of the panel never changed lblFormat on their own.
    EXPECT_EQ(w.lblFormat->text(), sStartLabel);
}

TEST_F(FormatPanel, ModeSwitchBringsTheFrameToTheFrontAndKeepsEverythingElse)
{
    frmMain &w = StartWithPanelUp();
    w.show();
    w.cmbCategory->setListIndex(1);
    w.cmbCustContainer->setListIndex(7);
    w.UpdateFormatLabel();
    const QString sLabel = w.lblFormat->text();
    EXPECT_TRUE(w.frFormat[0]->isVisible());
    EXPECT_FALSE(w.frFormat[1]->isVisible());

    QTest::mouseClick(w.optFormat[1], Qt::LeftButton);
    EXPECT_TRUE(w.optFormat[1]->isChecked());
    EXPECT_FALSE(w.optFormat[0]->isChecked());
    EXPECT_TRUE(w.frFormat[1]->isVisible());
    EXPECT_TRUE(w.cmbCVSize->isVisible());
    EXPECT_FALSE(w.cmbCategory->isVisible());
    EXPECT_EQ(w.lblFormat->text(), sLabel);
    EXPECT_EQ(w.cmbCategory->Text(), QStringLiteral("Phone"));
    EXPECT_EQ(w.cmbCustContainer->Text(), QStringLiteral("MP4"));

    w.optFormat_Click(0);
    EXPECT_TRUE(w.frFormat[0]->isVisible());
    EXPECT_FALSE(w.frFormat[1]->isVisible());
    // The frame of the mode lies in front of the other.
    EXPECT_GT(w.frFormats->children().indexOf(w.frFormat[0]), w.frFormats->children().indexOf(w.frFormat[1]));
}

TEST_F(FormatPanel, ChangeOpensThePanelUnlessASlideRuns)
{
    frmMain &w = Start();
    w.cmdChangeFormat_Click();
    EXPECT_EQ(w.objMovingFrame, w.frFormats);
    EXPECT_FALSE(w.frMain->isEnabled());
    EXPECT_EQ(w.sMoveObject, frmMain::kMoveUp);
    w.tmrAnimate_Timer();
    w.tmrAnimate_Timer();
    w.cmdChangeFormat_Click(); // ignored: the step stays where the slide has it
    EXPECT_EQ(w.frFormats->Top(), 8070 - 600);
    RunSlide();
    EXPECT_EQ(w.frFormats->Top(), 2715);
    EXPECT_EQ(w.frAbout->Top(), 8070);
}

TEST_F(FormatPanel, SaveAndCloseChecksTheFourBoxesInOrder)
{
    frmMain &w = StartWithPanelUp();
    ASSERT_TRUE(w.optFormat[0]->isChecked()); // preset mode: the custom boxes are checked anyway
    w.cmbCategory->setListIndex(0);
    for (QLineEdit *box : {w.txtChannels, w.txtFrameRate, w.txtCABirate, w.txtCVBitrate})
        box->clear();
    const QString sLabel = w.lblFormat->text();

    const struct {
        QLineEdit *fill;
        const char *szMessage;
        const char *szValue;
    } steps[] = {
        {w.txtChannels, "Channels Field in the custom Format can not be empty.", "2"},
        {w.txtFrameRate, "Frame Rate Field in the custom Format can not be empty.", "0"},
        {w.txtFrameRate, "Frame Rate Field in the custom Format can not be empty.", "0."},
        {w.txtFrameRate, "Frame Rate Field in the custom Format can not be empty.", "12.5"},
        {w.txtCABirate, "Audio Bitrate Field in the custom Format can not be empty.", "64"},
        {w.txtCVBitrate, "Video Bitrate Field in the custom Format can not be empty.", "320"},
    };
    for (const auto &step : steps) {
        m_messages.Clear();
        w.cmdHide_Click();
        ASSERT_EQ(m_messages.Messages().size(), 1);
        EXPECT_EQ(m_messages.Messages()[0].sText, QString::fromLatin1(step.szMessage));
        EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Exclamation);
        // The panel stays up and nothing changed.
        EXPECT_FALSE(w.tmrAnimate->isActive());
        EXPECT_EQ(w.frFormats->Top(), 2715);
        EXPECT_EQ(w.lblFormat->text(), sLabel);
        // A frame rate of 0 says no rate: it is refused as a missing one.
        step.fill->setText(QString::fromLatin1(step.szValue));
    }

    m_messages.Clear();
    w.cmbOutFormat->setListIndex(1);
    w.cmdHide_Click();
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    EXPECT_EQ(w.sMoveObject, frmMain::kMoveDown);
    EXPECT_TRUE(w.tmrAnimate->isActive());
    EXPECT_EQ(w.lblFormat->text(), QStringLiteral("Category:Web, Codec:\"H.264 small\", Container:\"mkv\""));
    RunSlide();
    EXPECT_EQ(w.frFormats->Top(), 8070);
    EXPECT_TRUE(w.frMain->isEnabled());
}

TEST_F(FormatPanel, SaveAndCloseDuringTheSlideUpTurnsItDownAtOnce)
{
    frmMain &w = Start();
    w.cmdChangeFormat_Click();
    for (int i = 0; i < 4; ++i)
        w.tmrAnimate_Timer();
    ASSERT_EQ(w.frFormats->Top(), 8070 - 1200);
    w.cmdHide_Click();
    w.tmrAnimate_Timer();
    EXPECT_EQ(w.frFormats->Top(), 8070 - 1200 + 500);
    RunSlide();
    EXPECT_EQ(w.frFormats->Top(), 8070);
    EXPECT_TRUE(w.frMain->isEnabled());
}

TEST_F(FormatPanel, LabelDescribesThePresetOrTheCustomFormat)
{
    frmMain &w = Start();
    w.cmbCategory->setListIndex(1);
    w.cmbOutVCodec->setListIndex(1);
    w.cmbCVCodec->setListIndex(1);
    w.cmbCACodec->setListIndex(1);
    w.cmbCustContainer->setListIndex(2);

    // List texts go in unchanged, blanks and all.
    w.UpdateFormatLabel();
    const QString sPreset = QStringLiteral("Category:Phone, Codec:\" MPEG-4 (small) \", Container:\"3gp\"");
    EXPECT_EQ(w.lblFormat->text(), sPreset);

    w.optFormat[1]->setChecked(true);
    // Switching the mode alone does not rewrite it.
    EXPECT_EQ(w.lblFormat->text(), sPreset);
    w.UpdateFormatLabel();
    EXPECT_EQ(w.lblFormat->text(),
              QStringLiteral("Container:AVI, Video Codec:\"MPEG-4 Part 2\", Audio Codec:\"MP3\""));

    // Texts that look like markup are shown as they are.
    Fill(w.cmbCACodec, {"<b>AAC</b>"}, 0);
    w.UpdateFormatLabel();
    EXPECT_EQ(w.lblFormat->textFormat(), Qt::PlainText);
    EXPECT_TRUE(w.lblFormat->text().endsWith(QStringLiteral("Audio Codec:\"<b>AAC</b>\"")));
}

TEST(KeyRules, BitrateTakesUpToFourDigits)
{
    EXPECT_TRUE(BitrateKeyAllowed(u'0', QString()));
    EXPECT_TRUE(BitrateKeyAllowed(u'9', QStringLiteral("123")));
    EXPECT_TRUE(BitrateKeyAllowed(kKeyReturn, QStringLiteral("1")));
    EXPECT_TRUE(BitrateKeyAllowed(kKeyBack, QStringLiteral("1")));
    EXPECT_FALSE(BitrateKeyAllowed(u'.', QStringLiteral("1")));
    EXPECT_FALSE(BitrateKeyAllowed(u'a', QString()));
    EXPECT_FALSE(BitrateKeyAllowed(u'-', QString()));
    EXPECT_FALSE(BitrateKeyAllowed(22, QString())); // a control character (Ctrl+V)
    EXPECT_FALSE(BitrateKeyAllowed(u'5', QStringLiteral("1234")));
    EXPECT_FALSE(BitrateKeyAllowed(kKeyReturn, QStringLiteral("1234")));
    EXPECT_TRUE(BitrateKeyAllowed(kKeyBack, QStringLiteral("1234")));
    // Only exactly the limit length stops typing.
    EXPECT_TRUE(BitrateKeyAllowed(u'5', QStringLiteral("12345")));
}

TEST(KeyRules, ChannelsTakeOneDigitButNeverZero)
{
    EXPECT_TRUE(ChannelsKeyAllowed(u'1', QString()));
    EXPECT_TRUE(ChannelsKeyAllowed(u'9', QString()));
    EXPECT_FALSE(ChannelsKeyAllowed(u'0', QString()));
    EXPECT_TRUE(ChannelsKeyAllowed(kKeyReturn, QString()));
    EXPECT_FALSE(ChannelsKeyAllowed(u'6', QStringLiteral("2")));
    EXPECT_FALSE(ChannelsKeyAllowed(kKeyReturn, QStringLiteral("2")));
    EXPECT_TRUE(ChannelsKeyAllowed(kKeyBack, QStringLiteral("2")));
    EXPECT_TRUE(ChannelsKeyAllowed(u'6', QStringLiteral("22")));
}

TEST(KeyRules, FrameRateTakesOnePointAndNoZeroAfterIt)
{
    EXPECT_TRUE(FrameRateKeyAllowed(u'.', QStringLiteral("12")));
    EXPECT_FALSE(FrameRateKeyAllowed(u'.', QStringLiteral("12.5")));
    EXPECT_FALSE(FrameRateKeyAllowed(u'0', QStringLiteral("12.5")));
    EXPECT_FALSE(FrameRateKeyAllowed(u'0', QStringLiteral("12.")));
    EXPECT_TRUE(FrameRateKeyAllowed(u'7', QStringLiteral("12.5")));
    EXPECT_TRUE(FrameRateKeyAllowed(u'0', QStringLiteral("12")));
    EXPECT_FALSE(FrameRateKeyAllowed(u',', QStringLiteral("12")));
    EXPECT_FALSE(FrameRateKeyAllowed(u'1', QStringLiteral("123456789")));
    EXPECT_TRUE(FrameRateKeyAllowed(kKeyBack, QStringLiteral("123456789")));
    EXPECT_TRUE(FrameRateKeyAllowed(u'1', QStringLiteral("1234567890")));
}

TEST_F(FormatPanel, KeyFiltersActOnTypedKeysOnly)
{
    frmMain &w = StartWithPanelUp();
    w.optFormat[1]->setChecked(true);
    w.show();

    w.txtFrameRate->clear();
    EXPECT_EQ(Type(w.txtFrameRate, QStringLiteral("12.5")), QStringLiteral("12.5"));
    EXPECT_EQ(Type(w.txtFrameRate, QStringLiteral("0.")), QStringLiteral("12.5"));
    w.txtFrameRate->clear();
    EXPECT_EQ(Type(w.txtFrameRate, QStringLiteral("120")), QStringLiteral("120"));

    w.txtChannels->clear();
    EXPECT_EQ(Type(w.txtChannels, QStringLiteral("06")), QStringLiteral("6"));
    EXPECT_EQ(Type(w.txtChannels, QStringLiteral("7")), QStringLiteral("6"));
    QTest::keyClick(w.txtChannels, Qt::Key_Backspace);
    EXPECT_EQ(w.txtChannels->text(), QString());
    EXPECT_EQ(Type(w.txtChannels, QStringLiteral("0x6")), QStringLiteral("6"));

    w.txtCABirate->clear();
    EXPECT_EQ(Type(w.txtCABirate, QStringLiteral("1a2b8k12")), QStringLiteral("1281"));
    QSignalSpy entered(w.txtCABirate, &QLineEdit::returnPressed);
    QTest::keyClick(w.txtCABirate, Qt::Key_Return); // cancelled at the limit length
    EXPECT_EQ(entered.count(), 0);
    QTest::keyClick(w.txtCABirate, Qt::Key_Backspace);
    QTest::keyClick(w.txtCABirate, Qt::Key_Return);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(w.txtCABirate->text(), QStringLiteral("128"));

    // Moving about types nothing and is never refused.
    QTest::keyClick(w.txtCABirate, Qt::Key_Home);
    EXPECT_EQ(w.txtCABirate->cursorPosition(), 0);
    QTest::keyClick(w.txtCABirate, Qt::Key_Delete);
    EXPECT_EQ(w.txtCABirate->text(), QStringLiteral("28"));

    // Text from code is not filtered, and a longer text can grow by typing.
    w.txtCVBitrate->setText(QStringLiteral("12345"));
    w.txtCVBitrate->end(false);
    EXPECT_EQ(Type(w.txtCVBitrate, QStringLiteral("6")), QStringLiteral("123456"));
    w.txtCVBitrate->setText(QStringLiteral("1234"));
    w.txtCVBitrate->end(false);
    EXPECT_EQ(Type(w.txtCVBitrate, QStringLiteral("5")), QStringLiteral("1234"));
}

TEST_F(FormatPanel, TypingOverASelectionInAFullBoxReplacesIt)
{
    frmMain &w = StartWithPanelUp();
    w.optFormat[1]->setChecked(true);
    w.show();

    w.txtCVBitrate->setText(QStringLiteral("2000"));
    QTest::mouseDClick(w.txtCVBitrate, Qt::LeftButton, Qt::NoModifier, QPoint(8, w.txtCVBitrate->height() / 2));
    ASSERT_EQ(w.txtCVBitrate->selectedText(), QStringLiteral("2000"));
    EXPECT_EQ(Type(w.txtCVBitrate, QStringLiteral("1500")), QStringLiteral("1500"));

    w.txtFrameRate->setText(QStringLiteral("23.976543"));
    w.txtFrameRate->selectAll();
    EXPECT_EQ(Type(w.txtFrameRate, QStringLiteral("30")), QStringLiteral("30"));
    // Over part of the text: the rules see what stays.
    w.txtFrameRate->setText(QStringLiteral("12.5"));
    w.txtFrameRate->setSelection(2, 2);
    EXPECT_EQ(Type(w.txtFrameRate, QStringLiteral("0")), QStringLiteral("120"));

    w.txtChannels->setText(QStringLiteral("2"));
    w.txtChannels->selectAll();
    EXPECT_EQ(Type(w.txtChannels, QStringLiteral("0")), QStringLiteral("2")); // still the rules'
    EXPECT_EQ(Type(w.txtChannels, QStringLiteral("6")), QStringLiteral("6"));
}

TEST_F(FormatPanel, NoWayBringsInATextTheKeysWouldRefuse)
{
    frmMain &w = StartWithPanelUp();
    w.optFormat[1]->setChecked(true);
    w.show();
    QClipboard *clipboard = QApplication::clipboard();

    // A second output over an existing file, through the encoder's -y.
    clipboard->setText(QStringLiteral("2 /home/u/film.mp4"));
    w.txtChannels->selectAll();
    QTest::keyClick(w.txtChannels, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.txtChannels->text(), QStringLiteral("2"));
    clipboard->setText(QStringLiteral("25 -i x"));
    w.txtFrameRate->selectAll();
    QTest::keyClick(w.txtFrameRate, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.txtFrameRate->text(), QStringLiteral("25"));
    clipboard->setText(QStringLiteral("12345"));
    w.txtCVBitrate->selectAll();
    w.txtCVBitrate->paste(); // the context menu's Paste
    EXPECT_EQ(w.txtCVBitrate->text(), QStringLiteral("320"));
    // What the rules take goes in.
    clipboard->setText(QStringLiteral("1500"));
    w.txtCVBitrate->selectAll();
    QTest::keyClick(w.txtCVBitrate, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.txtCVBitrate->text(), QStringLiteral("1500"));

    // A text dropped from another program.
    const auto Drop = [](QLineEdit *box, const QString &sText) {
        QMimeData data;
        data.setText(sText);
        const QPoint at(4, box->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &drop);
        return box->text();
    };
    w.txtCABirate->clear();
    EXPECT_EQ(Drop(w.txtCABirate, QStringLiteral("96")), QStringLiteral("96"));
    EXPECT_EQ(Drop(w.txtCABirate, QStringLiteral("96 -y")), QStringLiteral("96"));
}
