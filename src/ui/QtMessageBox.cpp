#include "ui/QtMessageBox.h"

#include "common/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

namespace {
// A box whose text would need more than this share of the screen's height shows the text in a
// scrolling area instead: the encoder's output after a failed cut can run to hundreds of lines.
constexpr double kMaxTextShare = 0.6;
// Width of the scrolling text area, in average characters.
constexpr int kTextColumns = 90;
// Room kept on the screen for the window manager's title bar and frame around the box.
constexpr int kFrameAllowance = 64;

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

QRect AvailableArea(const QWidget *owner)
{
    const QScreen *screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// Whether the text, wrapped as a message box wraps it, is too tall for the screen.
bool TooTallForScreen(const QString &sText, const QRect &available)
{
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    const int iWrapWidth = qMin(available.width() / 2, metrics.averageCharWidth() * kTextColumns);
    const QRect needed = metrics.boundingRect(QRect(0, 0, iWrapWidth, 0), Qt::TextWordWrap, sText);
    return needed.height() > available.height() * kMaxTextShare;
}

// The same box for a text too long for the screen: the text in a selectable, scrolling area that
// opens at its end, where the encoder says why it failed, and the OK button always in view.
void ShowLongMessage(const QString &sText, MsgIcon icon, QWidget *owner, const QRect &available)
{
    QDialog box(owner);
    box.setWindowTitle(kAppTitle);
    auto *layout = new QGridLayout(&box);

    if (icon != MsgIcon::None) {
        auto *iconLabel = new QLabel(&box);
        iconLabel->setPixmap(QMessageBox::standardIcon(ToQtIcon(icon)));
        layout->addWidget(iconLabel, 0, 0, Qt::AlignTop);
    }
    auto *text = new QPlainTextEdit(&box);
    text->setObjectName(QStringLiteral("qt_msgbox_scrolltext"));
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setPlainText(sText);
    text->setMinimumWidth(qMin(available.width() - kFrameAllowance,
                               text->fontMetrics().averageCharWidth() * kTextColumns));
    layout->addWidget(text, 0, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons, 1, 0, 1, 2);

    const int iHeight = available.height() - kFrameAllowance;
    box.resize(box.sizeHint().width(), iHeight);
    box.setMaximumHeight(iHeight);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
    // Laid out only when shown: scroll to the end once the area knows its size.
    QMetaObject::invokeMethod(
        text, [text] { text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum()); },
        Qt::QueuedConnection);
    box.exec();
}
} // namespace

void InstallQtMsgBoxHandler()
{
    SetMsgBoxHandler([](const QString &sText, MsgIcon icon) {
        QWidget *owner = QApplication::activeWindow();
        const QRect available = AvailableArea(owner);
        if (TooTallForScreen(sText, available)) {
            ShowLongMessage(sText, icon, owner, available);
            return;
        }
        QMessageBox box(ToQtIcon(icon), kAppTitle, sText, QMessageBox::Ok, owner);
        box.exec();
    });
}
