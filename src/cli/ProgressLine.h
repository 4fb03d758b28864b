#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

// One file's line on standard error while a batch runs: its place in the batch, its name and how
// far it got. On a terminal the line is rewritten in place; elsewhere (a log, a pipe) a new line
// comes at every tenth, so a log stays short and readable.
class ProgressLine {
public:
    ProgressLine(std::FILE *stream, bool bTerminal);

    // bShowStart: a terminal shows the file at 0 % until the first progress (not for a dry run,
    // whose command lines go to the same terminal).
    void Begin(int iIndex, int iCount, const QString &sName, bool bShowStart);
    // A percentage of the cut; values outside 0 .. 100 (the job's -1 for an unreadable input, a
    // little over 100 at the end) are shown at the nearer end or not at all.
    void Progress(short iPercent);
    void Done();
    // The reasons go below the file's line, one line each, indented.
    void Failed(const QStringList &reasons);
    void Stopped(const QString &sSignalName);

private:
    void Write(const QString &sState, bool bFinal);

    std::FILE *m_stream;
    bool m_bTerminal;
    QString m_sPrefix;       // "[2/5] name: "
    int m_iShownPercent = -1; // last percentage written; on a log, last tenth
};
