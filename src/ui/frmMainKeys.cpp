// The window's keys: Space, I and O for the preview and the selection, Esc for the open panel,
// Ctrl+O and F1 for loading and help. Each works as a click on its button does.
#include "ui/frmMain.h"

#include "ui/ButtonKeys.h"
#include "widgets/MyButton.h"

namespace {
const QString kTipPlay = QStringLiteral("Play/Pause");
const QString kTipStartSelect = QStringLiteral("Start Selection");
const QString kTipEndSelect = QStringLiteral("End Selection");
const QString kTipHide = QStringLiteral("Save & Close");
const QString kTipCloseHelp = QStringLiteral("Close");
const QString kTipAddVideoFile = QStringLiteral("Load Video File");
const QString kTipHelp = QStringLiteral("Help");
} // namespace

void frmMain::ConnectKeys()
{
    auto *keys = new ButtonKeys(this);
    keys->Add(QKeySequence(Qt::Key_Space), cmdPlay, kTipPlay);
    keys->Add(QKeySequence(Qt::Key_I), cmdStartSelect, kTipStartSelect);
    keys->Add(QKeySequence(Qt::Key_O), cmdEndSelect, kTipEndSelect);
    // Only the panel that is up takes a click: a parked one is disabled.
    keys->Add(QKeySequence(Qt::Key_Escape), cmdHide, kTipHide);
    keys->Add(QKeySequence(Qt::Key_Escape), cmdCloseHelp, kTipCloseHelp);
    keys->Add(QKeySequence(Qt::CTRL | Qt::Key_O), cmdAddVideoFile, kTipAddVideoFile);
    keys->Add(QKeySequence(Qt::Key_F1), MyButton1, kTipHelp);
}
