#pragma once

#include "common/modFunctions.h"
#include "formats/CatalogueTables.h"
#include "formats/PresetEntry.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdio>

class CVideoConv;
class DOSOutputs;
class ProgressLine;

// The same cut of every file in turn, as the window's cut task does it for one: the output named
// by the window's rule, the arguments from the window's builder, the encoder job with its progress,
// stop and success rules, and an unfinished output removed. A file that fails does not stop the
// batch. Each output's path goes to the output stream when it is done; with bDryRun the encoder
// command lines go there instead and nothing runs.
//
// Quit (a quit signal, from the event loop) stops the running encoder at once; the batch then
// removes its unfinished output and ends.
class CutBatch : public QObject {
    Q_OBJECT

public:
    struct Settings {
        PresetEntry preset;
        WholeSeconds iStart = 0;
        WholeSeconds iEnd = 0;
        QString sOutputFolder; // empty: beside each input
        bool bDryRun = false;
    };

    CutBatch(const Settings &settings, const CatalogueTables &tables, ProgressLine &line, std::FILE *output,
             QObject *parent = nullptr);
    ~CutBatch() override;

    // The program's exit status: 0 every file done, 1 any failed, 128 + the signal when stopped.
    int Run(const QStringList &files);

    void Quit(int iSignal);

private:
    enum class FileResult { Done, Failed, Stopped };
    struct FileCut;

    FileResult CutFile(const QString &sInput);
    // The encoder's file check: false (with the reason) for a file the window would not open or
    // whose length ends before the start; else clamps the cut's end to the length.
    bool CheckInput(FileCut &cut);
    bool ChooseOutput(const QString &sInput, FileCut &cut);
    FileResult Fail(FileCut &cut, QStringList reasons = {});

    Settings m_settings;
    const CatalogueTables &m_tables;
    ProgressLine &m_line;
    std::FILE *m_output;
    QStringList m_messages;          // what the parts said (message boxes) for the current file
    QStringList m_dryRunReserved;    // names a dry run held, so that its files do not share one
    QPointer<CVideoConv> m_job;      // the running job, if any
    QPointer<DOSOutputs> m_check;    // the encoder's file check, made on first use
    bool m_bJobFailed = false;       // the job reported "Error"
    int m_iSignal = 0;               // the quit signal that ends the batch, 0 while none came
};
