#pragma once

#include <QObject>
#include <QString>
#include <memory>

class DOSOutputs;
class StopRequest;

// One job of the encoder: the owner sets the input, the output, the length of the cut and the
// encoder arguments, and calls StartConversion, which runs the encoder through its own
// DOSOutputs and reports through Progress and CurrentStatus (raised synchronously, inside the
// call) and, when the conversion fails, a message box. The same job can tell whether the encoder
// reads a file at all (IsFileSupported).
//
// StartConversion and IsFileSupported pump the event loop; the owner may delete the job from
// inside them (the window closing during a task): the encoder is then ended and reaped, and the
// call returns without touching the job again.
class CVideoConv : public QObject {
    Q_OBJECT

public:
    explicit CVideoConv(QObject *parent = nullptr);
    ~CVideoConv() override;

    void setInputFile(const QString &sInputFile) { m_sInputFile = sInputFile; }
    QString InputFile() const { return m_sInputFile; }
    void setOutputFile(const QString &sOutputFile) { m_sOutputFile = sOutputFile; }
    QString OutputFile() const { return m_sOutputFile; }
    // Length of the part being encoded, in seconds. Above zero, progress is a percentage of it;
    // otherwise a count of seconds in the status text.
    void setFileTimeLength(float fFileTimeLength) { m_fFileTimeLength = fFileTimeLength; }
    // The encoder arguments between the input and the output.
    void setParametrs(const QString &sParametrs) { m_sParametrs = sParametrs; }

    // Runs the encoder with the current settings and returns when it has finished, failed or
    // been stopped. A run succeeds when the encoder got under way, exited by itself with exit
    // code 0 and left a non-empty output file; otherwise CurrentStatus "Error" and the message
    // "Error converting file: ".
    void StartConversion();
    // Stops a running encoder (a conversion or a file check): it is ended and reaped at once, and
    // the run then ends as a stopped one. A stop asked while StartConversion pumps the events
    // before its encoder starts keeps it from starting: the run ends with CurrentStatus
    // "Cancelled" only. Does nothing when the job has never run.
    void StopConversion();
    // Seconds of output the last successful StartConversion's encoder reported writing; -1 when
    // it reported none or the last run did not succeed.
    double EncodedSeconds() const { return m_dEncodedSeconds; }
    // The stop request the job and its runner read, shared with the job's owner (a cut task),
    // which then asks and clears it: the job no longer clears it when a run begins. Without one,
    // the job keeps its own, cleared by each StartConversion.
    void setStopRequest(std::shared_ptr<StopRequest> stop);
    // true unless the encoder reports the file as unreadable. A readable file whose container
    // states no duration is read through once, for StreamDuration.
    bool IsFileSupported(const QString &sMediaFile);
    // The length of the streams of the file last checked, in seconds, found by reading them when
    // its container states none; 0 when the container states one (or the read found none).
    double StreamDuration() const { return m_dStreamDuration; }

signals:
    // Percentage of FileTimeLength encoded so far; -1 when the encoder reported "Unknown format".
    void Progress(short iProgress);
    // "Starting...", "Error", "Unknown format", "Cancelled", or seconds + " Seconds Converted".
    void CurrentStatus(const QString &sStatus);

private:
    void MakeRunner();
    QString BuildCommandLine() const;
    void objDOS_ReceiveOutputs(const QString &CommandOutputs);

    QString m_sInputFile;
    QString m_sOutputFile;
    float m_fFileTimeLength = 0.0f;
    QString m_sParametrs;
    DOSOutputs *objDOS = nullptr; // made on first use, owned (a child object)
    std::shared_ptr<StopRequest> m_stop;
    bool m_bOwnStop = true;       // m_stop is the job's own, cleared when a run begins
    double m_dEncodedSeconds = -1.0;
    double m_dStreamDuration = 0.0;
};
