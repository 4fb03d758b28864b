#include "workflow/modOutputFile.h"

#include "common/MessageBox.h"
#include "platform/modDriveType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kMsgFolderMissing = QStringLiteral("Output Folder is not exist and can not be created.");
const QString kConvertedSuffix = QStringLiteral("_Converted");
const QString kCounterSeparator = QStringLiteral("_");
constexpr int kLastCounter = 10000;

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
    // One missing level is made; a task that cannot have its folder says so, whatever the reason
    // (no parent, a file of that name, no right to write), rather than end as if it had run.
    if (!sFolder.isEmpty() && !QFileInfo(sFolder).isDir())
        QDir().mkdir(sFolder);
    if (sFolder.isEmpty() || !QFileInfo(sFolder).isDir()) {
        MsgBox(kMsgFolderMissing, MsgIcon::Critical);
        OutputFile none;
        none.bNoFolder = true;
        return none;
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

void RemoveReservedOutput(QString &sPath)
{
    if (sPath.isEmpty())
        return;
    const QFileInfo output(sPath);
    if (output.isFile() && !output.isSymLink())
        QFile::remove(sPath);
    sPath.clear();
}
