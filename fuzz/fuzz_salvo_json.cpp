// Feeds arbitrary bytes to the salvo file reader: it never crashes, a refusal
// says why, an accepted salvo keeps its bounds (a valid name, 1 to the
// bounded number of routes, every output within the file's count and every
// input within 1 … 64), and the salvo written back reads the same.
#include "protocol/RoutingSalvo.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

bool WithinBounds(const RoutingSalvo &salvo)
{
    QString why;
    if (!SalvoNameIsValid(salvo.name, &why) || salvo.routes.isEmpty() || salvo.routes.size() > SalvoLimits::MaxRoutes)
        return false;
    if (salvo.outputCount < 1 || salvo.outputCount > SalvoLimits::MaxChannel || salvo.inputCount < 0
        || salvo.inputCount > SalvoLimits::MaxChannel)
        return false;
    const int inputLimit = salvo.inputCount > 0 ? salvo.inputCount : SalvoLimits::MaxChannel;
    for (auto it = salvo.routes.cbegin(); it != salvo.routes.cend(); ++it) {
        if (it.key() < 1 || it.key() > salvo.outputCount || it.value() < 1 || it.value() > inputLimit)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), int(size));
    RoutingSalvo salvo;
    QString error;
    if (!SalvoFromJson(json, &salvo, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (!WithinBounds(salvo))
        std::abort();
    RoutingSalvo again;
    if (!SalvoFromJson(SalvoToJson(salvo), &again, &error))
        std::abort();
    if (again.name != salvo.name || again.device != salvo.device || again.outputCount != salvo.outputCount
        || again.inputCount != salvo.inputCount || again.routes != salvo.routes)
        std::abort();
    return 0;
}
