#include "support/QueuedFrames.h"

#include "protocol/CommandChannel.h"

#include <QMutexLocker>

QueuedFrames::QueuedFrames()
{
    ChannelOpen(TcpChannel);
    ActiveTransport = TransportTcp;
}

QueuedFrames::~QueuedFrames()
{
    drop();
}

QVector<QByteArray> QueuedFrames::take()
{
    QVector<QByteArray> frames;
    QMutexLocker lock(&TcpChannel.sendMutex);
    if (!TcpChannel.sendQueue)
        return frames;
    for (const QueueEntry &entry : *TcpChannel.sendQueue)
        frames.append(entry.data);
    TcpChannel.sendQueue->clear();
    return frames;
}

void QueuedFrames::drop()
{
    ActiveTransport = TransportNone;
    ChannelClear(TcpChannel);
}
