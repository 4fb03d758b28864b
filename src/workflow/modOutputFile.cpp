#include "workflow/modOutputFile.h"

#include "common/MessageBox.h"
#include "common/RunTimeError.h"
#include "platform/modDriveType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kMsgFolderMissing = QStringLiteral("Output Folder is not exist and can not be created.");
const QString kConvertedSuffix = QStringLiteral("_Converted");
const QString kCounterSeparator = QStringLiteral("_");
const QString kComponent = QStringLiteral("frmMain");
const QString kPathNotFoundText = QStringLiteral("Path not found");
const QString kFileExistsText = QStringLiteral("File already exists");
const QString kAccessErrorText = QStringLiteral("Path/File access error");
constexpr int kFileAlreadyExists = 58;
constexpr int kPathFileAccessError = 75;
constexpr int kLastCounter = 10000;

// Creates the one missing level of the folder, or throws what the file system said.
void CreateFolder(const QString &sFolder)
{
    if (QDir().mkdir(sFolder))
        return;
    const QFileInfo folder(sFolder);
    if (folder.exists() && !folder.isDir())
        throw RunTimeError(kFileAlreadyExists, kFileExistsText, kComponent);
    if (sFolder.isEmpty() || !folder.absoluteDir().exists())
        throw RunTimeError(RunTimeError::PathNotFound, kPathNotFoundText, kComponent);
    throw RunTimeError(kPathFileAccessError, kAccessErrorText, kComponent);
}

enum class Candidate { Taken, Chosen };

// Looks at one candidate name and, when it is free, takes it.
Candidate TryCandidate(const QString &sPath, OutputFile &result)
{
    const QFileInfo info(sPath);
    if (info.isFile())
        return Candidate::Taken;
    if (info.isDir()) {
        // A folder does not make the name taken; the encoder will then fail to write there.
        result = {sPath, false};
        return Candidate::Chosen;
    }
    QFile reservation(sPath);
    if (reservation.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        result = {sPath, true};
        return Candidate::Chosen;
    }
    // Someone else has just made it, or something other than a file or folder stands there (a
    // dangling link, a device): never write through it.
    const QFileInfo now(sPath);
    if (now.exists() || now.isSymLink())
        return Candidate::Taken;
    // The folder does not let us create files: the encoder's own failure will say so.
    result = {sPath, false};
    return Candidate::Chosen;
}
} // namespace

QString OutputFolder(bool bSameFolder, const QString &sSource, const QString &sOutPath)
{
    return bSameFolder ? QFileInfo(sSource).absolutePath() : sOutPath;
}

OutputFile NewOutputFile(const QString &sFolder, const QString &sSource, const QString &sExtension,
                         const std::function<void()> &pump)
{
    if (!QFileInfo(sFolder).isDir())
        CreateFolder(sFolder);
    if (!QFileInfo(sFolder).isDir()) {
        MsgBox(kMsgFolderMissing, MsgIcon::Critical);
        return {};
    }

    QString sPrefix = sFolder;
    if (!sPrefix.endsWith(QLatin1Char('/')))
        sPrefix += QLatin1Char('/');
    QString sBase = QFileInfo(sSource).completeBaseName();
    const QString sDotExtension = QLatin1Char('.') + sExtension;

    OutputFile result;
    if (TryCandidate(sPrefix + sBase + sDotExtension, result) == Candidate::Chosen)
        return result;
    if (!sBase.endsWith(kConvertedSuffix)) {
        sBase += kConvertedSuffix;
        if (TryCandidate(sPrefix + sBase + sDotExtension, result) == Candidate::Chosen)
            return result;
    }
    for (int n = 0; n <= kLastCounter; ++n) {
        const QString sPath = sPrefix + sBase + kCounterSeparator + QString::number(n) + sDotExtension;
        if (TryCandidate(sPath, result) == Candidate::Chosen) {
            if (pump) {
                pump();
                pump();
            }
            return result;
        }
    }
    return {};
}

bool CanChooseOutputFolder(const QString &sFolder)
{
    return GetDriveTypeA(sFolder) == DRIVE_FIXED;
}
