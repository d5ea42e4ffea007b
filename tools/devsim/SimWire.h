#pragma once

#include <QByteArray>
#include <QtGlobal>

// The two framings on the wire, written from the protocol description and
// kept apart from the program's own encoders, so that a fault in either
// end shows up as a frame the other end refuses.
//
// Device frame: 7B 7B code n payload(n) checksum 7D 7D, the checksum the low
// byte of the sum of every other byte (0x99 is accepted whatever the sum).
// Module frame: FF (n + 1) code payload(n) checksum, the checksum the low
// byte of the sum of the bytes from the length byte on.
namespace SimWire {
constexpr quint8 DeviceStart = 0x7B;
constexpr quint8 DeviceEnd = 0x7D;
constexpr int DeviceCodeAt = 2;
constexpr int DeviceLengthAt = 3;
constexpr int DevicePayloadAt = 4;
constexpr int DeviceOverhead = 7; // two start bytes, code, length, checksum, two end bytes
constexpr int DeviceTrailer = 3;  // checksum and the two end bytes
constexpr int DeviceMaxPayload = 255;
constexpr quint8 AnyChecksum = 0x99;

constexpr quint8 ModuleStart = 0xFF;
constexpr int ModuleLengthAt = 1;
constexpr int ModuleCodeAt = 2;
constexpr int ModulePayloadAt = 3;
constexpr int ModuleOverhead = 4; // start, length, code, checksum
} // namespace SimWire

// The checksum a device frame of this size should carry: the sum of its
// bytes except the checksum position.
quint8 SimDeviceChecksum(const QByteArray &frame);
// A device frame with this code and payload (the payload cut at 255 bytes).
QByteArray SimDeviceFrame(quint8 code, const QByteArray &payload);

// The checksum of a module frame: the sum from the length byte up to the
// checksum position.
quint8 SimModuleChecksum(const QByteArray &frame);
QByteArray SimModuleFrame(quint8 code, const QByteArray &payload);
