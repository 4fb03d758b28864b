#include "ui/modDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <utility>

namespace {
OpenDialogHandler &OpenHandler()
{
    static OpenDialogHandler handler;
    return handler;
}

BrowseDialogHandler &BrowseHandler()
{
    static BrowseDialogHandler handler;
    return handler;
}
} // namespace

QString ShowOpenDialog(QWidget *hWndOwner, const QList<FileFilter> &filters, const QString &sTitle,
                       bool bExplorer)
{
    Q_UNUSED(bExplorer) // Qt's dialog has one style only
    if (OpenHandler())
        return OpenHandler()(hWndOwner, filters, sTitle);
    // The descriptions carry their own pattern summary; Qt's would repeat it.
    return QFileDialog::getOpenFileName(hWndOwner, sTitle, QString(), QtFilterText(filters), nullptr,
                                        QFileDialog::HideNameFilterDetails);
}

QString BrowseForFolder(QWidget *hWndOwner, const QString &sTitle, bool bNewStyle)
{
    Q_UNUSED(bNewStyle) // Qt's dialog can always make a new folder
    if (BrowseHandler())
        return BrowseHandler()(hWndOwner, sTitle);
    QString sStart = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!QFileInfo(sStart).isDir())
        sStart = QDir::homePath();
    return QFileDialog::getExistingDirectory(hWndOwner, sTitle, sStart, QFileDialog::ShowDirsOnly);
}

OpenDialogHandler SetOpenDialogForTests(OpenDialogHandler handler)
{
    return std::exchange(OpenHandler(), std::move(handler));
}

BrowseDialogHandler SetBrowseDialogForTests(BrowseDialogHandler handler)
{
    return std::exchange(BrowseHandler(), std::move(handler));
}
