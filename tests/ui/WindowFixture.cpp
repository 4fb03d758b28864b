#include "WindowFixture.h"

#include "common/AppPath.h"
#include "platform/modNamedLock.h"

#include <QFile>
#include <QTimer>

void WindowFixture::SetUp()
{
    ASSERT_TRUE(m_programDir.isValid());
    SetAppPathForTests(m_programDir.path());
    ASSERT_TRUE(m_lockDir.isValid());
    SetNamedLockFolderForTests(m_lockDir.path());
}

void WindowFixture::TearDown()
{
    m_window.reset();
    SetAppPathForTests(QString());
    SetNamedLockFolderForTests(QString());
}

void WindowFixture::WriteProgramFile(const QString &sName, const QByteArray &content)
{
    QFile file(m_programDir.filePath(sName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

frmMain &WindowFixture::Start()
{
    m_window = std::make_unique<frmMain>();
    return *m_window;
}

int WindowFixture::RunSlide(int iMaxTicks)
{
    int iTicks = 0;
    while (m_window->tmrAnimate->isActive() && iTicks < iMaxTicks) {
        m_window->tmrAnimate_Timer();
        ++iTicks;
    }
    return iTicks;
}
