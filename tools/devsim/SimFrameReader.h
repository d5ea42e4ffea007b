#pragma once

#include <QByteArray>
#include <QList>

// Cuts the program's request frames out of a byte stream as the device
// does: a frame starts at 7B 7B, its length byte says where it ends, and it
// counts only with a right checksum (or 0x99) and 7D 7D behind it. Bytes
// that belong to no such frame are dropped; a frame split over several
// chunks is completed across them.
class SimFrameReader
{
public:
    // The frames completed by this chunk, oldest first.
    QList<QByteArray> feed(const QByteArray &chunk);

private:
    QByteArray m_pending;
};
