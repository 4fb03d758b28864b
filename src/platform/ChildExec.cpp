#include "platform/ChildExec.h"

#include <QFile>
#include <QProcess>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace {
// Exit codes of a child that never ran the program; QProcess sees them, the owner does not.
constexpr int kExitParentGone = 126;
constexpr int kExitExecFailed = 127;

void CloseEnd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}
} // namespace

ChildExec::ChildExec(const QString &sProgram, const QStringList &arguments)
{
    // As QProcess encodes them.
    m_args << QFile::encodeName(sProgram);
    for (const QString &sArgument : arguments)
        m_args << sArgument.toLocal8Bit();
    for (QByteArray &arg : m_args)
        m_argv.push_back(arg.data());
    m_argv.push_back(nullptr);
}

ChildExec::~ChildExec()
{
    CloseEnd(m_report[0]);
    CloseEnd(m_report[1]);
}

bool ChildExec::Prepare(QProcess &process)
{
    if (::pipe2(m_report, O_CLOEXEC) != 0)
        return false;
    m_iParentPid = ::getpid();
    process.setProgram(QFile::decodeName(m_args.first()));
    QStringList arguments;
    for (qsizetype i = 1; i < m_args.size(); ++i)
        arguments << QString::fromLocal8Bit(m_args.at(i));
    process.setArguments(arguments);
    process.setChildProcessModifier([this] { RunInChild(); });
    return true;
}

int ChildExec::ExecError()
{
    // The child's copy of the write end closes when the program starts (close-on-exec) or when
    // the child exits, so the read ends there once this copy is closed too.
    CloseEnd(m_report[1]);
    int iError = 0;
    ssize_t iRead;
    do {
        iRead = ::read(m_report[0], &iError, sizeof iError);
    } while (iRead < 0 && errno == EINTR);
    CloseEnd(m_report[0]);
    return iRead == static_cast<ssize_t>(sizeof iError) ? iError : 0;
}

void ChildExec::RunInChild() const
{
#ifdef Q_OS_LINUX
    // The signal comes when the thread that started the child ends: here the window's thread,
    // whose end is the program's.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // A parent that died before the request was made sends nothing: the child was handed over.
    if (::getppid() != static_cast<pid_t>(m_iParentPid))
        ::_exit(kExitParentGone);
#endif
    ::execv(m_argv.front(), m_argv.data());
    const int iError = errno;
    [[maybe_unused]] const ssize_t iWritten = ::write(m_report[1], &iError, sizeof iError);
    ::_exit(kExitExecFailed);
}
