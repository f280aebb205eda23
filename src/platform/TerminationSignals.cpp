#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only do async-signal-safe work: it writes the signal's number into a socket
// that the event loop watches.
int g_signalSocket[2] = {-1, -1};
const int g_watched[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_signalSocket[0], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (g_signalSocket[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSocket) != 0)
        return;
    ::fcntl(g_signalSocket[0], F_SETFL, O_NONBLOCK);
    ::fcntl(g_signalSocket[1], F_SETFL, O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : g_watched)
        ::sigaction(number, &action, nullptr);
    m_notifier = new QSocketNotifier(g_signalSocket[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (const int number : g_watched)
        ::signal(number, SIG_DFL);
    ::close(g_signalSocket[0]);
    ::close(g_signalSocket[1]);
    g_signalSocket[0] = g_signalSocket[1] = -1;
}

void TerminationSignals::readPending()
{
    unsigned char byte = 0;
    while (::read(g_signalSocket[1], &byte, 1) == 1)
        emit terminationRequested(byte);
}
