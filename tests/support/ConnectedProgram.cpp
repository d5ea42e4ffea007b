#include "support/ConnectedProgram.h"

#ifdef KXR_HAVE_SIMULATOR

#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "shell/Ui_Main.h"
#include "support/TestSupport.h"
#include "transport/DeviceLink.h"
#include "transport/Ui_Uart_Network.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QtTest>

namespace {
constexpr int IdentifyTimeoutMs = 5000;
constexpr int FullReadTimeoutMs = 20000;
constexpr int QuietMs = 250;
constexpr int PollMs = 10;
} // namespace

ConnectedProgram::ConnectedProgram(const SimOptions &options, Link link,
                                   const QList<QPair<QByteArray, QByteArray>> &extraConfig)
    : m_sim(std::make_unique<SimHarness>(options))
    , m_link(link)
{
    if (!m_sim->isRunning()) {
        m_why = "the simulator did not start";
        return;
    }
    QList<QPair<QByteArray, QByteArray>> config = {{"SP_RemoteIp", "127.0.0.1"},
                                                   {"SP_RemotePort", QByteArray::number(m_sim->tcpPort())},
                                                   {"SP_Name", m_sim->ptyPath().toUtf8()}};
    config += extraConfig;
    m_fixture = std::make_unique<MainWindowFixture>(MainWindowFixture::configWith(config));
    // Network-module requests go to the simulated module's port.
    if (options.udp)
        window()->connectionPage()->link()->setModulePort(m_sim->udpPort());
    connectLink();
}

ConnectedProgram::~ConnectedProgram()
{
    m_fixture.reset();
    m_sim.reset();
}

Ui_Main *ConnectedProgram::window() const
{
    return m_fixture ? m_fixture->window() : nullptr;
}

void ConnectedProgram::connectLink()
{
    Ui_Uart_Network *page = window()->connectionPage();
    QPushButton *button = m_link == Link::Tcp ? page->networkConnectButton() : page->serialConnectButton();
    QTest::mouseClick(button, Qt::LeftButton);
    if (ActiveTransport.load() == TransportNone) {
        m_why = "the connect button did not open a link (no IPv4 interface? run under scripts/netns-run)";
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (Device().identified != 1 && clock.elapsed() < IdentifyTimeoutMs)
        RunEventLoopFor(PollMs);
    if (Device().identified != 1) {
        m_why = "the device was not identified";
        return;
    }
    if (!waitQuiet(FullReadTimeoutMs)) {
        CommandChannel &channel = m_link == Link::Tcp ? TcpChannel : SerialChannel;
        m_why = "the full read did not finish: " + QByteArray::number(ChannelQueueSize(channel, QueueSide::Send))
            + " commands queued, " + QByteArray::number(m_sim->requests(simLink()).size()) + " requests seen";
        return;
    }
    if (messages().count() != 0) {
        m_why = "a message was shown while connecting: " + messages().lastText().toUtf8();
        return;
    }
    m_ok = true;
    mark();
}

bool ConnectedProgram::waitQuiet(int timeoutMs)
{
    CommandChannel &channel = m_link == Link::Tcp ? TcpChannel : SerialChannel;
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer stable;
    stable.start();
    qint64 seen = -1;
    while (clock.elapsed() < timeoutMs) {
        RunEventLoopFor(PollMs);
        const qint64 count = m_sim->requestCount(simLink());
        if (ChannelQueueSize(channel, QueueSide::Send) != 0 || count != seen) {
            seen = count;
            stable.restart();
        } else if (stable.elapsed() >= QuietMs) {
            return true;
        }
    }
    return false;
}

void ConnectedProgram::mark()
{
    m_mark = m_sim->requestCount(simLink());
}

QVector<QByteArray> ConnectedProgram::requestsSinceMark() const
{
    return m_sim->lastRequests(simLink(), m_sim->requestCount(simLink()) - m_mark);
}

void ConnectedProgram::disconnect()
{
    Ui_Uart_Network *page = window()->connectionPage();
    QTest::mouseClick(m_link == Link::Tcp ? page->networkConnectButton() : page->serialConnectButton(), Qt::LeftButton);
}

#endif
