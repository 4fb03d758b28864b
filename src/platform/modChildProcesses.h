#pragma once

#include <QList>

// Processes as /proc shows them: the encoders a program that is ending must not leave behind,
// and what tests look for.

// The pids of this process's children that still run or wait to be reaped.
QList<qint64> ChildPids();
// The same for another process.
QList<qint64> ChildPidsOf(qint64 iParent);
// Whether a process is still alive: it exists and is no zombie.
bool ProcessRuns(qint64 iPid);
