#pragma once

#include <QString>
#include <QStringList>

// The program writes its child command lines as one text (program, then arguments), the way the
// Windows loader takes them. They are split into the program and its arguments by the rules of
// CommandLineToArgvW, so a command line means the same thing here as there:
// - arguments are separated by blanks (spaces, tabs) outside double quotes;
// - the program name, the first token, ends at the next double quote when it begins with one,
//   otherwise at the first blank; backslashes and quotes inside it are taken as they stand;
// - in the arguments, 2n backslashes before a double quote give n backslashes, and the quote opens
//   or closes a quoted part; 2n+1 backslashes before a double quote give n backslashes and a
//   literal quote; backslashes anywhere else are literal;
// - two double quotes in a row inside a quoted part give one literal quote and end the part.
// An empty text gives no tokens at all.
QStringList SplitCommandLine(const QString &sCommandLine);

// sArgument in double quotes, escaped so that SplitCommandLine gives it back exactly: a double
// quote becomes \", and backslashes in front of a quote or of the closing quote are doubled.
// Text without quotes or trailing backslashes only gains the two quotes ("/a b/c.mp4").
QString QuoteArgument(const QString &sArgument);

// The program name as the first token of a command line: unchanged, or in double quotes when it
// holds a blank. The first token ends at the next quote, so a name holding both a blank and a
// double quote cannot be written at all.
QString QuoteProgramName(const QString &sProgram);
