#pragma once

#include "protocol/CommandChannel.h"

#include <QByteArray>
#include <QVector>

// How the reply to a device frame is recognised and how long the queue
// waits for it, worked out from the frame itself, the same as the command
// catalogue records it for the command those bytes are. The gateway queues
// frames from clients that arrive without a record, and its own, this way.
// Every record asks for its timeout to be reported, so that the gateway
// always learns when the command in flight has ended.
CommandRecord RecordForFrame(const QByteArray &frame);

namespace DeviceCode {
constexpr quint8 Switch = 0x01;
constexpr quint8 Routing = 0x11;
constexpr quint8 RoutingRead = 0x12;
constexpr quint8 TvWallInputSelect = 0x94;
constexpr quint8 NameOrSerial = 0x47;
constexpr quint8 DeviceType = 0x95;
constexpr quint8 AllOutputs = 0xFF;
} // namespace DeviceCode

// The outputs a frame would switch (empty for any other command); every
// output of the device for a switch to all outputs.
QVector<int> OutputsSwitchedBy(const QByteArray &frame, int outputCount);

// Device frames the gateway sends itself.
QByteArray PackedDeviceFrame(quint8 command, const QByteArray &payload);
QByteArray SwitchFrame(int input, int output);
QByteArray RoutingReadFrame();
QByteArray DeviceTypeReadFrame();
QByteArray NameReadFrame(bool serialNumber);
// The routing reply the device would send for this table.
QByteArray RoutingReplyFrame(const QVector<int> &routing);
