#include "ui/DesktopTaskReport.h"

#include "desktop/DesktopBus.h"
#include "desktop/DesktopNotifier.h"
#include "desktop/TaskbarProgress.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

const QString DesktopTaskReport::kAppUri = QStringLiteral("application://clipwright.desktop");
const QString DesktopTaskReport::kSummaryDone = QStringLiteral("Task done");
const QString DesktopTaskReport::kSummaryFailed = QStringLiteral("Task failed");
const QString DesktopTaskReport::kSummaryStopped = QStringLiteral("Task stopped");

DesktopTaskReport::DesktopTaskReport(QWidget *window) : QObject(window), m_pWindow(window) {}

void DesktopTaskReport::ReachDesktop()
{
    if (m_pNotifier != nullptr)
        return;
    const QDBusConnection bus = DesktopBus();
    m_pNotifier = new DesktopNotifier(bus, this);
    m_pTaskbar = new TaskbarProgress(kAppUri, bus, this);
    connect(m_pNotifier, &DesktopNotifier::OpenFolder, this,
            [](const QString &sFolder) { QDesktopServices::openUrl(QUrl::fromLocalFile(sFolder)); });
}

void DesktopTaskReport::Progress(int iPercent)
{
    ReachDesktop();
    m_pTaskbar->SetProgress(iPercent);
}

void DesktopTaskReport::Ended(bool bDone, bool bStopped, const QString &sOutputFile)
{
    ReachDesktop();
    m_pTaskbar->Clear();
    // A closed window (the task ended with it) has nobody left to tell.
    if (sOutputFile.isEmpty() || !m_pWindow->isVisible() || m_pWindow->isActiveWindow())
        return;
    const QFileInfo output(sOutputFile);
    m_pNotifier->Notify(bDone ? kSummaryDone : bStopped ? kSummaryStopped : kSummaryFailed, output.fileName(),
                        output.absolutePath());
}
