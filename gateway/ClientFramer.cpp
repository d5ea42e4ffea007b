#include "gateway/ClientFramer.h"

#include "protocol/CommandChannel.h"
#include "protocol/Frames.h"

ClientFramer::ClientFramer()
    : m_channel(std::make_unique<CommandChannel>())
{
    // The channel stays closed: its queues do not exist, so the assembler
    // keeps nothing beyond its buffer; frames reach us through the sink.
}

ClientFramer::~ClientFramer() = default;

quint32 ClientFramer::heldBytes() const
{
    return m_channel->rxCount;
}

QList<QByteArray> ClientFramer::feed(const char *data, qint64 size)
{
    QList<QByteArray> frames;
    const auto sink = [&](const quint8 *frame, quint32 length) {
        const QByteArray canonical =
            CanonicalDeviceFrame(QByteArray(reinterpret_cast<const char *>(frame), int(length)));
        if (canonical.isEmpty())
            ++m_rejected;
        else
            frames.append(canonical);
    };
    while (data && size > 0) {
        const qint64 slice = qMin(size, SliceBytes);
        AssembleDeviceStream(*m_channel, data, slice, sink);
        data += slice;
        size -= slice;
    }
    return frames;
}

QByteArray CanonicalDeviceFrame(const QByteArray &frame)
{
    const quint32 size = quint32(frame.size());
    if (size < Frame::DeviceOverhead)
        return {};
    const auto *bytes = reinterpret_cast<const quint8 *>(frame.constData());
    const quint32 n = bytes[Frame::DeviceLengthOffset];
    if (bytes[0] != Frame::DeviceStart || bytes[1] != Frame::DeviceStart || size != n + Frame::DeviceOverhead)
        return {};
    quint8 packed[Frame::BufferSize];
    const quint32 length =
        PackDeviceFrame(bytes[Frame::DeviceCommandOffset], bytes + Frame::DevicePayloadOffset, n, packed);
    if (length != size)
        return {};
    const quint32 checksumAt = Frame::DevicePayloadOffset + n;
    const quint8 checksum = bytes[checksumAt];
    if (checksum != packed[checksumAt] && checksum != Frame::ChecksumWildcard)
        return {};
    if (bytes[size - 1] != Frame::DeviceEnd || bytes[size - 2] != Frame::DeviceEnd)
        return {};
    return QByteArray(reinterpret_cast<const char *>(packed), int(length));
}
