#include "tools/devsim/SimRequest.h"

#include "protocol/Frames.h"

namespace {
constexpr int MaxPayload = 255;
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
    if (frame.size() < int(Frame::DeviceOverhead))
        return false;
    request.frame = frame;
    request.code = quint8(frame[int(Frame::DeviceCommandOffset)]);
    request.payload = frame.mid(int(Frame::DevicePayloadOffset), frame.size() - int(Frame::DeviceOverhead));
    return true;
}

QByteArray SimDeviceFrame(quint8 code, const QByteArray &payload)
{
    const QByteArray body = payload.left(MaxPayload);
    QByteArray frame(body.size() + int(Frame::DeviceOverhead), '\0');
    const quint32 length = PackDeviceFrame(code, reinterpret_cast<const quint8 *>(body.constData()),
                                           quint32(body.size()), reinterpret_cast<quint8 *>(frame.data()));
    frame.resize(int(length));
    return frame;
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
