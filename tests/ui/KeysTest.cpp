// The window's keys on real widgets: each works as a click on its button, never while a text box
// has the keyboard, never where the control with the keyboard works the key itself, and never for
// what a running task disables. A scripted preview stands in for the player.
#include "FakePreview.h"
#include "WorkflowFixture.h"

#include "slider/Slider.h"
#include "widgets/ComboList.h"
#include "widgets/MyButton.h"
#include "widgets/MyFrame.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

// Stands in for the desktop's opener of local files (the help page).
class FileOpener : public QObject {
    Q_OBJECT
public:
    FileOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~FileOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;
public slots:
    void Open(const QUrl &url) { urls.append(url); }
};

class Keys : public WorkflowFixture {
protected:
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        m_sClip = Clip("short.mp4", 0.4);
        ASSERT_FALSE(m_sClip.isEmpty());
        WriteProgramFile(QStringLiteral("Help.html"), "<html></html>");
    }

    // The window shown and active with the clip loaded and playing, the keyboard on the slider.
    frmMain &StartPlaying()
    {
        frmMain &w = Start();
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        AddThroughDialog(w, m_sClip);
        m_lsDialogTitles.clear();
        m_graphs.log.clear();
        w.Slider->setFocus();
        return w;
    }

    // A key as the keyboard sends it: to the control that has the keyboard.
    static void Press(frmMain &w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &w, key, modifiers);
    }

    FakeGraphs m_graphs;
    QString m_sClip;
    FileOpener m_opener;
};

