#pragma once

#include <QByteArray>
#include <QList>

#include <memory>

struct CommandChannel;

// Cuts the byte stream of one device-port client into device frames with
// the protocol layer's stream assembler, and lets through only frames that
// are whole and correct: start bytes, a length byte that matches the bytes
// received, a good checksum (or the wildcard the device accepts) and the
// end bytes. A frame still arriving is kept for the next chunk; anything
// else is dropped, so broken or partial frames never reach the device.
// Each frame comes out re-encoded by the frame codec, checksum included.
class ClientFramer
{
public:
    // Chunks are handed to the assembler in slices of this size, far below
    // its buffer, so its overflow rule never cuts a frame of a well-behaved
    // client.
    static constexpr qint64 SliceBytes = 1024;

    ClientFramer();
    ~ClientFramer();
    ClientFramer(const ClientFramer &) = delete;
    ClientFramer &operator=(const ClientFramer &) = delete;

    QList<QByteArray> feed(const char *data, qint64 size);
    // Frames the assembler completed but that failed a check.
    int rejected() const { return m_rejected; }
    // Bytes held for a frame still arriving.
    quint32 heldBytes() const;

private:
    std::unique_ptr<CommandChannel> m_channel;
    int m_rejected = 0;
};

// The frame re-encoded when it is a whole, correct device frame; empty
// otherwise.
QByteArray CanonicalDeviceFrame(const QByteArray &frame);
