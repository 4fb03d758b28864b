#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// One entry of an open-file dialog's filter list: the description shown and its patterns
// ("*.mp4" ...), in the order the list offers them.
struct FileFilter {
    QString sDescription;
    QStringList lsPatterns;
};

// The filter list as Qt's file dialog takes it: "description (pattern pattern ...)" entries joined
// by ";;". The all-files pattern "*.*" becomes "*", which is what it means on this system (a name
// without a dot is a file too).
QString QtFilterText(const QList<FileFilter> &filters);

// The open-file dialog: a file that exists, chosen under the given filters (the first one
// selected), no starting folder. Returns its path, or the empty text when the dialog was
// cancelled or failed.
QString ShowOpenDialog(QWidget *hWndOwner, const QList<FileFilter> &filters, const QString &sTitle,
                       bool bExplorer);

// The folder browser, starting at the desktop. Returns the chosen folder's path, or the empty
// text when it was cancelled or failed.
QString BrowseForFolder(QWidget *hWndOwner, const QString &sTitle, bool bNewStyle);

// Tests answer the dialogs instead of showing them; an empty function puts the real dialog back.
using OpenDialogHandler = std::function<QString(QWidget *hWndOwner, const QList<FileFilter> &filters,
                                                const QString &sTitle)>;
using BrowseDialogHandler = std::function<QString(QWidget *hWndOwner, const QString &sTitle)>;
void SetOpenDialogForTests(OpenDialogHandler handler);
void SetBrowseDialogForTests(BrowseDialogHandler handler);
