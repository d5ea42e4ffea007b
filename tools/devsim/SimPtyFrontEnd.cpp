#include "tools/devsim/SimPtyFrontEnd.h"

#include "tools/devsim/SimDevice.h"

#include <QSocketNotifier>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pty.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int ReadChunk = 4096;
} // namespace

SimPtyFrontEnd::SimPtyFrontEnd(SimDevice *device, QObject *parent)
    : QObject(parent)
    , m_device(device)
{ }

SimPtyFrontEnd::~SimPtyFrontEnd()
{
    closeTerminal();
}

bool SimPtyFrontEnd::open()
{
    closeTerminal();
    if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
        return false;
    char name[PATH_MAX] = {};
    if (::ptsname_r(m_master, name, sizeof name) != 0) {
        closeTerminal();
        return false;
    }
    m_path = QString::fromLocal8Bit(name);

    // Bytes pass unchanged: no echo, no line editing, no CR/LF translation.
    termios raw{};
    if (::tcgetattr(m_slave, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(m_slave, TCSANOW, &raw);
    }
    const int flags = ::fcntl(m_master, F_GETFL);
    ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    // A program started while the simulator runs (a test starting kxrctl)
    // must not inherit the terminal's ends: a master kept open there would
    // keep the line from ever hanging up.
    for (int fd : {m_master, m_slave})
        ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);

    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimPtyFrontEnd::readRequests);
    return true;
}

void SimPtyFrontEnd::send(const QByteArray &frame)
{
    m_device->deliver(frame, SimLink::Pty, m_path, this, [this](const QByteArray &chunk) { write(chunk); });
}

void SimPtyFrontEnd::readRequests()
{
    QByteArray chunk;
    char buffer[ReadChunk];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        chunk.append(buffer, int(n));
    }
    if (chunk.isEmpty())
        return;
    const QList<QByteArray> frames = m_reader.feed(chunk);
    for (const QByteArray &frame : frames) {
        const SimReplies replies = m_device->answerDeviceFrame(frame, SimLink::Pty, m_path);
        for (const QByteArray &reply : replies)
            send(reply);
    }
}

void SimPtyFrontEnd::write(const QByteArray &chunk)
{
    if (m_master < 0)
        return;
    // A program that stopped reading fills the terminal's buffer; what does
    // not fit is lost, as on a real line.
    const char *bytes = chunk.constData();
    qint64 left = chunk.size();
    while (left > 0) {
        const ssize_t n = ::write(m_master, bytes, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes += n;
        left -= n;
    }
}

void SimPtyFrontEnd::closeTerminal()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
}
