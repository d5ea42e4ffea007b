#include "tools/devsim/SimWire.h"

namespace {
constexpr quint32 ByteMask = 0xFF;
} // namespace

quint8 SimDeviceChecksum(const QByteArray &frame)
{
    const int checksumAt = frame.size() - SimWire::DeviceTrailer;
    quint32 sum = 0;
    for (int i = 0; i < frame.size(); ++i) {
        if (i != checksumAt)
            sum += quint8(frame[i]);
    }
    return quint8(sum & ByteMask);
}

QByteArray SimDeviceFrame(quint8 code, const QByteArray &payload)
{
    const QByteArray body = payload.left(SimWire::DeviceMaxPayload);
    QByteArray frame;
    frame.reserve(body.size() + SimWire::DeviceOverhead);
    frame.append(char(SimWire::DeviceStart));
    frame.append(char(SimWire::DeviceStart));
    frame.append(char(code));
    frame.append(char(body.size()));
    frame.append(body);
    frame.append('\0');
    frame.append(char(SimWire::DeviceEnd));
    frame.append(char(SimWire::DeviceEnd));
    frame[frame.size() - SimWire::DeviceTrailer] = char(SimDeviceChecksum(frame));
    return frame;
}

quint8 SimModuleChecksum(const QByteArray &frame)
{
    quint32 sum = 0;
    for (int i = SimWire::ModuleLengthAt; i < frame.size() - 1; ++i)
        sum += quint8(frame[i]);
    return quint8(sum & ByteMask);
}

QByteArray SimModuleFrame(quint8 code, const QByteArray &payload)
{
    QByteArray frame;
    frame.reserve(payload.size() + SimWire::ModuleOverhead);
    frame.append(char(SimWire::ModuleStart));
    frame.append(char(payload.size() + 1));
    frame.append(char(code));
    frame.append(payload);
    frame.append('\0');
    frame[frame.size() - 1] = char(SimModuleChecksum(frame));
    return frame;
}
