#include "platform/QuitSignalNotifier.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = sizeof(kQuitSignals) / sizeof(kQuitSignals[0]);

// The pipe between the handler and the event loop; -1 while no notifier is installed.
int g_iReadEnd = -1;
volatile sig_atomic_t g_iWriteEnd = -1;
struct sigaction g_previous[kSignalCount];
bool g_bHandled[kSignalCount] = {};

// Only async-signal-safe calls here: one write, errno kept for the code the signal interrupted.
extern "C" void OnQuitSignal(int iSignal)
{
    const int iSavedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(iSignal);
    if (g_iWriteEnd >= 0)
        (void)::write(g_iWriteEnd, &byte, 1);
    errno = iSavedErrno;
}
} // namespace

QuitSignalNotifier::QuitSignalNotifier(QObject *parent) : QObject(parent)
{
    if (g_iReadEnd >= 0)
        return; // another notifier has the signals
    int fds[2];
    // Non-blocking: a handler must never wait on a full pipe, and the reader drains it.
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_iReadEnd = fds[0];
    g_iWriteEnd = fds[1];

    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls resume: the window's own reads and waits need not expect EINTR.
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        // A signal ignored at start stays ignored: under nohup, closing the terminal (SIGHUP)
        // must not end the program.
        struct sigaction current = {};
        g_bHandled[i] = ::sigaction(kQuitSignals[i], nullptr, &current) == 0 && current.sa_handler != SIG_IGN;
        if (g_bHandled[i])
            ::sigaction(kQuitSignals[i], &action, &g_previous[i]);
    }

    m_notifier = new QSocketNotifier(g_iReadEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignalNotifier::ReadPipe);
    m_bInstalled = true;
}

QuitSignalNotifier::~QuitSignalNotifier()
{
    if (!m_bInstalled)
        return;
    for (int i = 0; i < kSignalCount; ++i) {
        if (g_bHandled[i])
            ::sigaction(kQuitSignals[i], &g_previous[i], nullptr);
        g_bHandled[i] = false;
    }
    delete m_notifier;
    const int iWriteEnd = g_iWriteEnd;
    g_iWriteEnd = -1;
    ::close(iWriteEnd);
    ::close(g_iReadEnd);
    g_iReadEnd = -1;
}

void QuitSignalNotifier::ReadPipe()
{
    unsigned char buffer[16];
    for (;;) {
        const ssize_t n = ::read(g_iReadEnd, buffer, sizeof(buffer));
        if (n <= 0)
            return;
        for (ssize_t i = 0; i < n; ++i)
            emit Received(buffer[i]);
    }
}
