#pragma once

#include <QString>
#include <optional>

// The input's length as the encoder's file check ("ffmpeg -i file") reports it: the "Duration:"
// line's HH:MM:SS[.fraction], in seconds. Nothing when the output has no such line or the encoder
// knows no length ("Duration: N/A", a stream).
std::optional<double> ReadInputLength(const QString &sCheckOutput);
