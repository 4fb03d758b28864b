// The message boxes the program shows: a failure text longer than the screen is tall.
#include "common/MessageBox.h"
#include "ui/QtMessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
class QtMessageBoxes : public ::testing::Test {
protected:
    void SetUp() override { InstallQtMsgBoxHandler(); }
    void TearDown() override { SetMsgBoxHandler({}); }
};

// The encoder's output after a long cut that ran out of disk: hundreds of progress lines, the
// cause at the end.
QString LongFailure()
{
    QString sText = QStringLiteral("Error converting file: holiday.mp4\r\nPress [q] to stop, [?] for help\n");
    for (int i = 0; i < 400; ++i)
        sText += QStringLiteral("frame= %1 fps= 25 q=5.6 size= 2048kB time=00:00:%2.00 bitrate=1577.6kbits/s\n")
                     .arg(i * 12)
                     .arg(i % 60);
    return sText + QStringLiteral("av_interleaved_write_frame(): No space left on device\nConversion failed!\n");
}
} // namespace

TEST_F(QtMessageBoxes, ATextTallerThanTheScreenFitsItWithOkInViewAndOpensAtItsEnd)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    bool bLooked = false;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        bLooked = true;
        EXPECT_EQ(box->windowTitle(), "Clipwright");
        EXPECT_LE(box->frameGeometry().height(), available.height());
        auto *text = box->findChild<QPlainTextEdit *>();
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->toPlainText().contains("No space left on device"));
        EXPECT_TRUE(text->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        // Scrolled to the encoder's last lines.
        QScrollBar *scroll = text->verticalScrollBar();
        EXPECT_GT(scroll->maximum(), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return scroll->value() == scroll->maximum(); }, 5000));
        const auto *icon = box->findChild<QLabel *>();
        ASSERT_NE(icon, nullptr);
        EXPECT_FALSE(icon->pixmap().isNull());
        QPushButton *ok = box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(ok->isVisible());
        EXPECT_TRUE(box->rect().contains(QRect(ok->mapTo(box, QPoint(0, 0)), ok->size())));
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    MsgBox(LongFailure(), MsgIcon::Critical);
    EXPECT_TRUE(bLooked);

    // A short text is an ordinary message box.
    bool bShort = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        bShort = true;
        EXPECT_EQ(box->text(), "No video file loaded");
        EXPECT_EQ(box->windowTitle(), "Clipwright");
        box->button(QMessageBox::Ok)->click();
    });
    MsgBox(QStringLiteral("No video file loaded"), MsgIcon::Information);
    EXPECT_TRUE(bShort);
}
