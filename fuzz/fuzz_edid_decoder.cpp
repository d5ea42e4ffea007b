// Feeds arbitrary bytes to the EDID decoder and its report: any length, any
// content. The sanitizers catch a read outside the bytes; the decoder's own
// promises are checked here.
#include "protocol/EdidDecoder.h"
#include "protocol/EdidReport.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {
constexpr int BlockBytes = 128;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A deep copy: the sanitizer sees the exact end of the bytes.
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const EdidInfo info = DecodeEdid(bytes);
    if (info.size != int(size))
        std::abort();
    // One checksum verdict per whole block decoded, never more than the bytes hold.
    if (info.checksumValid.size() > int(size) / BlockBytes)
        std::abort();
    // Too short for a base block is always an error.
    if (int(size) < BlockBytes && EdidIsValid(info))
        std::abort();
    for (const EdidCtaBlock &cta : info.cta) {
        if (cta.block < 1 || cta.block * BlockBytes >= int(size))
            std::abort();
    }
    (void)EdidReportLines(info);
    (void)EdidReportJson(info);
    return 0;
}
