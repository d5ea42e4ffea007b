#include "tools/devsim/SimRequest.h"

namespace {
constexpr int BitsPerByte = 8;
constexpr quint16 ByteMask = 0xFF;
} // namespace

quint8 SimRequest::p(int i) const
{
    return i >= 0 && i < payload.size() ? quint8(payload[i]) : 0;
}

quint16 SimRequest::pair(int i) const
{
    return quint16((p(i) << BitsPerByte) | p(i + 1));
}

bool ParseSimRequest(const QByteArray &frame, SimRequest &request)
{
    if (frame.size() < SimWire::DeviceOverhead)
        return false;
    request.frame = frame;
    request.code = quint8(frame[SimWire::DeviceCodeAt]);
    request.payload = frame.mid(SimWire::DevicePayloadAt, frame.size() - SimWire::DeviceOverhead);
    return true;
}

QByteArray EchoWith(const SimRequest &request, int i, quint8 value)
{
    QByteArray payload = request.payload;
    if (i >= 0 && i < payload.size())
        payload[i] = char(value);
    return payload;
}

void AppendPair(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value >> BitsPerByte));
    bytes.append(char(value & ByteMask));
}
