// Feeds arbitrary bytes to a device-port client's framer in chunks whose
// sizes come from the input, and checks that every frame let through is a
// whole, correct device frame: what the device can be sent.
#include "gateway/ClientFramer.h"
#include "protocol/Frames.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    ClientFramer framer;
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    size_t left = size - 1;
    size_t seed = data[0];
    while (left > 0) {
        const size_t take = data[0] >= 0xF0 ? left : qMin(left, (seed % 64) + 1);
        for (const QByteArray &frame : framer.feed(bytes, qint64(take))) {
            if (CanonicalDeviceFrame(frame) != frame)
                std::abort();
        }
        if (framer.heldBytes() > Frame::BufferSize)
            std::abort();
        bytes += take;
        left -= take;
        seed = seed * 1103515245u + 12345u;
    }
    return 0;
}
