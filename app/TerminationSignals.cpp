#include "TerminationSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t s_writeEnd = -1;
volatile std::sig_atomic_t s_received = 0;

} // namespace

const std::array<int, 3> &TerminationSignals::handledSignals()
{
    static const std::array<int, 3> signals{SIGTERM, SIGINT, SIGHUP};
    return signals;
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT(s_writeEnd < 0);
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // no handlers: the signals keep their default action
    s_writeEnd = m_pipe[1];
    s_received = 0;
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::onReadable);

    struct sigaction action { };
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes elsewhere in the program go on.
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < handledSignals().size(); ++i) {
        const int sig = handledSignals()[i];
        struct sigaction current { };
        if (::sigaction(sig, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        m_installed[i] = ::sigaction(sig, &action, &m_previous[i]) == 0;
    }
}

TerminationSignals::~TerminationSignals()
{
    for (size_t i = 0; i < handledSignals().size(); ++i)
        if (m_installed[i])
            ::sigaction(handledSignals()[i], &m_previous[i], nullptr);
    s_writeEnd = -1;
    delete m_notifier;
    for (int fd : m_pipe)
        if (fd >= 0)
            ::close(fd);
}

void TerminationSignals::handle(int signalNumber)
{
    // Async-signal-safe calls only.
    if (s_received) {
        ::signal(signalNumber, SIG_DFL);
        ::raise(signalNumber);
        return;
    }
    s_received = 1;
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (s_writeEnd >= 0) {
        // A full pipe already holds a signal to handle.
        [[maybe_unused]] const ssize_t written = ::write(s_writeEnd, &byte, 1);
    }
    errno = savedErrno;
}

void TerminationSignals::onReadable()
{
    unsigned char bytes[16];
    int first = 0;
    for (;;) {
        const ssize_t got = ::read(m_pipe[0], bytes, sizeof bytes);
        if (got <= 0)
            break;
        if (!first)
            first = bytes[0];
    }
    if (first)
        Q_EMIT received(first);
}
