// The cut selection: the marks live in the slider alone; the two labels show them.
#include "ui/frmMain.h"

#include "common/modFunctions.h"
#include "slider/Slider.h"
#include "widgets/MyButton.h"

#include <QLabel>

const QString frmMain::kMarkCleared = QStringLiteral("00.00.00");

void frmMain::ConnectSelection()
{
    connect(cmdStartSelect, &MyButton::clicked, this, &frmMain::cmdStartSelect_Click);
    connect(cmdEndSelect, &MyButton::clicked, this, &frmMain::cmdEndSelect_Click);
    connect(cmdDeleteSelect, &MyButton::clicked, this, &frmMain::cmdDeleteSelect_Click);
}

void frmMain::cmdStartSelect_Click()
{
    if (bNoVideo)
        return;
    Slider->setSelectStart(Slider->Value());
    lblStartSelect->setText(FormatTime(Slider->Value()));
}

void frmMain::cmdEndSelect_Click()
{
    if (bNoVideo)
        return;
    Slider->setSelectEnd(Slider->Value());
    lblEndSelect->setText(FormatTime(Slider->Value()));
}

void frmMain::cmdDeleteSelect_Click()
{
    Slider->setSelectStart(0);
    Slider->setSelectEnd(0);
    lblStartSelect->setText(kMarkCleared);
    lblEndSelect->setText(kMarkCleared);
}
