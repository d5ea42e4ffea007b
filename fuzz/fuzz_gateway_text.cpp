// Feeds arbitrary bytes to the router-protocol block reader in chunks whose
// sizes come from the input, parses every block against small counts, both
// as a server reads requests and as the window reads what a gateway tells,
// and checks the bounds: the reader never holds more than a line and a
// block, every request and lock state names only ports inside the counts,
// and a device block never tells more outputs than a block can list.
#include "protocol/RouterText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace RouterText;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int inputs = 1 + data[0] % 16;
    const int outputs = 1 + (data[0] >> 4);
    BlockReader reader;
    std::vector<TextBlock> blocks;
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    size_t left = size - 1;
    size_t seed = data[0];
    while (left > 0) {
        const size_t take = qMin(left, (seed % 97) + 1);
        reader.feed(bytes, qint64(take), blocks);
        if (reader.heldBytes() > qint64(MaxLineBytes) * (MaxBlockLines + 2))
            std::abort();
        bytes += take;
        left -= take;
        seed = seed * 1103515245u + 12345u;
    }
    for (const TextBlock &block : blocks) {
        if (block.lines.size() > MaxBlockLines)
            std::abort();
        const Request r = ParseRequest(block, inputs, outputs);
        for (const RouteItem &i : r.routes) {
            if (i.output < 0 || i.output >= outputs || i.input < 0 || i.input >= inputs)
                std::abort();
        }
        for (const LockItem &i : r.locks) {
            if (i.output < 0 || i.output >= outputs)
                std::abort();
        }
        for (const LabelItem &i : r.labels) {
            if (i.port < 0 || i.port >= qMax(inputs, outputs) || i.text.toUtf8().size() > MaxLabelBytes)
                std::abort();
        }
        std::vector<LockState> states;
        if (ParseLockStates(block, outputs, states)) {
            for (const LockState &s : states) {
                if (s.output < 0 || s.output >= outputs || s.state == '\0' || !std::strchr("OLU", s.state))
                    std::abort();
            }
        }
        if (DeviceOutputs(block) > MaxBlockLines)
            std::abort();
    }
    return 0;
}
