#pragma once

#include <QObject>
#include <QString>

class DesktopNotifier;
class TaskbarProgress;
class QWidget;

// What the desktop around the window hears of a cut task: its progress on the task bar while it
// runs, and, when it ends while the window is not the active one, a notification of how it ended
// and of the output file's name, whose "Open Folder" opens the output folder in the file manager.
// The bus is reached at the first task, not at start-up.
class DesktopTaskReport : public QObject {
    Q_OBJECT
public:
    explicit DesktopTaskReport(QWidget *window);

    // The task's progress in percent.
    void Progress(int iPercent);
    // The task has ended: done when bDone, else stopped when bStopped, else failed. A task that
    // never had an output file (the user has been told why) clears the task bar only.
    void Ended(bool bDone, bool bStopped, const QString &sOutputFile);

    static const QString kAppUri;        // "application://clipwright.desktop"
    static const QString kSummaryDone;    // "Task done"
    static const QString kSummaryFailed;  // "Task failed"
    static const QString kSummaryStopped; // "Task stopped"

private:
    void ReachDesktop();

    QWidget *m_pWindow;
    DesktopNotifier *m_pNotifier = nullptr;
    TaskbarProgress *m_pTaskbar = nullptr;
};
