#include "engine/DOSOutputs.h"

#include "common/MessageBox.h"
#include "engine/StopRequest.h"
#include "platform/ChildExec.h"
#include "platform/modCommandLine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTimer>
#include <cerrno>
#include <memory>

const QString kCancelledNotice = QStringLiteral("Cancelled");

namespace {
const QString kCommandLineEmpty = QStringLiteral("Command Line is empty");
const QString kCreatePipeFailed = QStringLiteral("CreatePipe failed. Error: ");
const QString kCommandNotFound = QStringLiteral("File or command not found");

constexpr qint64 kReadSize = 512;  // bytes per read
constexpr int kPumpRuns = 6;       // event-loop runs after every read
// While the child is silent the runner sits in the event loop; this timer makes sure it looks at
// the child again at least this often (ms), whatever happens in the loop.
constexpr int kWakeUpMs = 50;
// A stopped child gets this long (ms) to end by itself on SIGTERM before it is killed. Short, so
// that a stop takes effect well within 100 ms: ffmpeg needs longer to finish its output file, and
// the output of a stopped run is incomplete anyway.
constexpr int kTerminateGraceMs = 20;
// A killed child is reaped within this time (ms) unless the kernel holds it.
constexpr int kKillWaitMs = 5000;
} // namespace

DOSOutputs::DOSOutputs(QObject *parent)
    : QObject(parent), m_wakeUp(new QTimer(this)), m_stop(std::make_shared<StopRequest>())
{
    m_wakeUp->setInterval(kWakeUpMs);
}

DOSOutputs::~DOSOutputs()
{
    CleanUp();
}

QString DOSOutputs::ExecuteCommand(const QString &sDOSCommand)
{
    // A second run started from inside the pump would leave the first child without a reader.
    if (m_bRunning)
        return QString();
    const QPointer<DOSOutputs> self(this);

    m_stop->Clear();
    m_iExitCode = -1;
    char buffer[kReadSize];
    if (!sDOSCommand.isEmpty())
        m_sCommandLine = sDOSCommand;
    if (m_sCommandLine.isEmpty()) {
        MsgBox(kCommandLineEmpty, MsgIcon::Critical);
        return QString();
    }
    if (!StartChild())
        return QString();
    m_sOutputs.clear();

    // However the run is left (a listener's exception included), the child does not outlive it.
    struct RunScope {
        QPointer<DOSOutputs> runner;
        std::shared_ptr<StopRequest> stop;
        ~RunScope()
        {
            stop->SetReaction({});
            if (runner) {
                runner->CleanUp();
                runner->m_bRunning = false;
            }
        }
    } scope{self, m_stop};
    m_bRunning = true;
    // The loop notices a stop only when the pump returns to it, and a window event in between may
    // start a whole new task (Stop and Start clicked in a row): the stopped child must not run on
    // until then.
    m_stop->SetReaction([self] {
        if (self)
            self->CleanUp();
    });

    // Stateful, so that a character split between two reads comes out whole.
    QStringDecoder decoder(QStringDecoder::System);
    for (;;) {
        qint64 n = 0;
        const ReadResult result = ReadPipe(buffer, &n, self);
        if (!self)
            return QString();
        const QString sChunk = decoder.decode(QByteArrayView(buffer, n));
        m_sOutputs += sChunk;
        for (int i = 0; i < kPumpRuns; ++i) {
            QCoreApplication::processEvents();
            if (!self)
                return QString();
        }
        emit ReceiveOutputs(sChunk);
        if (!self)
            return QString();
        if (m_stop->IsAsked()) {
            CleanUp();
            emit ReceiveOutputs(kCancelledNotice);
            return QString();
        }
        if (result == ReadResult::Failed || !m_process) {
            CleanUp();
            return m_sOutputs;
        }
    }
}

