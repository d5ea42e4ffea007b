#include "protocol/Frames.h"

#include "protocol/CommandChannel.h"

#include <cstring>

namespace {

enum AssemblerState : quint8 {
    Idle = 0,
    FirstStart = 1,
    SecondStart = 2,
    CommandByte = 3,
    LengthByte = 4,
    PayloadByte = 5,
    ChecksumByte = 6,
    FirstEnd = 7,
    SecondEnd = 8,
    Complete = 9,
    Failed = 255,
};

// The two end bytes are part of the sum but arrive after the checksum.
constexpr quint32 EndBytesSum = Frame::DeviceEnd + Frame::DeviceEnd;

void resetAssembly(CommandChannel &channel)
{
    channel.assembler.state = Idle;
    channel.rxCount = 0;
}

void completeFrame(CommandChannel &channel, const FrameSink &sink)
{
    ChannelPush(channel, QueueSide::Receive, channel.rxBuffer, channel.rxCount, nullptr);
    if (sink)
        sink(channel.rxBuffer, channel.rxCount);
    std::memset(channel.rxBuffer, 0, sizeof channel.rxBuffer);
    channel.rxCount = 0;
}

// One slice of at most the buffer size.
void assembleSlice(CommandChannel &channel, const quint8 *bytes, quint32 size, const FrameSink &sink)
{
    StreamAssemblerState &as = channel.assembler;
    if (channel.rxCount + size > Frame::BufferSize) {
        // The state carries on: a frame in progress loses its head and ends
        // up rejected downstream.
        std::memset(channel.rxBuffer, 0, sizeof channel.rxBuffer);
        channel.rxCount = 0;
    }

    for (quint32 i = 0; i < size; ++i) {
        const quint8 b = bytes[i];
        if (b == Frame::DeviceStart && as.state == Idle) {
            as.state = FirstStart;
            as.sum = 0;
            channel.rxCount = 0;
        }
        switch (as.state) {
        case FirstStart:
            as.state = b == Frame::DeviceStart ? SecondStart : Failed;
            as.sum += b;
            break;
        case SecondStart:
            as.state = b == Frame::DeviceStart ? CommandByte : Failed;
            as.sum += b;
            break;
        case CommandByte:
            as.sum += b;
            as.state = LengthByte;
            break;
        case LengthByte:
            as.sum += b;
            as.expected = b;
            as.state = b > 0 ? PayloadByte : ChecksumByte;
            break;
        case PayloadByte:
            as.sum += b;
            if (--as.expected == 0)
                as.state = ChecksumByte;
            break;
        case ChecksumByte:
            as.sum += EndBytesSum;
            if (b == quint8(as.sum & 0xFF) || b == Frame::ChecksumWildcard) {
                as.state = FirstEnd;
            } else {
                resetAssembly(channel);
                continue;
            }
            break;
        case FirstEnd:
            if (b != Frame::DeviceEnd) {
                resetAssembly(channel);
                continue;
            }
            as.state = SecondEnd;
            break;
        case SecondEnd:
            if (b != Frame::DeviceEnd) {
                resetAssembly(channel);
                continue;
            }
            as.state = Complete;
            break;
        default:
            resetAssembly(channel);
            continue;
        }

        if (as.state == Idle || as.state == Failed) {
            resetAssembly(channel);
            continue;
        }
        // A frame is at most 262 bytes and the count restarts with every
        // frame, so this only guards against a state that never completes.
        if (channel.rxCount >= Frame::BufferSize) {
            resetAssembly(channel);
            continue;
        }
        channel.rxBuffer[channel.rxCount++] = b;

        if (as.state == Complete) {
            as.state = Idle;
            completeFrame(channel, sink);
        }
    }
}

} // namespace

quint32 PackDeviceFrame(quint8 command, const quint8 *payload, quint32 n, quint8 *out)
{
    if (n > Frame::BufferSize - Frame::DeviceOverhead || !out || (n > 0 && !payload))
        return 0;
    out[0] = Frame::DeviceStart;
    out[1] = Frame::DeviceStart;
    out[2] = command;
    out[3] = quint8(n & 0xFF);
    if (n > 0)
        std::memcpy(out + Frame::DevicePayloadOffset, payload, n);
    out[4 + n] = 0;
    out[5 + n] = Frame::DeviceEnd;
    out[6 + n] = Frame::DeviceEnd;
    quint32 sum = 0;
    for (quint32 i = 0; i < n + Frame::DeviceOverhead; ++i)
        sum += out[i];
    out[4 + n] = quint8(sum & 0xFF);
    return n + Frame::DeviceOverhead;
}

quint32 PackModuleFrame(quint8 command, const quint8 *payload, quint32 n, quint8 *out)
{
    // The whole frame, n + 4 bytes, must fit the 2048-byte buffer.
    if (n > Frame::BufferSize - Frame::ModuleOverhead || !out || (n > 0 && !payload))
        return 0;
    out[0] = Frame::ModuleStart;
    out[1] = quint8((n + 1) & 0xFF);
    out[2] = command;
    if (n > 0)
        std::memcpy(out + 3, payload, n);
    quint32 sum = 0;
    for (quint32 i = 1; i <= n + 2; ++i)
        sum += out[i];
    out[3 + n] = quint8(sum & 0xFF);
    return n + Frame::ModuleOverhead;
}

void AssembleDeviceStream(CommandChannel &channel, const char *chunk, qint64 size, const FrameSink &sink)
{
    if (!chunk || size <= 0)
        return;
    // A chunk longer than the buffer is taken in buffer-sized slices, each
    // under the same overflow rule as a chunk of its own, so nothing is ever
    // written past the buffer.
    const auto *bytes = reinterpret_cast<const quint8 *>(chunk);
    while (size > 0) {
        const quint32 slice = quint32(qMin<qint64>(size, Frame::BufferSize));
        assembleSlice(channel, bytes, slice, sink);
        bytes += slice;
        size -= slice;
    }
}

bool ReceiveDatagram(CommandChannel &channel, const char *datagram, qint64 size, const FrameSink &sink)
{
    // No module reply is longer than the receive buffer; a datagram that
    // would not fit is not one of theirs and is dropped whole.
    if (!datagram || size <= 0 || size > qint64(Frame::BufferSize))
        return false;
    std::memset(channel.rxBuffer, 0, sizeof channel.rxBuffer);
    std::memcpy(channel.rxBuffer, datagram, size_t(size));
    channel.rxCount = quint32(size);
    completeFrame(channel, sink);
    return true;
}
