// Feeds arbitrary bytes to the user command file reader, with device counts
// taken from the first byte, and checks that a file it accepts is written
// back to a file that reads to the same lines.
#include "app/UserCmdFile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {
constexpr int MaxChannels = 16;
constexpr int CountBits = 4;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int inputs = (data[0] & ((1 << CountBits) - 1)) % (MaxChannels + 1);
    const int outputs = (data[0] >> CountBits) % (MaxChannels + 1);
    const QByteArray content(reinterpret_cast<const char *>(data + 1), int(size - 1));
    QVector<UserCmdLine> lines;
    if (ReadUserCmdFile(content, inputs, outputs, lines) != UserCmdFileResult::Loaded)
        return 0;
    if (lines.isEmpty() || lines.size() > UserCmdFile::MaxLines)
        std::abort();
    QVector<UserCmdLine> again;
    if (ReadUserCmdFile(WriteUserCmdFile(lines), inputs, outputs, again) != UserCmdFileResult::Loaded || again != lines)
        std::abort();
    return 0;
}
