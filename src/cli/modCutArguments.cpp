#include "cli/modCutArguments.h"

#include "cli/modCutTime.h"

#include <QCommandLineParser>

const QString kCutUsage = QStringLiteral(
    "Usage: clipwright-cut --preset PRESET --start TIME --end TIME [--output DIR] [--dry-run] FILE...\n"
    "       clipwright-cut --list-presets\n"
    "       clipwright-cut --help | --version\n"
    "\n"
    "Cuts the same part out of every FILE and re-encodes it with a preset of Clipwright.\n"
    "\n"
    "  --preset PRESET  \"Category/Label/extension\" as --list-presets shows it, or a label alone\n"
    "                   when only one preset has it\n"
    "  --start TIME     where the cut starts: seconds (75) or [HH:]MM:SS (1:15, 00:01:15)\n"
    "  --end TIME       where it ends; past a file's end, the cut runs to the file's end\n"
    "  --output DIR     the folder for the outputs (made when missing, one level); without it,\n"
    "                   each output goes beside its input\n"
    "  --dry-run        prints each encoder command line, runs nothing\n"
    "  --list-presets   prints the presets' names\n"
    "\n"
    "Outputs never replace a file: name.ext, else name_Converted.ext, else name_Converted_0.ext ...\n"
    "Each output's path goes to standard output; progress and failures go to standard error.\n"
    "Exit status: 0 all files cut, 1 a file failed, 2 a usage error, 128 + the signal when stopped.\n");

namespace {
const QString kOptPreset = QStringLiteral("preset");
const QString kOptStart = QStringLiteral("start");
const QString kOptEnd = QStringLiteral("end");
const QString kOptOutput = QStringLiteral("output");
const QString kOptDryRun = QStringLiteral("dry-run");
const QString kOptList = QStringLiteral("list-presets");
const QString kOptHelp = QStringLiteral("help");
const QString kOptVersion = QStringLiteral("version");
const QString kValueName = QStringLiteral("value");

const QString kErrMissing = QStringLiteral("--%1 is missing");
const QString kErrNoFiles = QStringLiteral("no FILE given");
const QString kErrBadTime = QStringLiteral("--%1 %2: not seconds or [HH:]MM:SS");
const QString kErrEmptyOutput = QStringLiteral("--output names no folder");
const QString kErrEqualMarks = QStringLiteral("--start and --end are the same: nothing to cut");
const QString kErrEndBeforeStart = QStringLiteral("--end lies before --start");

CutArguments UsageError(const QString &sError)
{
    CutArguments result;
    result.mode = CutArguments::Mode::UsageError;
    result.sError = sError;
    return result;
}
} // namespace

CutArguments ParseCutArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.addOptions({
        {kOptPreset, QString(), kValueName},
        {kOptStart, QString(), kValueName},
        {kOptEnd, QString(), kValueName},
        {kOptOutput, QString(), kValueName},
        {kOptDryRun, QString()},
        {kOptList, QString()},
        {{QStringLiteral("h"), kOptHelp}, QString()},
        {kOptVersion, QString()},
    });
    if (!parser.parse(arguments))
        return UsageError(parser.errorText());

    CutArguments result;
    if (parser.isSet(kOptHelp)) {
        result.mode = CutArguments::Mode::Help;
        return result;
    }
    if (parser.isSet(kOptVersion)) {
        result.mode = CutArguments::Mode::Version;
        return result;
    }
    if (parser.isSet(kOptList)) {
        result.mode = CutArguments::Mode::ListPresets;
        return result;
    }
    for (const QString &sOption : {kOptPreset, kOptStart, kOptEnd}) {
        if (!parser.isSet(sOption))
            return UsageError(kErrMissing.arg(sOption));
    }
    result.files = parser.positionalArguments();
    if (result.files.isEmpty())
        return UsageError(kErrNoFiles);
    const std::optional<WholeSeconds> start = ParseCutTime(parser.value(kOptStart));
    if (!start)
        return UsageError(kErrBadTime.arg(kOptStart, parser.value(kOptStart)));
    const std::optional<WholeSeconds> end = ParseCutTime(parser.value(kOptEnd));
    if (!end)
        return UsageError(kErrBadTime.arg(kOptEnd, parser.value(kOptEnd)));
    if (*start == *end)
        return UsageError(kErrEqualMarks);
    if (*end < *start)
        return UsageError(kErrEndBeforeStart);
    if (parser.isSet(kOptOutput) && parser.value(kOptOutput).isEmpty())
        return UsageError(kErrEmptyOutput);

    result.mode = CutArguments::Mode::Cut;
    result.sPreset = parser.value(kOptPreset);
    result.iStart = *start;
    result.iEnd = *end;
    result.sOutputFolder = parser.value(kOptOutput);
    result.bDryRun = parser.isSet(kOptDryRun);
    return result;
}
