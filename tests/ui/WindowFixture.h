#pragma once

#include "support/MsgBoxRecorder.h"
#include "ui/frmMain.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A window started on a program folder of the test's own, with every message box recorded. The
// folder holds small catalogues (see WindowFixture.cpp); a test may replace or remove them
// before it starts the window.
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

    QTemporaryDir m_programDir;
    QTemporaryDir m_lockDir;
    QTemporaryDir m_registryDir; // the saved settings of this test's windows only
    MsgBoxRecorder m_messages;
    std::unique_ptr<frmMain> m_window;
};
