#pragma once

#include "WindowFixture.h"
#include "ui/modDialog.h"

#include <QList>
#include <QStringList>
#include <functional>

// A window on a program folder with the shipped catalogues and the encoder, its dialogs answered
// by the test, its power-off recorded, and a work folder of the test's own for inputs and outputs.
// Clips are made once per test binary (they take a moment) in a folder of their own.
class WorkflowFixture : public WindowFixture {
protected:
    WorkflowFixture();
    void SetUp() override;

    // A generated clip (testsrc2 and a tone, 320x240), made once per name.
    static QString Clip(const QString &sName, double dSeconds, const QStringList &extraArgs = {});

    // Drops files on the preview area as a drag from a file manager does, and lets the window take
    // them up.
    void DropFiles(frmMain &w, const QStringList &lsFiles);
    // Loads a file through "Load Video File ...", the open-file dialog answering sFile.
    void AddThroughDialog(frmMain &w, const QString &sFile);
    // Drags the slider's thumb with the left button until it shows iValue, then releases it.
    void DragSliderTo(frmMain &w, int iValue);
    // Runs the event loop until the condition holds (true) or the time is up (false).
    static bool WaitUntil(const std::function<bool()> &condition, int iTimeoutMs);
    // Runs the event loop for iMs.
    static void Pump(int iMs);
    // Lets the output go to the work folder ("Other folder").
    void OutputToWorkFolder(frmMain &w);
    // Puts a shell script in place of the encoder in the program folder.
    void UseFakeEncoder(const QByteArray &script);
    // Child processes of this test that are still there (running or not yet reaped).
    static int ChildProcesses();

    QTemporaryDir m_work;
    QString m_sDialogAnswer;        // what the open-file dialog answers
    QString m_sBrowseAnswer;        // what the folder browser answers
    QStringList m_lsDialogTitles;   // titles of the dialogs shown, in order
    QList<FileFilter> m_lastFilters; // the filters of the last open-file dialog

private:
    // The window's own seams; they are put back after TearDown has closed the window.
    ScopedOverride m_openDialog;
    ScopedOverride m_browseDialog;
    ScopedOverride m_mpvOptions;
};
