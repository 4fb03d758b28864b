#include "ui/QtMessageBox.h"

#include "common/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QMessageBox::Icon ToQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void InstallQtMsgBoxHandler()
{
    SetMsgBoxHandler([](const QString &sText, MsgIcon icon) {
        QMessageBox box(ToQtIcon(icon), kAppTitle, sText, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
}
