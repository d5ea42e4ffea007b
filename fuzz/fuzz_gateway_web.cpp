// The web API's request reader: any method, path and body give a request or
// an error with a status, never a crash.
#include "gateway/WebApi.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // First byte: method; up to the first newline: path; the rest: body.
    static const char *const methods[] = {"GET", "POST", "DELETE", "PUT"};
    if (size == 0)
        return 0;
    const QByteArray all(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const int newline = all.indexOf('\n');
    const QByteArray path = newline < 0 ? all : all.left(newline);
    const QByteArray body = newline < 0 ? QByteArray() : all.mid(newline + 1);
    const WebApi::Request r = WebApi::Parse(methods[data[0] % 4], path, body, {16, 16, 30});
    if (r.kind == WebApi::Kind::Error && (r.status < 400 || r.status > 499 || r.error.isEmpty()))
        __builtin_trap();
    for (const WebApi::Route &route : r.routes) {
        if (route.output < 0 || route.output >= 16 || route.input < 0 || route.input >= 16)
            __builtin_trap();
    }
    return 0;
}
