// The saved settings of the window: applied at the end of start-up and after "Restore Defaults",
// written when the window is asked to close.
#include "ui/frmMain.h"

#include "common/RunTimeError.h"
#include "settings/SettingsControls.h"
#include "settings/modSettings.h"
#include "ui/modDisplayLoss.h"
#include "widgets/ComboList.h"
#include "widgets/MyButton.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QValidator>

namespace {
// What the classic run-time raises for a control it cannot find, and for an index of a control
// array that has no element.
constexpr int kObjectRequired = 424;
const QString kObjectRequiredText = QStringLiteral("Object required");
constexpr int kNoSuchArrayElement = 340;
const QString kNoSuchArrayElementText = QStringLiteral("Control array element doesn't exist");

// The window's controls found by their names, which the stored values carry.
class WindowControls : public SettingsControls {
public:
    explicit WindowControls(frmMain &window) : m_window(window) {}

    bool OptionValue(const QString &sName) const override { return Find<QRadioButton>(sName)->isChecked(); }
    // Unsetting the set button of a group leaves it set, so a pair stored as two "False" keeps
    // the choice the window has, instead of none.
    void setOptionValue(const QString &sName, bool bValue) override { Find<QRadioButton>(sName)->setChecked(bValue); }

    QString BoxText(const QString &sName) const override { return Find<QLineEdit>(sName)->text(); }
    void setBoxText(const QString &sName, const QString &sText) override { Find<QLineEdit>(sName)->setText(sText); }
    bool BoxTakes(const QString &sName, const QString &sText) const override
    {
        const QValidator *rules = Find<QLineEdit>(sName)->validator();
        QString sCopy = sText;
        int iPosition = 0;
        return rules == nullptr || rules->validate(sCopy, iPosition) == QValidator::Acceptable;
    }

    int ListPosition(const QString &sName) const override { return Find<ComboList>(sName)->ListIndex(); }
    void setListPosition(const QString &sName, int iIndex) override { Find<ComboList>(sName)->setListIndex(iIndex); }

    bool FormatOptionValue(int iIndex) const override { return m_window.optFormat[CheckedIndex(iIndex)]->isChecked(); }
    void setFormatOption(int iIndex) override { m_window.optFormat[CheckedIndex(iIndex)]->setChecked(true); }
    // What a click on the mode's button does to the frames.
    void BringFormatFrameToFront(int iIndex) override { m_window.optFormat_Click(CheckedIndex(iIndex)); }

    void setOutputFolderEnabled(bool bEnabled) override
    {
        m_window.txtOutPath->setEnabled(bEnabled);
        m_window.cmdBrowse->setEnabled(bEnabled);
    }

    void UpdateFormatLabel() override { m_window.UpdateFormatLabel(); }

private:
    template <typename Control>
    Control *Find(const QString &sName) const
    {
        auto *control = m_window.findChild<Control *>(sName);
        if (control == nullptr)
            throw RunTimeError(kObjectRequired, kObjectRequiredText);
        return control;
    }

    static int CheckedIndex(int iIndex)
    {
        if (iIndex < 0 || iIndex > 1)
            throw RunTimeError(kNoSuchArrayElement, kNoSuchArrayElementText);
        return iIndex;
    }

    frmMain &m_window;
};
} // namespace

void frmMain::ConnectSettings()
{
    connect(cmdDefaults, &MyButton::clicked, this, &frmMain::cmdDefaults_Click);
    // The settings as shown, for an end without the display (see modDisplayLoss.h): every
    // change of a control that holds a saved value notes them all again.
    const auto NoteSettings = [this] { NoteSettingsValues(SettingsValuesFrom(WindowControls(*this))); };
    for (QRadioButton *option : findChildren<QRadioButton *>())
        connect(option, &QRadioButton::toggled, this, NoteSettings);
    for (QLineEdit *box : findChildren<QLineEdit *>())
        connect(box, &QLineEdit::textChanged, this, NoteSettings);
    for (ComboList *list : findChildren<ComboList *>())
        connect(list, &ComboList::currentIndexChanged, this, NoteSettings);
}

void frmMain::LoadSettings()
{
    WindowControls controls(*this);
    LoadSettingsInto(controls);
    NoteSettingsValues(SettingsValuesFrom(controls));
}

void frmMain::SaveSettings()
{
    const WindowControls controls(*this);
    SaveSettingsFrom(controls);
}

void frmMain::cmdDefaults_Click()
{
    // The panel stays up; nothing is stored again until the window closes.
    DeleteSavedSettings();
    LoadSettings();
}
