#include "platform/modCommandLine.h"

namespace {
constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kBackslash = QLatin1Char('\\');

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

QStringList SplitCommandLine(const QString &sCommandLine)
{
    QStringList tokens;
    const int n = sCommandLine.size();
    if (n == 0)
        return tokens;

    // The program name: no escapes at all, it ends at the next quote or at the first blank.
    int i = 0;
    QString sProgram;
    if (sCommandLine[0] == kQuote) {
        ++i;
        while (i < n && sCommandLine[i] != kQuote)
            sProgram += sCommandLine[i++];
        if (i < n)
            ++i;
    } else {
        while (i < n && !IsBlank(sCommandLine[i]))
            sProgram += sCommandLine[i++];
    }
    tokens << sProgram;
    while (i < n && IsBlank(sCommandLine[i]))
        ++i;

    // The arguments. iQuotes counts the quotes of the current run: 1 inside a quoted part, 2 when
    // it was just closed, 3 for a doubled quote inside a part (a literal quote, and the part ends).
    QString sArgument;
    bool bInArgument = false;
    int iBackslashes = 0;
    int iQuotes = 0;
    while (i < n) {
        const QChar c = sCommandLine[i];
        if (IsBlank(c) && iQuotes == 0) {
            tokens << sArgument;
            sArgument.clear();
            bInArgument = false;
            iBackslashes = 0;
            while (i < n && IsBlank(sCommandLine[i]))
                ++i;
            continue;
        }
        bInArgument = true;
        if (c == kBackslash) {
            sArgument += c;
            ++iBackslashes;
            ++i;
        } else if (c == kQuote) {
            if (iBackslashes % 2 == 0) {
                sArgument.chop(iBackslashes / 2);
                ++iQuotes;
            } else {
                sArgument.chop(iBackslashes / 2 + 1);
                sArgument += kQuote;
            }
            iBackslashes = 0;
            ++i;
            while (i < n && sCommandLine[i] == kQuote) {
                if (++iQuotes == 3) {
                    sArgument += kQuote;
                    iQuotes = 0;
                }
                ++i;
            }
            if (iQuotes == 2)
                iQuotes = 0;
        } else {
            sArgument += c;
            iBackslashes = 0;
            ++i;
        }
    }
    if (bInArgument)
        tokens << sArgument;
    return tokens;
}

QString QuoteArgument(const QString &sArgument)
{
    QString sQuoted(kQuote);
    int iBackslashes = 0;
    for (const QChar c : sArgument) {
        if (c == kBackslash) {
            ++iBackslashes;
            continue;
        }
        if (c == kQuote) {
            sQuoted += QString(iBackslashes * 2 + 1, kBackslash);
        } else {
            sQuoted += QString(iBackslashes, kBackslash);
        }
        sQuoted += c;
        iBackslashes = 0;
    }
    // The closing quote must not be escaped by the argument's own trailing backslashes.
    sQuoted += QString(iBackslashes * 2, kBackslash);
    sQuoted += kQuote;
    return sQuoted;
}

QString QuoteProgramName(const QString &sProgram)
{
    for (const QChar c : sProgram) {
        if (IsBlank(c))
            return kQuote + sProgram + kQuote;
    }
    return sProgram;
}
