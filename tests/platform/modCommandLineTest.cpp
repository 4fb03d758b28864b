#include "platform/modCommandLine.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {
// The arguments after a program token, which has rules of its own.
QStringList Arguments(const QString &sArguments)
{
    return SplitCommandLine(QStringLiteral("prog ") + sArguments).mid(1);
}
} // namespace

TEST(modCommandLine, SplitsAtBlanksOutsideQuotes)
{
    EXPECT_EQ(SplitCommandLine(QString()), QStringList());
    EXPECT_EQ(SplitCommandLine(QStringLiteral("prog")), QStringList{QStringLiteral("prog")});
    EXPECT_EQ(SplitCommandLine(QStringLiteral("prog  a\tb   ")),
              (QStringList{QStringLiteral("prog"), QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(Arguments(QStringLiteral("\"a b c\" d e")),
              (QStringList{QStringLiteral("a b c"), QStringLiteral("d"), QStringLiteral("e")}));
    // A quoted part can sit inside an argument, and an empty pair of quotes is an empty argument.
    EXPECT_EQ(Arguments(QStringLiteral("x\"y z\"w \"\" v")),
              (QStringList{QStringLiteral("xy zw"), QString(), QStringLiteral("v")}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(Arguments(QStringLiteral("\"a b")), QStringList{QStringLiteral("a b")});
    // Only blanks: the program token is empty.
    EXPECT_EQ(SplitCommandLine(QStringLiteral("   ")), QStringList{QString()});
}

TEST(modCommandLine, BackslashesCountOnlyBeforeAQuote)
{
    // The examples of the Windows documentation for the argument rules.
    EXPECT_EQ(Arguments(QStringLiteral(R"("ab\"c" "\\" d)")),
              (QStringList{QStringLiteral(R"(ab"c)"), QStringLiteral(R"(\)"), QStringLiteral("d")}));
    EXPECT_EQ(Arguments(QStringLiteral(R"(a\\\b d"e f"g h)")),
              (QStringList{QStringLiteral(R"(a\\\b)"), QStringLiteral("de fg"), QStringLiteral("h")}));
    EXPECT_EQ(Arguments(QStringLiteral(R"(a\\\"b c d)")),
              (QStringList{QStringLiteral(R"(a\"b)"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(Arguments(QStringLiteral(R"(a\\\\"b c" d e)")),
              (QStringList{QStringLiteral(R"(a\\b c)"), QStringLiteral("d"), QStringLiteral("e")}));
    EXPECT_EQ(Arguments(QStringLiteral(R"(C:\dir\ "C:\with blank\\")")),
              (QStringList{QStringLiteral(R"(C:\dir\)"), QStringLiteral(R"(C:\with blank\)")}));
}

TEST(modCommandLine, DoubledQuotesInsideAQuotedPartGiveAQuoteAndEndIt)
{
    EXPECT_EQ(Arguments(QStringLiteral(R"("a""b")")), QStringList{QStringLiteral(R"(a"b)")});
    EXPECT_EQ(Arguments(QStringLiteral(R"(a"b"" c d)")),
              (QStringList{QStringLiteral(R"(ab")"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(Arguments(QStringLiteral(R"(""")")), QStringList{QStringLiteral(R"(")")});
    EXPECT_EQ(Arguments(QStringLiteral(R"(a""b)")), QStringList{QStringLiteral("ab")});
}

TEST(modCommandLine, ProgramTokenTakesBackslashesAndQuotesAsTheyStand)
{
    EXPECT_EQ(SplitCommandLine(QStringLiteral(R"("/opt/my tools/ffmpeg" -i x)")),
              (QStringList{QStringLiteral("/opt/my tools/ffmpeg"), QStringLiteral("-i"),
                           QStringLiteral("x")}));
    EXPECT_EQ(SplitCommandLine(QStringLiteral(R"("C:\dir\" a)")),
              (QStringList{QStringLiteral(R"(C:\dir\)"), QStringLiteral("a")}));
    EXPECT_EQ(SplitCommandLine(QStringLiteral(R"(/a"b/ffmpeg -y)")),
              (QStringList{QStringLiteral(R"(/a"b/ffmpeg)"), QStringLiteral("-y")}));
    // Right after a quoted program name the next argument begins, blank or not.
    EXPECT_EQ(SplitCommandLine(QStringLiteral(R"("a"b c)")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST(modCommandLine, QuotedArgumentsSplitBackExactly)
{
    // Paths as the program writes them keep their letters: only the two quotes are added.
    EXPECT_EQ(QuoteArgument(QStringLiteral("/home/me/My Videos/a.mp4")),
              QStringLiteral("\"/home/me/My Videos/a.mp4\""));
    EXPECT_EQ(QuoteArgument(QString()), QStringLiteral("\"\""));
    EXPECT_EQ(QuoteArgument(QStringLiteral(R"(say "hi")")), QStringLiteral(R"("say \"hi\"")"));
    EXPECT_EQ(QuoteArgument(QStringLiteral(R"(dir\)")), QStringLiteral(R"("dir\\")"));
    EXPECT_EQ(QuoteArgument(QStringLiteral(R"(a\"b)")), QStringLiteral(R"("a\\\"b")"));

    const QStringList samples{
        QString(), QStringLiteral(" "), QStringLiteral("\""), QStringLiteral("\"\""),
        QStringLiteral("\\"), QStringLiteral("\\\\\""), QStringLiteral("a\\\\b\\"),
        QStringLiteral("/tmp/clip \"one\".mp4"), QStringLiteral("tab\there"),
        QStringLiteral("line\nbreak"), QStringLiteral("grüße €"), QStringLiteral("\"\"\" x \\\"")};
    for (const QString &sSample : samples) {
        EXPECT_EQ(Arguments(QuoteArgument(sSample)), QStringList{sSample}) << qPrintable(sSample);
    }

    // Random texts over the characters that matter, several to a command line.
    const QString sAlphabet = QStringLiteral("ab \t\"\\\\\"/");
    QRandomGenerator random(20240611);
    for (int iRound = 0; iRound < 2000; ++iRound) {
        QStringList expected;
        QString sLine = QStringLiteral("prog");
        const int iCount = 1 + random.bounded(3);
        for (int k = 0; k < iCount; ++k) {
            QString sArgument;
            const int iLength = random.bounded(9);
            for (int j = 0; j < iLength; ++j)
                sArgument += sAlphabet[random.bounded(sAlphabet.size())];
            expected << sArgument;
            sLine += QLatin1Char(' ') + QuoteArgument(sArgument);
        }
        ASSERT_EQ(SplitCommandLine(sLine).mid(1), expected) << qPrintable(sLine);
    }
}

TEST(modCommandLine, ProgramNameIsQuotedOnlyWhenItHoldsABlank)
{
    EXPECT_EQ(QuoteProgramName(QStringLiteral("/usr/bin/ffmpeg")), QStringLiteral("/usr/bin/ffmpeg"));
    EXPECT_EQ(QuoteProgramName(QStringLiteral("/opt/my tools/ffmpeg")),
              QStringLiteral("\"/opt/my tools/ffmpeg\""));
    for (const QString &sProgram : {QStringLiteral("/opt/my tools/ffmpeg"), QStringLiteral(R"(/a"b\/ffmpeg)"),
                                    QStringLiteral("/t\tab/ffmpeg")}) {
        const QStringList tokens = SplitCommandLine(QuoteProgramName(sProgram) + QStringLiteral(" -i x"));
        EXPECT_EQ(tokens, (QStringList{sProgram, QStringLiteral("-i"), QStringLiteral("x")}));
    }
}
