// Feeds arbitrary bytes to kxrctl's salvo reader: it never crashes, an
// accepted salvo holds 1 to the bounded number of routes, every channel in
// range, and the salvo written back as "route IN OUT" lines reads the same.
#include "cli/SalvoFile.h"
#include "protocol/DeviceState.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

bool InRange(const RoutePair &pair)
{
    return pair.input >= 1 && pair.input <= DeviceLimits::Channels
        && (pair.all ? pair.output == 0 : pair.output >= 1 && pair.output <= DeviceLimits::Channels);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    QVector<RoutePair> routes;
    QString error;
    if (!ParseSalvo(text, &routes, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (routes.isEmpty() || routes.size() > Salvo::MaxRoutes)
        std::abort();
    QByteArray written;
    for (const RoutePair &pair : routes) {
        if (!InRange(pair))
            std::abort();
        written += "route " + QByteArray::number(pair.input) + ' '
            + (pair.all ? QByteArray("all") : QByteArray::number(pair.output)) + '\n';
    }
    QVector<RoutePair> again;
    if (!ParseSalvo(written, &again, &error) || again.size() != routes.size())
        std::abort();
    for (int i = 0; i < routes.size(); ++i) {
        if (again[i].input != routes[i].input || again[i].output != routes[i].output || again[i].all != routes[i].all)
            std::abort();
    }
    return 0;
}
