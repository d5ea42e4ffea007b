// Feeds arbitrary bytes to the device stream assembler in chunks whose sizes
// come from the input itself, and checks that every completed frame is a
// well-formed device frame held inside the receive buffer.
#include "protocol/CommandChannel.h"
#include "protocol/Frames.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void checkFrame(const quint8 *frame, quint32 length)
{
    // A completed frame lies inside the buffer and ends with the end bytes.
    // When the overflow rule emptied the buffer under a frame, only its tail
    // is left, as little as the last end byte.
    if (length < 1 || length > Frame::BufferSize || frame[length - 1] != Frame::DeviceEnd)
        std::abort();
    if (length >= 2 && frame[length - 2] != Frame::DeviceEnd)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool opened = ChannelOpen(TcpChannel);
    (void)opened;
    if (size < 2)
        return 0;

    // The first byte picks how the rest is cut; chunks of 1 to 64 bytes, or
    // one large chunk to exercise the overflow rule.
    const uint8_t mode = data[0];
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    size_t left = size - 1;
    size_t seed = mode;
    while (left > 0) {
        size_t take = mode >= 0xF0 ? left : (seed % 64) + 1;
        if (take > left)
            take = left;
        AssembleDeviceStream(TcpChannel, bytes, qint64(take), checkFrame);
        if (TcpChannel.rxCount > Frame::BufferSize)
            std::abort();
        bytes += take;
        left -= take;
        seed = seed * 1103515245u + 12345u;
    }
    // Drop what was queued so memory stays bounded between runs.
    DrainReceiveQueue(TcpChannel, [](const QByteArray &) {});
    return 0;
}
