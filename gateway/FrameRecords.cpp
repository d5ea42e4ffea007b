#include "gateway/FrameRecords.h"

#include "protocol/Frames.h"

#include <cstring>

namespace {

constexpr quint32 ReplyMs = 2000;
constexpr quint32 ShortReplyMs = 1000;
constexpr quint32 FeatureReadMs = 800;
constexpr quint32 SwitchAllMs = 6000;
constexpr quint32 WallSelectMs = 4000;
constexpr quint32 OutputModeMs = 3000;
constexpr quint32 LayoutPauseMs = 1000;
constexpr quint32 WritePauseMs = 300;
constexpr quint8 ReadBit = 0x80;
constexpr int NameBytes = 40;

quint8 At(const QByteArray &frame, int i)
{
    return i < frame.size() ? quint8(frame.at(i)) : 0;
}

quint8 P(const QByteArray &frame, int i)
{
    return At(frame, int(Frame::DevicePayloadOffset) + i);
}

CommandRecord Reply(const QByteArray &frame, quint32 prefix, quint32 ms)
{
    CommandRecord r = EmptyCommandRecord();
    const quint32 n = qMin(prefix, quint32(frame.size()));
    std::memcpy(r.expected[0], frame.constData(), n);
    r.expectedLength[0] = n;
    r.expectedCount = 1;
    r.waitReply = 1;
    r.replyTimeoutMs = ms;
    r.reportTimeout = 1;
    return r;
}

CommandRecord RoutingReply(quint32 ms)
{
    const char prefix[] = {char(Frame::DeviceStart), char(Frame::DeviceStart), char(DeviceCode::Routing)};
    return Reply(QByteArray(prefix, 3), 3, ms);
}

CommandRecord Pause(quint32 ms)
{
    CommandRecord r = EmptyCommandRecord();
    r.pauseMs = ms;
    r.reportTimeout = 1;
    return r;
}

} // namespace

CommandRecord RecordForFrame(const QByteArray &frame)
{
    const quint8 code = At(frame, int(Frame::DeviceCommandOffset));
    const quint8 dir = P(frame, 1);
    const bool read = dir & ReadBit;
    switch (code) {
    case DeviceCode::Switch:
        return RoutingReply(P(frame, 1) == DeviceCode::AllOutputs ? SwitchAllMs : ReplyMs);
    case DeviceCode::RoutingRead:
        return RoutingReply(ReplyMs);
    case DeviceCode::TvWallInputSelect:
        return RoutingReply(WallSelectMs);
    case 0x02: // layout save
    case 0x03: // layout load
    case 0xAA: // reset
        return Pause(LayoutPauseMs);
    case 0x40: // panel resolutions
    case 0x8F: // wall cell angle, screen, bezel, mode
    case 0x90:
    case 0x91:
    case 0x92:
    case 0xA5: // wall apply
        return Pause(WritePauseMs);
    case 0x93: // wall
        return read ? Reply(frame, 3, ReplyMs) : Pause(WritePauseMs);
    case DeviceCode::NameOrSerial:
        return read ? Reply(frame, 6, ShortReplyMs) : Pause(WritePauseMs);
    case 0x44: // front panel text
        return read ? Reply(frame, 5, ShortReplyMs) : Pause(WritePauseMs);
    case 0x33: // peripherals: group 0 are the user's own lines, no reply
        return P(frame, 2) != 0 ? Reply(frame, 3, ReplyMs) : Pause(WritePauseMs);
    case 0x7F: // signal information
    case 0x9A: // device information
    case 0x9C: // multiview
        return Reply(frame, 3, ReplyMs);
    case DeviceCode::DeviceType:
        return Reply(frame, 3, ShortReplyMs);
    case 0x49: // feature switches
        // Reads, and the per-output switches (direction 0x30), wait less.
        return Reply(frame, 7, read || dir == 0x30 ? FeatureReadMs : ReplyMs);
    case 0xB8: // EDID block
        return Reply(frame, 7, ShortReplyMs);
    case 0xBE: // N+1 backup
        return Reply(frame, 4, ReplyMs);
    case 0xC2: // input EDID mode
        return Reply(frame, 6, ShortReplyMs);
    case 0xA1: // output mode
        return Reply(frame, 6, OutputModeMs);
    case 0x9B: // AT command: its text
        return Reply(frame, qMax<quint32>(3, At(frame, int(Frame::DeviceLengthOffset))), ReplyMs);
    default:
        return Reply(frame, 6, ReplyMs);
    }
}

QVector<int> OutputsSwitchedBy(const QByteArray &frame, int outputCount)
{
    QVector<int> outputs;
    const quint8 code = At(frame, int(Frame::DeviceCommandOffset));
    const int n = At(frame, int(Frame::DeviceLengthOffset));
    if (code == DeviceCode::Switch && n >= 2) {
        if (P(frame, 1) == DeviceCode::AllOutputs) {
            for (int o = 0; o < outputCount; ++o)
                outputs.append(o);
        } else {
            outputs.append(P(frame, 1));
        }
    } else if (code == DeviceCode::TvWallInputSelect) {
        for (int i = 2; i < n; i += 2)
            outputs.append(P(frame, i));
    }
    return outputs;
}

QByteArray PackedDeviceFrame(quint8 command, const QByteArray &payload)
{
    quint8 out[Frame::BufferSize];
    const quint32 n =
        PackDeviceFrame(command, reinterpret_cast<const quint8 *>(payload.constData()), quint32(payload.size()), out);
    return QByteArray(reinterpret_cast<const char *>(out), int(n));
}

QByteArray SwitchFrame(int input, int output)
{
    QByteArray payload;
    payload.append(char(input)).append(char(output));
    return PackedDeviceFrame(DeviceCode::Switch, payload);
}

QByteArray RoutingReadFrame()
{
    return PackedDeviceFrame(DeviceCode::RoutingRead, QByteArray(1, '\0'));
}

QByteArray DeviceTypeReadFrame()
{
    return PackedDeviceFrame(DeviceCode::DeviceType, QByteArray(3, '\0'));
}

QByteArray NameReadFrame(bool serialNumber)
{
    QByteArray payload(2 + NameBytes, '\0');
    payload[1] = char(serialNumber ? 0x80 : 0x81);
    return PackedDeviceFrame(DeviceCode::NameOrSerial, payload);
}

QByteArray RoutingReplyFrame(const QVector<int> &routing)
{
    QByteArray payload;
    for (int input : routing)
        payload += char(input);
    return PackedDeviceFrame(DeviceCode::Routing, payload);
}
