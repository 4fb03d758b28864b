#include "WindowFixture.h"

#include <QTemporaryDir>

namespace {
// Hides every opener the desktop services could find (xdg-open and the desktops' own are looked
// up in PATH) while it lives.
class NoOpener {
public:
    NoOpener() : m_sPath(qgetenv("PATH")) { qputenv("PATH", m_emptyDir.path().toLocal8Bit()); }
    ~NoOpener() { qputenv("PATH", m_sPath); }

private:
    QByteArray m_sPath;
    QTemporaryDir m_emptyDir;
};

class HelpOpener : public WindowFixture {};
} // namespace

TEST_F(HelpOpener, NoProgramToOpenThePageIsToldInAMessageBox)
{
    frmMain &w = Start();
    WriteProgramFile(QStringLiteral("Help.html"), "<html></html>");
    NoOpener noOpener;
    w.MyButton1_Click();
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_EQ(m_messages.Messages()[0].sText, QStringLiteral("No program to open the help page was found: ") +
                                                  m_overrides.ProgramFile(QStringLiteral("Help.html")));
    EXPECT_EQ(m_messages.Messages()[0].icon, MsgIcon::Exclamation);
}
