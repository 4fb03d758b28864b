#pragma once

#include "workflow/FileFilter.h"

#include <QList>
#include <QString>
#include <QStringList>

// The 32 video extensions that the program offers and accepts, in the order it lists them
// (wmv, asf, avi ... divx, then webm, mts, m2ts, 3gp, ogv, vob), without the dot.
const QStringList &VideoExtensions();

// The open-file dialog's six filters: all video files, MPEG, Windows Media, AVI, QuickTime and
// all files.
QList<FileFilter> VideoFileFilters();

// Whether a dropped file is taken as a video: the text after its last "." is one of
// VideoExtensions, compared without regard to case.
bool HasVideoExtension(const QString &sPath);

// Whether a path names no file because its name was not text: Qt holds names only as text, and
// bytes that are not text in the system's encoding (a Latin-1 name from an old USB stick or
// archive, on a UTF-8 system) reach it as U+FFFD, a name that no file has. The file behind it
// may be a good video; no name Qt can give leads to it.
bool IsNameNotText(const QString &sPath);
