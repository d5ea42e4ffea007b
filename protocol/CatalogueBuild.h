#pragma once

#include "protocol/CommandChannel.h"

#include <QByteArray>
#include <QtGlobal>

#include <initializer_list>

// Shared steps of the catalogue builders: frame the payload, describe the
// expected reply and the timing, queue.
namespace CatalogueBuild {

constexpr quint32 MaxDevicePayload = 255;
constexpr quint32 RoutingPrefixLength = 3;
constexpr quint32 BindBytes = 10;
constexpr quint32 NameBytes = 40;
constexpr quint32 FrontPanelLineBytes = 16;

// How the reply is recognised.
struct Expect
{
    enum class Kind { EchoFrame, Prefix, AnyReply };
    Kind kind;
    quint32 length;    // echo length, or the minimum reply length of AnyReply
    QByteArray prefix; // Kind::Prefix only
};

Expect Echo(quint32 length);
Expect Prefix(const QByteArray &prefix);
Expect AnyReplyOf(quint32 length);
// Routing commands are answered by a routing report.
Expect RoutingReport();

struct Timing
{
    bool waitReply;
    quint32 ms;
    bool report;
};

constexpr Timing Reply(quint32 ms, bool report)
{
    return Timing{true, ms, report};
}

constexpr Timing Pause(quint32 ms, bool report)
{
    return Timing{false, ms, report};
}

// Queue a device command (false when the payload is over 255 bytes, no
// link is up or the frame does not fit).
bool QueueDevice(quint8 code, const QByteArray &payload, const Expect &expect, const Timing &timing);
// The same, or in place of the newest queued command that replaces() names
// (see ReplaceQueuedDeviceCommand).
bool QueueDeviceLatest(quint8 code, const QByteArray &payload, const Expect &expect, const Timing &timing,
                       const QueuedFrameTest &replaces, const QueuedFrameTest &mayPass);
// Queue a network-module command on the UDP channel.
bool QueueModule(quint8 code, const QByteArray &payload, const Expect &expect, const Timing &timing);

// The MAC and the fixed credentials that lead every module request but the
// search. Empty when the MAC is longer than six bytes or missing.
QByteArray ModuleLead(const quint8 *mac, quint32 macLength, bool *ok);

bool InputInRange(quint32 in);
bool OutputInRange(quint32 out);

// A payload from byte values (each taken modulo 256).
QByteArray Bytes(std::initializer_list<quint32> values);
// Append a 16-bit value, high byte first.
void AppendWord(QByteArray &payload, quint32 value);
// Append text bytes as a fixed-size, zero-padded field.
void AppendField(QByteArray &payload, const QByteArray &text, int size);

} // namespace CatalogueBuild
