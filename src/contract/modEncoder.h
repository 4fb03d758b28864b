#pragma once

#include <QString>
#include <cstdint>

// What the program relies on of its encoder, ffmpeg in the program's folder: the program's name,
// its two command lines, the options the program writes, and the marks it looks for in the
// encoder's console output (always ignoring letter case).

extern const QString kEncoderProgram; // "ffmpeg", in the program's folder

// Options the program writes.
extern const QString kOptionInput;        // "-i": the file to read
extern const QString kOptionStart;        // "-ss": where the cut starts, whole seconds
extern const QString kOptionLength;       // "-t": how long the cut is, whole seconds
extern const QString kOptionSampleRate;   // "-ar": audio sampling rate, Hz
extern const QString kOptionAudioBitrate; // "-ab": audio bitrate, bit/s
extern const QString kOptionAudioCodec;   // "-acodec": audio codec name from codecs.xml
extern const QString kOptionChannels;     // "-ac": audio channels
extern const QString kOptionVideoCodec;   // "-vcodec": video codec name from codecs.xml
extern const QString kOptionVideoBitrate; // "-b": video bitrate, bit/s
extern const QString kOptionSize;         // "-s": frame size abbreviation such as "vga"
extern const QString kOptionAspect;       // "-aspect": display aspect ratio
extern const QString kOptionFrameRate;    // "-r": frame rate
extern const QString kOptionOverwrite;    // "-y": overwrite an existing output without asking

// Marks in the encoder's output.
// Written once a conversion is under way. Old builds wrote "press [q] to stop encoding", today's
// write "Press [q] to stop, [?] for help"; the common part counts.
extern const QString kEncodingStartedMark;
// Progress: "time=" followed by the time encoded so far and a blank.
extern const QString kProgressMark;
// An unreadable input: "Unknown format" from old builds, "Invalid data found when processing
// input" from today's.
extern const QString kUnknownFormatMark;
extern const QString kInvalidDataMark;
// Landmarks for cutting the error detail out of a failed run's output.
extern const QString kStreamMappingMark;
extern const QString kInputMark;
extern const QString kBuiltOnMark;

// ffmpeg's word for a run that exited 0 without writing anything.
extern const QString kNothingEncodedMark; // "Output file is empty, nothing was encoded"

// The job's status texts (CVideoConv::CurrentStatus), which the window acts on. A stopped run
// reports the runner's notice, kCancelledNotice ("Cancelled").
extern const QString kStatusStarting;      // "Starting...": the encoder is about to start
extern const QString kStatusError;         // "Error": the conversion failed; its output is no result
extern const QString kStatusUnknownFormat; // "Unknown format": the encoder cannot read the input
extern const QString kSecondsConverted;    // " Seconds Converted", after the time text

// The encoder's path: the program's folder, "/", kEncoderProgram.
QString EncoderPath();

// The supported-file check: the encoder, "-i" and the file in quotes, nothing else.
QString ProbeCommandLine(const QString &sMediaFile);

// The read of a file's streams to their end, for a file whose container states no duration: the
// encoder, "-i", the file in quotes, the streams copied to the null output. Its last progress time
// is the length of the streams.
QString StreamReadCommandLine(const QString &sMediaFile);

// A conversion: the encoder, "-i", the input in quotes, one blank, the arguments unchanged, one
// blank, the output in quotes. Paths are quoted so that splitting gives them back exactly; the
// encoder's path is quoted only when it holds a blank.
QString ConversionCommandLine(const QString &sInputFile, const QString &sArguments,
                              const QString &sOutputFile);

// Whether sText holds one of the unreadable-input marks.
bool ReportsUnknownFormat(const QString &sText);

// Whether the supported-file check's output says that the container states no duration
// ("Duration: N/A"), as a recording written while it was made (a browser's recorder) says.
bool StatesNoDuration(const QString &sText);
// The duration the check's output states ("Duration: HH:MM:SS.ss,"), in seconds; false when it
// states none (no such line, or "N/A").
bool StatedDuration(const QString &sText, double &dSeconds);

// Whether sText holds the mark of a conversion that got under way.
bool ReportsEncodingStarted(const QString &sText);

// The time text of a progress report as whole seconds, rounded halves to even. Old builds write
// plain seconds ("12.34"), today's write [-]HH:MM:SS[.fraction] ("00:01:05.20"). Anything else
// ("N/A", empty) throws the type-mismatch RunTimeError; more than a 16-bit number of seconds
// throws the overflow one.
std::int16_t ProgressWholeSeconds(const QString &sTimeText);

// The time of the last progress report in sText, in seconds (either form above); false when
// sText holds none that reads as a time.
bool LastProgressSeconds(const QString &sText, double &dSeconds);
