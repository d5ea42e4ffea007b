#include "support/ServiceRig.h"

#ifdef KXR_HAVE_SIMULATOR

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {
constexpr int OpenWaitMs = 8000;
constexpr int PollMs = 10;
} // namespace

ServiceRig::ServiceRig(SimHarness &sim, QObject *parent)
    : QObject(parent)
    , m_sim(sim)
{
    connect(&m_link, &DeviceLink::frameReceived, this, &ServiceRig::receive);
    connect(&m_link, &DeviceLink::datagramReceived, this, &ServiceRig::receive);
    connect(&m_link, &DeviceLink::frameSent, this, &ServiceRig::sent);
    connect(&m_link, &DeviceLink::replyTimedOut, this, &ServiceRig::timedOut);
}

ServiceRig::~ServiceRig()
{
    close();
}

bool ServiceRig::push(const QByteArray &frame, const CommandRecord &record)
{
    return ChannelPush(channel(), QueueSide::Send, reinterpret_cast<const quint8 *>(frame.constData()),
                       quint32(frame.size()), &record);
}

void ServiceRig::trigger()
{
    m_link.requestSend();
}

void ServiceRig::close()
{
    m_link.close();
}

bool ServiceRig::openAndWait(const std::function<void()> &open, int *code)
{
    QSignalSpy opened(&m_link, &DeviceLink::linkOpened);
    QSignalSpy failed(&m_link, &DeviceLink::linkFailed);
    open();
    QElapsedTimer clock;
    clock.start();
    while (opened.isEmpty() && failed.isEmpty() && clock.elapsed() < OpenWaitMs)
        QTest::qWait(PollMs);
    if (code && !failed.isEmpty())
        *code = failed.first().first().toInt();
    return !opened.isEmpty();
}

void ServiceRig::receive(const QByteArray &frame)
{
    m_received.append(frame);
    emit dataReceived();
}

#endif
