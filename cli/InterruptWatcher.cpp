#include "cli/InterruptWatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_writeEnd = -1;
struct sigaction g_previousInt;
struct sigaction g_previousTerm;

void OnSignal(int)
{
    const char byte = 1;
    if (g_writeEnd >= 0) {
        const ssize_t written = ::write(g_writeEnd, &byte, sizeof byte);
        (void)written;
    }
}

} // namespace

InterruptWatcher::InterruptWatcher(QObject *parent)
    : QObject(parent)
{
    if (::pipe(m_pipe) != 0)
        return;
    for (int fd : m_pipe)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InterruptWatcher::readPipe);

    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &g_previousInt);
    sigaction(SIGTERM, &action, &g_previousTerm);
}

InterruptWatcher::~InterruptWatcher()
{
    if (m_pipe[0] < 0)
        return;
    // An interrupted run is ending: a further signal (timeout(1) sends two)
    // must not turn its status into a death by signal.
    if (m_interrupted) {
        std::signal(SIGINT, SIG_IGN);
        std::signal(SIGTERM, SIG_IGN);
    } else {
        sigaction(SIGINT, &g_previousInt, nullptr);
        sigaction(SIGTERM, &g_previousTerm, nullptr);
    }
    g_writeEnd = -1;
    delete m_notifier;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void InterruptWatcher::readPipe()
{
    char bytes[16];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) { }
    m_interrupted = true;
    emit SGL_Interrupted();
}
