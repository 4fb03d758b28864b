// clipwright-cut: the same cut for many files, from a terminal or a script (no display needed).
#include "cli/CutBatch.h"
#include "cli/ProgressLine.h"
#include "cli/modCutArguments.h"
#include "cli/modPresetLookup.h"
#include "common/MessageBox.h"
#include "formats/MemoryList.h"
#include "formats/modCatalogues.h"
#include "platform/QuitSignalNotifier.h"
#include "workflow/modVersion.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

namespace {
const QString kProgramName = QStringLiteral("clipwright-cut");
const QString kErrorFormat = QStringLiteral("%1: %2\n");
const QString kTryHelp = QStringLiteral("Try '%1 --help'.\n");
const QString kUnknownPreset = QStringLiteral("no preset is named \"%1\"");
const QString kAmbiguousPreset = QStringLiteral("more than one preset has the label \"%1\"; name one in full:");
const QString kNearPresets = QStringLiteral("presets with a name like it:");
const QString kSeeList = QStringLiteral("see %1 --list-presets");
const QString kListIndent = QStringLiteral("  ");
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void Print(std::FILE *stream, const QString &sText)
{
    std::fputs(sText.toLocal8Bit().constData(), stream);
}

void PrintError(const QString &sText)
{
    Print(stderr, kErrorFormat.arg(kProgramName, sText));
}

// The presets beside the program; what went wrong, when something did.
QStringList LoadCatalogue(CatalogueTables &tables)
{
    QStringList messages;
    SetMsgBoxHandler([&messages](const QString &sText, MsgIcon) { messages << sText; });
    MemoryList cmbCategory;
    LoadPresets(tables, cmbCategory);
    SetMsgBoxHandler({});
    return messages;
}

// An unknown or ambiguous preset: what to choose from instead.
void ReportPreset(const PresetMatch &match, const QString &sName)
{
    if (match.kind == PresetMatch::Kind::Ambiguous) {
        PrintError(kAmbiguousPreset.arg(sName));
    } else {
        PrintError(kUnknownPreset.arg(sName));
        Print(stderr, (match.near.isEmpty() ? kSeeList.arg(kProgramName) : kNearPresets) + QLatin1Char('\n'));
    }
    for (const QString &sNear : match.near)
        Print(stderr, kListIndent + sNear + QLatin1Char('\n'));
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const CutArguments arguments = ParseCutArguments(QCoreApplication::arguments());
    switch (arguments.mode) {
    case CutArguments::Mode::UsageError:
        PrintError(arguments.sError);
        Print(stderr, kTryHelp.arg(kProgramName));
        return kExitUsage;
    case CutArguments::Mode::Help:
        Print(stdout, kCutUsage);
        return kExitOk;
    case CutArguments::Mode::Version:
        Print(stdout, kProgramName + QLatin1Char(' ') + ProgramVersionText() + QLatin1Char('\n'));
        return kExitOk;
    case CutArguments::Mode::ListPresets:
    case CutArguments::Mode::Cut:
        break;
    }

    CatalogueTables tables;
    const QStringList loadErrors = LoadCatalogue(tables);
    if (!loadErrors.isEmpty()) {
        for (const QString &sError : loadErrors)
            PrintError(sError);
        return kExitFailed;
    }
    if (arguments.mode == CutArguments::Mode::ListPresets) {
        for (const QString &sName : PresetNames(tables))
            Print(stdout, sName + QLatin1Char('\n'));
        return kExitOk;
    }
    const PresetMatch match = FindPreset(tables, arguments.sPreset);
    if (match.kind != PresetMatch::Kind::Found) {
        ReportPreset(match, arguments.sPreset);
        return kExitUsage;
    }

    CutBatch::Settings settings;
    settings.preset = match.preset;
    settings.iStart = arguments.iStart;
    settings.iEnd = arguments.iEnd;
    settings.sOutputFolder = arguments.sOutputFolder;
    settings.bDryRun = arguments.bDryRun;
    ProgressLine line(stderr, ::isatty(STDERR_FILENO) == 1);
    CutBatch batch(settings, tables, line, stdout);
    QuitSignalNotifier quitSignals;
    QObject::connect(&quitSignals, &QuitSignalNotifier::Received, &batch, &CutBatch::Quit);
    return batch.Run(arguments.files);
}