namespace {
// The program file a command line names, as the loader finds it: a name without a folder is
// looked for along PATH. Empty when there is no such executable file.
QString FindProgram(const QString &sProgram)
{
    if (sProgram.isEmpty())
        return QString();
    if (!sProgram.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(sProgram);
    const QFileInfo program(sProgram);
    return program.isFile() && program.isExecutable() ? program.absoluteFilePath() : QString();
}
} // namespace

bool DOSOutputs::StartChild()
{
    const QStringList tokens = SplitCommandLine(m_sCommandLine);
    // Looked for first, as the loader would: a name without a folder is found along PATH.
    const QString sProgram = FindProgram(tokens.value(0));
    if (sProgram.isEmpty()) {
        MsgBox(kCommandNotFound, MsgIcon::Critical);
        return false;
    }

    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    // The child runs the program itself: it dies with us, and a failed exec leaks nothing.
    ChildExec exec(sProgram, tokens.mid(1));
    errno = 0;
    if (!exec.Prepare(*process)) {
        MsgBox(kCreatePipeFailed + QString::number(errno), MsgIcon::Critical);
        return false;
    }
    // QProcess makes its pipes before it forks: a start that never reached "Starting" failed for
    // want of a pipe (or a descriptor), one that did failed to run the program.
    bool bForked = false;
    const QMetaObject::Connection watch =
        connect(process.get(), &QProcess::stateChanged, [&bForked](QProcess::ProcessState state) {
            if (state == QProcess::Starting)
                bForked = true;
        });
    errno = 0;
    process->start();
    const int iPipeError = errno;
    const bool bChildStarted = bForked && process->waitForStarted(-1);
    const bool bStarted = bChildStarted && exec.ExecError() == 0;
    disconnect(watch);

    if (!bStarted) {
        // A child that could not run the program exits at once: reap it.
        if (bChildStarted)
            process->waitForFinished(kKillWaitMs);
        process.reset();
        if (!bForked)
            MsgBox(kCreatePipeFailed + QString::number(iPipeError), MsgIcon::Critical);
        else
            MsgBox(kCommandNotFound, MsgIcon::Critical);
        return false;
    }
    process->setParent(this);
    m_process = process.release();
    m_wakeUp->start();
    return true;
}

DOSOutputs::ReadResult DOSOutputs::ReadPipe(char *buffer, qint64 *n, const QPointer<DOSOutputs> &self)
{
    *n = 0;
    for (;;) {
        if (!m_process)
            return ReadResult::Failed; // CleanUp ran meanwhile
        if (m_process->bytesAvailable() > 0) {
            const qint64 iRead = m_process->read(buffer, kReadSize);
            if (iRead <= 0)
                return ReadResult::Failed;
            *n = iRead;
            return ReadResult::Data;
        }
        // QProcess drains the pipe before it reports the child's end, so this is end of data.
        if (m_process->state() == QProcess::NotRunning)
            return ReadResult::Failed;
        if (m_stop->IsAsked())
            return ReadResult::Interrupted;
        // Sleep in the event loop until the child writes or ends, a window event arrives, or the
        // wake-up timer fires: the window stays live and a silent child costs no CPU.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!self)
            return ReadResult::Failed;
    }
}

void DOSOutputs::setStopConvert(bool bSet)
{
    if (bSet)
        m_stop->Ask();
    else
        m_stop->Clear();
}

void DOSOutputs::setStopRequest(std::shared_ptr<StopRequest> stop)
{
    // Not while a run reads the request it was started with.
    if (stop && !m_bRunning)
        m_stop = std::move(stop);
}

void DOSOutputs::CleanUp()
{
    if (!m_process)
        return;
    QProcess *process = m_process;
    m_process = nullptr;
    m_wakeUp->stop();
    if (process->state() == QProcess::NotRunning) {
        m_iExitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    } else {
        m_iExitCode = -1;
        process->terminate();
        if (!process->waitForFinished(kTerminateGraceMs)) {
            process->kill();
            process->waitForFinished(kKillWaitMs);
        }
    }
    delete process;
}
