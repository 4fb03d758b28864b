// The output format panel: the mode switch, the key filters, "Change..." and "Save && Close",
// and the description of the chosen format on the main frame.
#include "ui/frmMain.h"

#include "common/MessageBox.h"
#include "formats/PresetLists.h"
#include "slider/Slider.h"
#include "widgets/ComboList.h"
#include "widgets/KeyFilter.h"
#include "widgets/MyButton.h"
#include "widgets/MyFrame.h"
#include "workflow/modKeyFilters.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {
const QString kMsgChannelsEmpty = QStringLiteral("Channels Field in the custom Format can not be empty.");
const QString kMsgFrameRateEmpty = QStringLiteral("Frame Rate Field in the custom Format can not be empty.");
const QString kMsgAudioBitrateEmpty = QStringLiteral("Audio Bitrate Field in the custom Format can not be empty.");
const QString kMsgVideoBitrateEmpty = QStringLiteral("Video Bitrate Field in the custom Format can not be empty.");

const QString kLabelCategory = QStringLiteral("Category:");
const QString kLabelCodec = QStringLiteral(", Codec:");
const QString kLabelContainer = QStringLiteral(", Container:");
const QString kLabelCustomContainer = QStringLiteral("Container:");
const QString kLabelVideoCodec = QStringLiteral(", Video Codec:");
const QString kLabelAudioCodec = QStringLiteral(", Audio Codec:");
const QChar kQuote = QLatin1Char('"');

QString Quoted(const QString &sText)
{
    return kQuote + sText + kQuote;
}
} // namespace

void frmMain::ConnectFormatPanel()
{
    objPresetLists = std::make_unique<PresetLists>(Catalogues, *cmbCategory, *cmbOutVCodec, *cmbOutFormat);
    for (int i = 0; i < 2; ++i)
        connect(optFormat[i], &QRadioButton::toggled, this, [this, i](bool bOn) {
            if (bOn)
                optFormat_Click(i);
        });
    connect(cmdChangeFormat, &MyButton::clicked, this, &frmMain::cmdChangeFormat_Click);
    connect(cmdHide, &MyButton::clicked, this, &frmMain::cmdHide_Click);

    KeyFilter::Install(txtCABirate, BitrateKeyAllowed);
    KeyFilter::Install(txtCVBitrate, BitrateKeyAllowed);
    KeyFilter::Install(txtChannels, ChannelsKeyAllowed);
    // A rate of 0 can be typed on from ("0.5"), but says no rate.
    KeyFilter::Install(txtFrameRate, FrameRateKeyAllowed, FrameRateGiven);
}

void frmMain::optFormat_Click(int iIndex)
{
    // The frame behind is hidden too, so that the keyboard cannot wander into it.
    frFormat[iIndex]->show();
    frFormat[iIndex]->raise();
    frFormat[1 - iIndex]->hide();
}

void frmMain::cmdChangeFormat_Click()
{
    if (tmrAnimate->isActive())
        return;
    OpenPanel(frFormats);
}

void frmMain::cmdHide_Click()
{
    // Checked in this order whatever the mode. A text that is no value yet (a frame rate of 0)
    // is as good as none.
    const struct {
        QLineEdit *box;
        const QString &sMessage;
    } checks[] = {{txtChannels, kMsgChannelsEmpty},
                  {txtFrameRate, kMsgFrameRateEmpty},
                  {txtCABirate, kMsgAudioBitrateEmpty},
                  {txtCVBitrate, kMsgVideoBitrateEmpty}};
    for (const auto &check : checks) {
        if (check.box->text().isEmpty() || !check.box->hasAcceptableInput()) {
            MsgBox(check.sMessage, MsgIcon::Exclamation);
            return;
        }
    }
    MoveFrame(kEditFrameDown);
    UpdateFormatLabel();
}

void frmMain::UpdateFormatLabel()
{
    if (optFormat[0]->isChecked())
        lblFormat->setText(kLabelCategory + cmbCategory->Text() + kLabelCodec + Quoted(cmbOutVCodec->Text()) +
                           kLabelContainer + Quoted(cmbOutFormat->Text()));
    else
        lblFormat->setText(kLabelCustomContainer + cmbCustContainer->Text() + kLabelVideoCodec +
                           Quoted(cmbCVCodec->Text()) + kLabelAudioCodec + Quoted(cmbCACodec->Text()));
}

void frmMain::SetCategory(const QString &sCat)
{
    objPresetLists->SetCategory(sCat);
}

void frmMain::SetVideoCodec(const QString &sCodec)
{
    objPresetLists->SetVideoCodec(sCodec);
}

FormatChoice frmMain::CurrentFormatChoice() const
{
    FormatChoice choice;
    choice.bPresetMode = optFormat[0]->isChecked();
    choice.sCategory = cmbCategory->Text();
    choice.sPresetLabel = cmbOutVCodec->Text();
    choice.sPresetFormat = cmbOutFormat->Text();
    choice.sSampleRate = cmbCASmapleRate->Text();
    choice.sAudioBitrate = txtCABirate->text();
    choice.sAudioCodec = cmbCACodec->Text();
    choice.sChannels = txtChannels->text();
    choice.sVideoCodec = cmbCVCodec->Text();
    choice.sVideoBitrate = txtCVBitrate->text();
    choice.sVideoSize = cmbCVSize->Text();
    choice.sAspectRatio = cmbCVAspect->Text();
    choice.sFrameRate = txtFrameRate->text();
    choice.iSelectStart = Slider->SelectStart();
    choice.iSelectEnd = Slider->SelectEnd();
    return choice;
}
