#pragma once

#include <QtGlobal>

#include <functional>

struct CommandChannel;

// The two byte framings. A device frame is
//   7B 7B cmd n payload[n] checksum 7D 7D
// with the checksum the low byte of the sum of every other byte; a network
// module frame is
//   FF (n+1) cmd payload[n] checksum
// with the checksum the low byte of the sum from the length byte on.
namespace Frame {
constexpr quint8 DeviceStart = 0x7B;
constexpr quint8 DeviceEnd = 0x7D;
constexpr quint8 ChecksumWildcard = 0x99; // accepted whatever the sum
constexpr quint8 ModuleStart = 0xFF;
constexpr quint32 BufferSize = 2048;
constexpr quint32 DeviceOverhead = 7;
constexpr quint32 ModuleOverhead = 4;
constexpr quint32 DevicePayloadOffset = 4;
constexpr quint32 DeviceLengthOffset = 3;
constexpr quint32 DeviceCommandOffset = 2;
} // namespace Frame

// Writes the frame into out (which must hold n + 7 bytes) and returns its
// length; returns 0 and writes nothing when the frame would exceed 2048 bytes.
quint32 PackDeviceFrame(quint8 command, const quint8 *payload, quint32 n, quint8 *out);
// The same for a network-module frame (n + 4 bytes).
quint32 PackModuleFrame(quint8 command, const quint8 *payload, quint32 n, quint8 *out);

// Called for each frame completed on a channel, after it was put on the
// channel's receive queue; the frame bytes are in the channel's rxBuffer.
using FrameSink = std::function<void(const quint8 *frame, quint32 length)>;

// Cuts device frames out of a serial or TCP byte stream. The assembler state
// lives in the channel and survives between chunks and connections.
void AssembleDeviceStream(CommandChannel &channel, const char *chunk, qint64 size, const FrameSink &sink);

// One datagram is one frame: it is queued whole and handed to the sink
// without any framing checks. Returns false for a datagram that was dropped.
bool ReceiveDatagram(CommandChannel &channel, const char *datagram, qint64 size, const FrameSink &sink);
