#include "transport/ServiceBase.h"

#include <QIODevice>
#include <QTimer>

ServiceBase::ServiceBase(CommandChannel &channel, QObject *parent)
    : QObject(parent)
    , m_channel(channel)
    , m_pacer(channel)
{
    // Queued, so that a reply completed in the middle of a chunk (or of a
    // batch of datagrams) never starts the next send, and its gap, there.
    connect(this, &ServiceBase::SGL_TryCheckSend, this, &ServiceBase::SLT_RealSendData, Qt::QueuedConnection);
}

ServiceBase::~ServiceBase()
{
    m_pacer.deleteTimers();
    ChannelClear(m_channel);
}

bool ServiceBase::connectCycle()
{
    m_connected = false;
    m_pacer.createTimers();
    connect(m_pacer.replyTimer(), &QTimer::timeout, this, &ServiceBase::SLT_MatchTimer_Timeout);
    connect(m_pacer.pauseTimer(), &QTimer::timeout, this, &ServiceBase::SLT_WaitTimer_Timeout);
    connect(m_pacer.retryTimer(), &QTimer::timeout, this, &ServiceBase::SLT_RealSendData);
    if (!openDevice()) {
        closeDevice();
        m_pacer.deleteTimers();
        return false;
    }
    ChannelOpen(m_channel);
    m_connected = true;
    m_disconnectPending = false;
    m_pacer.resetFlags();
    return true;
}

void ServiceBase::SLT_SyncDisconnect()
{
    if (!m_connected)
        return;
    // A send step is in its gap, further up this thread's stack: the device
    // and the queue must outlive it. It disconnects when the gap is over.
    if (m_pacer.sending()) {
        m_disconnectPending = true;
        m_pacer.abortGap();
        return;
    }
    m_connected = false;
    m_disconnectPending = false;
    closeDevice();
    m_pacer.stopRunningTimer();
    m_pacer.deleteTimers();
    ChannelClear(m_channel);
}

void ServiceBase::SLT_RealSendData()
{
    if (!m_connected || !prepareSend())
        return;
    m_pacer.sendStep([this](const QByteArray &bytes) { return write(bytes); });
    if (m_disconnectPending)
        SLT_SyncDisconnect();
}

bool ServiceBase::write(const QByteArray &bytes)
{
    if (m_disconnectPending || !m_connected)
        return false;
    return writeBytes(bytes);
}

void ServiceBase::receiveStream(QIODevice *device)
{
    if (!m_connected || !device)
        return;
    const QByteArray chunk = device->readAll();
    AssembleDeviceStream(m_channel, chunk.constData(), chunk.size(),
                         [this](const quint8 *frame, quint32 length) { frameArrived(frame, length); });
}

void ServiceBase::frameArrived(const quint8 *frame, quint32 length)
{
    if (m_pacer.matchReply(frame, length, m_connected))
        emit SGL_TryCheckSend();
    emit SGL_UpdateRecvData();
}

void ServiceBase::SLT_MatchTimer_Timeout()
{
    if (!m_connected)
        return;
    const QByteArray sent = m_pacer.replyTimedOut();
    if (!sent.isEmpty())
        emit SGL_WaitReplyTimeout(sent);
    emit SGL_TryCheckSend();
}

void ServiceBase::SLT_WaitTimer_Timeout()
{
    if (!m_connected)
        return;
    m_pacer.pauseEnded();
    emit SGL_TryCheckSend();
}
