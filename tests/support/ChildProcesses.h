#pragma once

#include <QList>

// The pids of this process's children that still run or wait to be reaped, read from /proc.
QList<qint64> ChildPids();
