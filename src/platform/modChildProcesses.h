#pragma once

#include <QList>

// The pids of this process's children that still run or wait to be reaped, read from /proc: the
// encoders a program that is ending must not leave behind, and what tests look for.
QList<qint64> ChildPids();
