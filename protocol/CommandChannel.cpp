#include "protocol/CommandChannel.h"

#include <QMutexLocker>

#include <cstring>

CommandChannel SerialChannel;
CommandChannel TcpChannel;
CommandChannel UdpChannel;

std::atomic<quint32> ActiveTransport{TransportNone};

CommandRecord EmptyCommandRecord()
{
    CommandRecord record;
    std::memset(&record, 0, sizeof record);
    return record;
}

CommandChannel *ActiveDeviceChannel()
{
    switch (ActiveTransport.load()) {
    case TransportSerial:
        return &SerialChannel;
    case TransportTcp:
        return &TcpChannel;
    default:
        return nullptr;
    }
}

bool ChannelOpen(CommandChannel &channel)
{
    if (channel.opened.load())
        return true;
    channel.opened = 1;
    {
        QMutexLocker lock(&channel.sendMutex);
        channel.sendQueue = std::make_unique<CommandQueue>();
    }
    {
        QMutexLocker lock(&channel.recvMutex);
        channel.recvQueue = std::make_unique<CommandQueue>();
    }
    channel.current = EmptyCommandRecord();
    std::memset(channel.rxBuffer, 0, sizeof channel.rxBuffer);
    channel.rxCount = 0;
    return true;
}

void ChannelClear(CommandChannel &channel)
{
    if (!channel.opened.load())
        return;
    channel.opened = 0;
    {
        QMutexLocker lock(&channel.sendMutex);
        channel.sendQueue.reset();
    }
    {
        QMutexLocker lock(&channel.recvMutex);
        channel.recvQueue.reset();
    }
    channel.current = EmptyCommandRecord();
    std::memset(channel.rxBuffer, 0, sizeof channel.rxBuffer);
    channel.rxCount = 0;
}

bool ChannelPush(CommandChannel &channel, QueueSide side, const quint8 *data, quint32 size, const CommandRecord *record,
                 quint32 pauseMs)
{
    if (!data || size == 0)
        return false;
    QMutex &mutex = side == QueueSide::Send ? channel.sendMutex : channel.recvMutex;
    std::unique_ptr<CommandQueue> &queue = side == QueueSide::Send ? channel.sendQueue : channel.recvQueue;

    QueueEntry entry;
    entry.data = QByteArray(reinterpret_cast<const char *>(data), int(size));
    if (record) {
        entry.record = *record;
    } else {
        entry.record = EmptyCommandRecord();
        entry.record.pauseMs = pauseMs;
    }

    QMutexLocker lock(&mutex);
    if (!queue)
        return false;
    queue->push_back(std::move(entry));
    return true;
}

void ChannelPopHead(CommandQueue *queue)
{
    if (queue && !queue->empty())
        queue->pop_front();
}

namespace {
bool enqueue(CommandChannel *channel, const quint8 *frame, quint32 size, const CommandRecord &record)
{
    if (!channel || size > Frame::BufferSize)
        return false;
    return ChannelPush(*channel, QueueSide::Send, frame, size, &record);
}
} // namespace

namespace {
DeviceRecordAdjuster g_adjustRecord;
DeviceQueuedObserver g_commandQueued;
} // namespace

void SetDeviceEnqueueHooks(DeviceRecordAdjuster adjust, DeviceQueuedObserver queued)
{
    g_adjustRecord = std::move(adjust);
    g_commandQueued = std::move(queued);
}

bool EnqueueDeviceCommand(const quint8 *frame, quint32 size, const CommandRecord &record)
{
    if (!g_adjustRecord && !g_commandQueued)
        return enqueue(ActiveDeviceChannel(), frame, size, record);
    CommandRecord adjusted = record;
    if (g_adjustRecord)
        g_adjustRecord(adjusted);
    if (!enqueue(ActiveDeviceChannel(), frame, size, adjusted))
        return false;
    if (g_commandQueued)
        g_commandQueued(QByteArray(reinterpret_cast<const char *>(frame), int(size)), adjusted);
    return true;
}

bool ReplaceQueuedDeviceCommand(const quint8 *frame, quint32 size, const CommandRecord &record,
                                const QueuedFrameTest &replaces, const QueuedFrameTest &mayPass)
{
    CommandChannel *channel = ActiveDeviceChannel();
    if (!channel || !frame || size == 0 || size > Frame::BufferSize)
        return false;
    QMutexLocker lock(&channel->sendMutex);
    if (!channel->sendQueue)
        return false;
    CommandQueue &queue = *channel->sendQueue;
    for (auto entry = queue.rbegin(); entry != queue.rend(); ++entry) {
        if (replaces(entry->data)) {
            entry->data = QByteArray(reinterpret_cast<const char *>(frame), int(size));
            entry->record = record;
            return true;
        }
        if (!mayPass(entry->data))
            return false;
    }
    return false;
}

bool EnqueueModuleCommand(const quint8 *frame, quint32 size, const CommandRecord &record)
{
    return enqueue(&UdpChannel, frame, size, record);
}

bool ReplyMatches(const CommandRecord &current, const quint8 *frame, quint32 length)
{
    if (!current.waitReply || current.expectedCount == 0)
        return false;
    const quint32 count = qMin<quint32>(current.expectedCount, CommandRecord::MaxPrefixes);
    for (quint32 k = 0; k < count; ++k) {
        const quint32 prefixLength = qMin<quint32>(current.expectedLength[k], Frame::BufferSize);
        if (length < prefixLength)
            continue;
        if (current.acceptAnyReply || std::memcmp(frame, current.expected[k], prefixLength) == 0)
            return true;
    }
    return false;
}

bool DrainReceiveQueue(CommandChannel &channel, const std::function<void(const QByteArray &)> &handle)
{
    if (!channel.recvMutex.tryLock(0))
        return false;
    CommandQueue frames;
    if (channel.recvQueue)
        frames.swap(*channel.recvQueue);
    channel.recvMutex.unlock();

    for (const QueueEntry &entry : frames)
        handle(entry.data);
    return true;
}

int ChannelQueueSize(CommandChannel &channel, QueueSide side)
{
    QMutex &mutex = side == QueueSide::Send ? channel.sendMutex : channel.recvMutex;
    const std::unique_ptr<CommandQueue> &queue = side == QueueSide::Send ? channel.sendQueue : channel.recvQueue;
    QMutexLocker lock(&mutex);
    return queue ? int(queue->size()) : 0;
}
