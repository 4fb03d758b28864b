#pragma once

#include "contract/modEncoder.h"

#include <QList>
#include <QString>

// How the encoder job reads the encoder's console output: the notices one chunk of output gives
// the job's owner, and the detail of a failed run that the user is shown.

// One notice to the job's owner: a status line or a progress percentage.
struct JobNotice {
    enum class Kind { Status, Progress };
    Kind kind = Kind::Status;
    QString sStatus;      // Kind::Status
    short iProgress = 0;  // Kind::Progress
};

// The notices that one chunk of output gives, in the order they are raised:
// - a chunk with an unreadable-input mark: the status "Unknown format", then progress -1;
// - the runner's cancel notice (exactly "Cancelled"): that status;
// - otherwise the first "time=": with fFileTimeLength above zero, the time as whole seconds in
//   percent of it (rounded halves to even, not capped; nothing when the time is no number or
//   either number does not fit in 16 bits); with fFileTimeLength zero or less, the status of the
//   time text followed by " Seconds Converted". The time text runs from "time=" to the next
//   blank and is empty when no blank follows.
// A chunk without any of these gives nothing. Letter case is ignored except for the cancel notice.
QList<JobNotice> ReadOutputChunk(const QString &sCommandOutputs, float fFileTimeLength);

// The part of a failed run's output that the user is shown: after "Stream mapping:" skip that
// line and the two stream lines under it, after "Input #" four line breaks; empty for empty
// output, output of blanks only and output with only the banner ("built on"); otherwise the last
// line that holds anything. A line break is a LF with or without a CR before it; running out of
// line breaks starts again from the beginning of the text. The part cut out is then shown as a
// terminal shows it: of the segments of a line that CRs without a LF after them separate (the
// encoder's progress lines), only the last one that is not empty stays.
QString GetErrorDetail(const QString &sOutputs);
