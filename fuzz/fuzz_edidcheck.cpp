// Feeds arbitrary file contents to the EDID check: the image is cut or
// padded to its 256 bytes and checked; the sanitizers report any read
// outside it.
#include "protocol/EdidCheck.h"

#include <QByteArray>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), int(size < size_t(INT32_MAX) ? size : 0));
    const QByteArray image = EdidImageFromBytes(file);
    const EdidCheck result = CheckEdid(reinterpret_cast<const quint8 *>(image.constData()));
    (void)EdidCheckMessage(result);
    return 0;
}
