#pragma once

#include <QString>
#include <functional>

// Where a cut goes and what it is called. Qt Core only, so that the naming can be tested without
// a window.

// The output folder: the source file's own folder when bSameFolder, else sOutPath as it stands.
QString OutputFolder(bool bSameFolder, const QString &sSource, const QString &sOutPath);

// A chosen output path. bReserved says that the path was created here, empty, for this task:
// nobody else can choose it any more, and the task may remove it again if it produces nothing.
// bNoFolder says that the folder neither existed nor could be created: there is no path.
struct OutputFile {
    QString sPath;
    bool bReserved = false;
    bool bNoFolder = false;
};

// Makes sure sFolder exists (creating it when its parent does: one level only) and chooses a free
// name in it after the source file: base.ext, then base_Converted.ext (unless base already ends in
// "_Converted"), then base_0.ext ... base_10000.ext, where base is the source's file name without
// its last extension. Only files count as taken; a folder of the candidate's name does not. The
// chosen name is created empty and exclusively, so that two tasks or two running copies never
// pick the same one. A numbered name runs pump twice before it is returned.
//
// A folder that neither exists nor can be created shows "Output Folder is not exist and can not be
// created." (stop-sign icon) and gives bNoFolder. A folder where every candidate is taken gives an
// empty path.
OutputFile NewOutputFile(const QString &sFolder, const QString &sSource, const QString &sExtension,
                         const std::function<void()> &pump);

// Removes an output that NewOutputFile reserved and the task did not finish (a stopped encoder
// leaves e.g. an MP4 without its index), and clears sPath. Only a plain file goes: something that
// took the name's place meanwhile (a link, a folder) is left alone.
void RemoveReservedOutput(QString &sPath);

// Whether the folder browser's choice may become the output folder: it lies on a fixed drive.
bool CanChooseOutputFolder(const QString &sFolder);
