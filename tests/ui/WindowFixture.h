#pragma once

#include "desktop/DesktopBus.h"
#include "support/TestOverrides.h"
#include "ui/frmMain.h"

#include <gtest/gtest.h>
#include <memory>

// A window started on a program folder of the test's own, with its registry and lock folders of
// its own, every message box recorded and power-off counted (TestOverrides), and a desktop bus
// that leads nowhere (a task's notification never reaches the desktop the tests run on). The program folder
// holds small catalogues (see WindowFixture.cpp); a test may replace or remove them before it
// starts the window.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a file into the program folder, or removes it.
    void WriteProgramFile(const QString &sName, const QByteArray &content);
    void RemoveProgramFile(const QString &sName);
    // Starts the window; messages of the start-up are recorded too.
    frmMain &Start();
    // Runs the animation timer's ticks until it stops; returns the number of ticks.
    int RunSlide(int iMaxTicks = 1000);

    TestOverrides m_overrides;
    ScopedOverride m_desktopBus{SetDesktopBusForTests, QStringLiteral("unix:path=/nonexistent/clipwright-bus")};
    MsgBoxRecorder &m_messages = m_overrides.Messages();
    // Goes in TearDown, before the seams it was made with.
    std::unique_ptr<frmMain> m_window;
};
