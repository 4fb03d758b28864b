#include "workflow/modStartArgs.h"

#include "workflow/modVersion.h"

namespace {
const QString kProgramName = QStringLiteral("clipwright");
const QString kUsage = QStringLiteral("Usage: clipwright [OPTION]... [FILE]\n");
const QString kHelpBody = QStringLiteral(
    "Cut a part out of a video and save it in the format you want.\n"
    "\n"
    "  FILE           a video to load, as if it were dropped on the preview\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -display, -style ...) are passed on to Qt.\n"
    "Keys: Space Play/Pause, I Start Selection, O End Selection, Esc close the panel,\n"
    "Ctrl+O Load Video File, F1 Help.\n");
const QString kTryHelp = QStringLiteral("Try 'clipwright --help' for more information.\n");
const QString kErrUnknown = QStringLiteral("unknown option '%1'");
const QString kErrNoValue = QStringLiteral("option '%1' needs a value");
const QString kErrTooMany = QStringLiteral("more than one file: '%1'");
const QString kEndOfOptions = QStringLiteral("--");
const QString kStyleOption = QStringLiteral("style");

// QGuiApplication's and QApplication's own options (X11's included), which Qt takes out of the
// command line itself. Qt accepts them with one dash or two.
const QStringList &QtOptionsWithValue()
{
    static const QStringList ls{
        QStringLiteral("platform"),      QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),        QStringLiteral("qwindowgeometry"),    QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"),  QStringLiteral("session"),            QStringLiteral("display"),
        QStringLiteral("geometry"),      QStringLiteral("title"),              QStringLiteral("name"),
        QStringLiteral("visual"),        QStringLiteral("style"),              QStringLiteral("stylesheet"),
        QStringLiteral("qmljsdebugger")};
    return ls;
}

const QStringList &QtFlags()
{
    static const QStringList ls{QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                QStringLiteral("dograb"), QStringLiteral("sync")};
    return ls;
}

bool IsHelp(const QString &sArg)
{
    return sArg == QLatin1String("-h") || sArg == QLatin1String("--help") || sArg == QLatin1String("-?");
}

bool IsVersion(const QString &sArg)
{
    return sArg == QLatin1String("-v") || sArg == QLatin1String("--version");
}
} // namespace

StartArgs ParseStartArgs(const QStringList &lsArgs)
{
    StartArgs args;
    bool bOptions = true;
    const auto fail = [&args](const QString &sError) {
        args.action = StartArgs::Action::Error;
        args.sError = sError;
        return args;
    };
    for (int i = 0; i < lsArgs.size(); ++i) {
        const QString &sArg = lsArgs[i];
        if (bOptions && sArg == kEndOfOptions) {
            bOptions = false;
            continue;
        }
        // A lone "-" is a file name, as for most programs.
        if (!bOptions || !sArg.startsWith(QLatin1Char('-')) || sArg.size() == 1) {
            if (!args.sFile.isEmpty())
                return fail(kErrTooMany.arg(sArg));
            args.sFile = sArg;
            continue;
        }
        // The first of --help and --version wins, as Qt's parser has it.
        if (IsHelp(sArg) || IsVersion(sArg)) {
            if (args.action == StartArgs::Action::Run)
                args.action = IsHelp(sArg) ? StartArgs::Action::Help : StartArgs::Action::Version;
            continue;
        }
        QString sName = sArg.mid(sArg.startsWith(kEndOfOptions) ? 2 : 1);
        const int iEquals = sName.indexOf(QLatin1Char('='));
        const bool bInlineValue = iEquals >= 0;
        if (bInlineValue)
            sName.truncate(iEquals);
        if (QtOptionsWithValue().contains(sName)) {
            args.bStyleGiven = args.bStyleGiven || sName == kStyleOption;
            if (!bInlineValue && ++i >= lsArgs.size())
                return fail(kErrNoValue.arg(sArg));
            continue;
        }
        if (!bInlineValue && QtFlags().contains(sName))
            continue;
        return fail(kErrUnknown.arg(sArg));
    }
    return args;
}

QString StartHelpText()
{
    return kUsage + kHelpBody;
}

QString StartVersionText()
{
    return kProgramName + QLatin1Char(' ') + ProgramVersionText() + QLatin1Char('\n');
}

QString StartUsageText(const QString &sError)
{
    return kProgramName + QStringLiteral(": ") + sError + QLatin1Char('\n') + kUsage + kTryHelp;
}
