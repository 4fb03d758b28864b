#pragma once

#include "workflow/FileFilter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The open-file dialog: a file that exists, chosen under the given filters (the first one
// selected), no starting folder. Returns its path, or the empty text when the dialog was
// cancelled or failed.
QString ShowOpenDialog(QWidget *hWndOwner, const QList<FileFilter> &filters, const QString &sTitle,
                       bool bExplorer);

// The folder browser, starting at the desktop. Returns the chosen folder's path, or the empty
// text when it was cancelled or failed.
QString BrowseForFolder(QWidget *hWndOwner, const QString &sTitle, bool bNewStyle);

// Tests answer the dialogs instead of showing them; an empty function puts the real dialog back.
// Each returns the handler it replaces.
using OpenDialogHandler = std::function<QString(QWidget *hWndOwner, const QList<FileFilter> &filters,
                                                const QString &sTitle)>;
using BrowseDialogHandler = std::function<QString(QWidget *hWndOwner, const QString &sTitle)>;
OpenDialogHandler SetOpenDialogForTests(OpenDialogHandler handler);
BrowseDialogHandler SetBrowseDialogForTests(BrowseDialogHandler handler);
