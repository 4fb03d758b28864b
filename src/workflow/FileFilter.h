#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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
