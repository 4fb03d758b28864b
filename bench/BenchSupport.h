#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// What the benchmarks share: reading figures of a process, running a command as a script would,
// the generated clip the preview benchmarks play, and their command line's leading count.
namespace Bench {

double Median(std::vector<double> values);

// A process's resident memory in MB, from /proc (0 when it has gone).
double RssMb(qint64 iPid);

// Runs command (its first token a program's path) with its input from /dev/null and its output to
// /dev/null, as a script does with a log it does not keep, and waits for it. True when it exited
// with 0.
bool RunSilently(const QStringList &command);

// The 60 s 1280x720 clip that the preview benchmarks play, made once into the build's bench cache;
// empty (after saying so) when it cannot be made.
QString PreviewClip();

// The benchmark's leading count argument (rounds, loads) when it is a positive number, taken from
// args; else iDefault.
int TakeCount(QStringList &args, int iDefault);

} // namespace Bench
