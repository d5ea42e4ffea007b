#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace SimEdid {
constexpr int BlockBytes = 128;
constexpr int TotalBytes = 256;
} // namespace SimEdid

// A 256-byte EDID with valid checksums. On an output it is the display's:
// outputs take a television (base block and a CEA extension), monitors and
// a projector (base block only, the second half zero) in turn; on an input
// it is the device's own, with an extension. The port number makes every
// image distinct.
QByteArray MakeSimEdid(int port, bool inputSide);

// Whether every 128-byte block sums to 0 modulo 256.
bool SimEdidChecksumsValid(const QByteArray &edid);
