#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace SimEdid {
constexpr int BlockBytes = 128;
constexpr int TotalBytes = 256;
} // namespace SimEdid

// A 256-byte EDID (base block and one CEA extension), both blocks with
// valid checksums. The port number and side make every image distinct.
QByteArray MakeSimEdid(int port, bool inputSide);

// Whether every 128-byte block sums to 0 modulo 256.
bool SimEdidChecksumsValid(const QByteArray &edid);
