#include "protocol/CatalogueBuild.h"

#include "protocol/CatalogueCodes.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"

#include <cstring>

namespace CatalogueBuild {

namespace {

constexpr char Credentials[] = "qzvkp\0qzvkp";      // user name and password, each NUL-terminated
constexpr int CredentialBytes = sizeof Credentials; // includes the final NUL
constexpr quint8 RoutingPrefix[] = {Frame::DeviceStart, Frame::DeviceStart, Cmd::RoutingReply};
constexpr quint8 HighByteShift = 8;
constexpr quint32 ByteMask = 0xFF;

CommandRecord MakeRecord(const quint8 *frame, quint32 frameLength, const Expect &expect, const Timing &timing)
{
    CommandRecord record = EmptyCommandRecord();
    switch (expect.kind) {
    case Expect::Kind::EchoFrame: {
        const quint32 n = qMin(expect.length, frameLength);
        std::memcpy(record.expected[0], frame, n);
        record.expectedLength[0] = n;
        break;
    }
    case Expect::Kind::Prefix: {
        const quint32 n = qMin<quint32>(quint32(expect.prefix.size()), Frame::BufferSize);
        std::memcpy(record.expected[0], expect.prefix.constData(), n);
        record.expectedLength[0] = n;
        break;
    }
    case Expect::Kind::AnyReply:
        record.acceptAnyReply = 1;
        record.expectedLength[0] = expect.length;
        break;
    }
    record.expectedCount = 1;
    record.waitReply = timing.waitReply ? 1 : 0;
    if (timing.waitReply)
        record.replyTimeoutMs = timing.ms;
    else
        record.pauseMs = timing.ms;
    record.reportTimeout = timing.report ? 1 : 0;
    return record;
}

} // namespace

Expect Echo(quint32 length)
{
    return Expect{Expect::Kind::EchoFrame, length, QByteArray()};
}

Expect Prefix(const QByteArray &prefix)
{
    return Expect{Expect::Kind::Prefix, quint32(prefix.size()), prefix};
}

Expect AnyReplyOf(quint32 length)
{
    return Expect{Expect::Kind::AnyReply, length, QByteArray()};
}

Expect RoutingReport()
{
    QByteArray prefix;
    for (quint8 b : RoutingPrefix)
        prefix.append(char(b));
    return Prefix(prefix);
}

bool QueueDevice(quint8 code, const QByteArray &payload, const Expect &expect, const Timing &timing)
{
    if (quint32(payload.size()) > MaxDevicePayload)
        return false;
    quint8 frame[Frame::BufferSize];
    const quint32 length =
        PackDeviceFrame(code, reinterpret_cast<const quint8 *>(payload.constData()), quint32(payload.size()), frame);
    if (length == 0)
        return false;
    return EnqueueDeviceCommand(frame, length, MakeRecord(frame, length, expect, timing));
}

bool QueueDeviceLatest(quint8 code, const QByteArray &payload, const Expect &expect, const Timing &timing,
                       const QueuedFrameTest &replaces, const QueuedFrameTest &mayPass)
{
    if (quint32(payload.size()) > MaxDevicePayload)
        return false;
    quint8 frame[Frame::BufferSize];
    const quint32 length =
        PackDeviceFrame(code, reinterpret_cast<const quint8 *>(payload.constData()), quint32(payload.size()), frame);
    if (length == 0)
        return false;
    const CommandRecord record = MakeRecord(frame, length, expect, timing);
    if (ReplaceQueuedDeviceCommand(frame, length, record, replaces, mayPass))
        return true;
    return EnqueueDeviceCommand(frame, length, record);
}

bool QueueModule(quint8 code, const QByteArray &payload, const Expect &expect, const Timing &timing)
{
    quint8 frame[Frame::BufferSize];
    const quint32 length =
        PackModuleFrame(code, reinterpret_cast<const quint8 *>(payload.constData()), quint32(payload.size()), frame);
    if (length == 0)
        return false;
    return EnqueueModuleCommand(frame, length, MakeRecord(frame, length, expect, timing));
}

QByteArray ModuleLead(const quint8 *mac, quint32 macLength, bool *ok)
{
    *ok = macLength <= DeviceLimits::ModuleMacBytes && (mac || macLength == 0);
    if (!*ok)
        return QByteArray();
    QByteArray lead(reinterpret_cast<const char *>(mac), int(macLength));
    lead.append(Credentials, CredentialBytes);
    return lead;
}

bool InputInRange(quint32 in)
{
    return in < Device().inputCount;
}

bool OutputInRange(quint32 out)
{
    return out < Device().outputCount;
}

QByteArray Bytes(std::initializer_list<quint32> values)
{
    QByteArray payload;
    payload.reserve(int(values.size()));
    for (quint32 value : values)
        payload.append(char(value & ByteMask));
    return payload;
}

void AppendWord(QByteArray &payload, quint32 value)
{
    payload.append(char((value >> HighByteShift) & ByteMask));
    payload.append(char(value & ByteMask));
}

void AppendField(QByteArray &payload, const QByteArray &text, int size)
{
    const QByteArray field = text.left(size);
    payload.append(field);
    payload.append(QByteArray(size - field.size(), '\0'));
}

} // namespace CatalogueBuild
