#pragma once

#include <QString>

// Captions that more than one part of the window writes: set at start-up, changed back and forth
// by the preview and the task.
extern const QString kCaptionPlay;     // "Play": cmdPlay while the video is not playing
extern const QString kCaptionStart;    // "Start": cmdConvert between tasks
extern const QString kCaptionStop;     // "Stop": cmdStop, and cmdConvert during a task
extern const QString kCaptionProgress; // "Task Progress:": lblProgress while a task runs
