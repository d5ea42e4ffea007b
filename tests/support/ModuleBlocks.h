#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// A network module's 130-byte configuration block whose every byte is
// random (from the seed) except where a field must hold a value the system
// page can show: a NUL-padded name ("Hall A"), a listed baud rate (115200),
// a pack length in range (1024), a valid connect count (4), readable
// addresses (192.168.0.10, mask 255.255.255.0, gateway 192.168.0.1), and
// bit 31 of the flags as asked.
QByteArray RandomModuleBlock(quint32 seed, bool staticIp);