TEST_F(Keys, EachKeyWorksAsAClickOnItsButtonAndTheTooltipsNameThem)
{
    frmMain &w = StartPlaying();
    ASSERT_EQ(w.cmdPlay->Caption(), "Pause");

    Press(w, Qt::Key_Space);
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    EXPECT_EQ(m_graphs.log, QStringList{"g1.Pause"});
    Press(w, Qt::Key_Space);
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");

    w.Slider->setValue(30);
    Press(w, Qt::Key_I);
    w.Slider->setValue(90);
    Press(w, Qt::Key_O);
    EXPECT_EQ(w.Slider->SelectStart(), 30);
    EXPECT_EQ(w.Slider->SelectEnd(), 90);
    EXPECT_EQ(w.lblStartSelect->text(), "00:00:30");
    EXPECT_EQ(w.lblEndSelect->text(), "00:01:30");
    // The slider keeps its own keys.
    Press(w, Qt::Key_Right);
    EXPECT_EQ(w.Slider->Value(), 91);

    // Shift+O is not O, nor is Ctrl+O (whose dialog is cancelled here).
    m_sDialogAnswer.clear();
    Press(w, Qt::Key_O, Qt::ShiftModifier);
    EXPECT_TRUE(m_lsDialogTitles.isEmpty());
    Press(w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_lsDialogTitles, QStringList{"Select a video file"});
    EXPECT_EQ(w.Slider->SelectEnd(), 90);

    Press(w, Qt::Key_F1);
    ASSERT_EQ(m_opener.urls.size(), 1);
    EXPECT_EQ(m_opener.urls[0], QUrl::fromLocalFile(m_overrides.ProgramFile(QStringLiteral("Help.html"))));

    EXPECT_EQ(w.cmdPlay->toolTip(), "Play/Pause (Space)");
    EXPECT_EQ(w.cmdStartSelect->toolTip(), "Start Selection (I)");
    EXPECT_EQ(w.cmdEndSelect->toolTip(), "End Selection (O)");
    EXPECT_EQ(w.cmdAddVideoFile->toolTip(), "Load Video File (Ctrl+O)");
    EXPECT_EQ(w.MyButton1->toolTip(), "Help (F1)");
    EXPECT_EQ(w.cmdHide->toolTip(), "Save & Close (Esc)");
    EXPECT_EQ(w.cmdCloseHelp->toolTip(), "Close (Esc)");
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(Keys, TypingWinsAndSpaceWorksTheControlThatHasTheKeyboard)
{
    frmMain &w = StartPlaying();
    w.Slider->setValue(30);
    w.txtOutPath->clear();
    w.txtOutPath->setFocus();
    for (Qt::Key key : {Qt::Key_I, Qt::Key_Space, Qt::Key_O})
        Press(w, key);
    Press(w, Qt::Key_O, Qt::ControlModifier);
    Press(w, Qt::Key_F1);
    EXPECT_EQ(w.txtOutPath->text(), "i o");
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_EQ(w.Slider->SelectStart(), 0);
    EXPECT_EQ(w.Slider->SelectEnd(), 0);
    EXPECT_TRUE(m_lsDialogTitles.isEmpty());
    EXPECT_TRUE(m_opener.urls.isEmpty());

    // Space presses the button that has the keyboard (Stop), ticks the check box, and nothing more.
    w.cmdStop->setFocus();
    Press(w, Qt::Key_Space);
    EXPECT_EQ(m_graphs.log, QStringList({"g1.Stop", "g1.PutCurrentPosition 0"}));
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    w.chkShutdown->setFocus();
    Press(w, Qt::Key_Space);
    EXPECT_TRUE(w.chkShutdown->isChecked());
    EXPECT_EQ(w.cmdPlay->Caption(), "Play");
    // I and O are not Space: they reach the selection from a button too.
    w.Slider->setValue(5);
    Press(w, Qt::Key_I);
    EXPECT_EQ(w.Slider->SelectStart(), 5);
}

TEST_F(Keys, EscClosesThePanelThatIsUpAsItsOwnButtonDoes)
{
    frmMain &w = StartPlaying();
    Press(w, Qt::Key_Escape); // no panel up: nothing
    EXPECT_EQ(w.frFormats->Top(), 8070);
    EXPECT_EQ(w.frAbout->Top(), 8070);

    w.cmdChangeFormat_Click();
    RunSlide();
    ASSERT_TRUE(w.frFormats->isEnabled());
    // The main frame's keys are asleep under the panel, as its buttons are.
    Press(w, Qt::Key_Space);
    Press(w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_TRUE(m_lsDialogTitles.isEmpty());
    // Save & Close checks the boxes first: an empty one keeps the panel up and says so.
    w.txtChannels->clear();
    w.cmbCategory->setFocus();
    Press(w, Qt::Key_Escape);
    EXPECT_EQ(m_messages.Texts(), QStringList{"Channels Field in the custom Format can not be empty."});
    EXPECT_FALSE(w.tmrAnimate->isActive());
    w.txtChannels->setText("2");
    Press(w, Qt::Key_Escape);
    RunSlide();
    EXPECT_EQ(w.frFormats->Top(), 8070);
    EXPECT_FALSE(w.frFormats->isEnabled());

    w.cmdAbout_Click();
    RunSlide();
    ASSERT_TRUE(w.frAbout->isEnabled());
    Press(w, Qt::Key_Escape);
    RunSlide();
    EXPECT_EQ(w.frAbout->Top(), 8070);
    EXPECT_TRUE(w.frMain->isEnabled());
}

TEST_F(Keys, WhatATaskDisablesHasNoKeyWhileItRuns)
{
    frmMain &w = StartPlaying();
    w.Slider->setValue(30);
    w.EnableControls(false); // as a running task has them
    Press(w, Qt::Key_Space);
    Press(w, Qt::Key_I);
    Press(w, Qt::Key_O);
    Press(w, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(w.cmdPlay->Caption(), "Pause");
    EXPECT_EQ(w.Slider->SelectStart(), 0);
    EXPECT_EQ(w.Slider->SelectEnd(), 0);
    EXPECT_TRUE(m_lsDialogTitles.isEmpty());
    // Help stays, as its button does.
    Press(w, Qt::Key_F1);
    EXPECT_EQ(m_opener.urls.size(), 1);
}

} // namespace

#include "KeysTest.moc"
