#pragma once

#include "common/ScopedOverride.h"
#include "support/MsgBoxRecorder.h"

#include <QString>
#include <QTemporaryDir>

// The program's process-wide seams replaced for a test while it lives: a program folder, a
// registry folder and a named-lock folder of its own (temporary, empty at the start), every
// message box recorded instead of shown, and power-off counted instead of done.
class TestOverrides {
public:
    TestOverrides();
    TestOverrides(const TestOverrides &) = delete;
    TestOverrides &operator=(const TestOverrides &) = delete;

    // Whether the temporary folders could be made.
    bool IsValid() const;
    QString ProgramFile(const QString &sName) const { return m_programDir.filePath(sName); }
    MsgBoxRecorder &Messages() { return m_messages; }
    int PowerOffs() const { return m_iPowerOffs; }

private:
    // The folders outlive the overrides that name them.
    QTemporaryDir m_programDir;
    QTemporaryDir m_registryDir;
    QTemporaryDir m_lockDir;
    int m_iPowerOffs = 0;
    ScopedOverride m_programFolder;
    ScopedOverride m_registryFolder;
    ScopedOverride m_lockFolder;
    ScopedOverride m_powerOff;
    MsgBoxRecorder m_messages;
};
