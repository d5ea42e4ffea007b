#pragma once

#include <QtGlobal>

// Command codes of the device (byte 2 of a device frame). Replies carry the
// code of the request they answer, except routing, which always answers
// with RoutingReply.
namespace Cmd {
constexpr quint8 Switch = 0x01;
constexpr quint8 LayoutSave = 0x02;
constexpr quint8 LayoutLoad = 0x03;
constexpr quint8 RoutingReply = 0x11;
constexpr quint8 RoutingRead = 0x12;
constexpr quint8 Peripheral = 0x33;
constexpr quint8 PanelResolution = 0x40;
constexpr quint8 FrontPanelText = 0x44;
constexpr quint8 InputBind = 0x45;
constexpr quint8 NameSerial = 0x47;
constexpr quint8 FeatureSwitch = 0x49;
constexpr quint8 SignalInfo = 0x7F;
constexpr quint8 WallAngle = 0x8F;
constexpr quint8 WallScreen = 0x90;
constexpr quint8 WallBezel = 0x91;
constexpr quint8 WallScreenMode = 0x92;
constexpr quint8 TvWall = 0x93;
constexpr quint8 WallInputSelect = 0x94;
constexpr quint8 DeviceType = 0x95;
constexpr quint8 FirmwareVersion = 0x96;
constexpr quint8 DeviceInfo = 0x9A;
constexpr quint8 ModuleAt = 0x9B;
constexpr quint8 Multiview = 0x9C;
constexpr quint8 MvGeometry = 0x9D;
constexpr quint8 MvCrop = 0x9E;
constexpr quint8 MvLayer = 0x9F;
constexpr quint8 MvStatus = 0xA0;
constexpr quint8 OutputMode = 0xA1;
constexpr quint8 MvAudio = 0xA2;
constexpr quint8 AllOutputModes = 0xA3;
constexpr quint8 OutputResolution = 0xA4;
constexpr quint8 WallApply = 0xA5;
constexpr quint8 DeviceReset = 0xAA;
constexpr quint8 SignalType = 0xB0;
constexpr quint8 SignalFormat = 0xB1;
constexpr quint8 Edid = 0xB8;
constexpr quint8 Rotate = 0xBA;
constexpr quint8 NPlus1Backup = 0xBE;
constexpr quint8 InputEdidMode = 0xC2;
constexpr quint8 InputAudio = 0xC4;
constexpr quint8 NoSignalMode = 0xD7;
constexpr quint8 TestPattern = 0xD8;
constexpr quint8 LRInput = 0xD9;
constexpr quint8 Error = 0xFF;
} // namespace Cmd

// Payload byte 1 of most device commands: bit 7 asks for a report (read),
// bit 6 addresses the input side.
namespace Dir {
constexpr quint8 ReadFlag = 0x80;
constexpr quint8 InputFlag = 0x40;
constexpr quint8 ReadOutput = 0x80;
constexpr quint8 ReadInput = 0xC0;
constexpr quint8 WriteOutput = 0x00;
constexpr quint8 WriteInput = 0x40;
constexpr quint8 WriteInputType = 0x60;
constexpr quint8 FeatureRead = 0xF0; // 0x45 / 0x49 reads of device-wide switches
constexpr quint8 FeatureWrite = 0x70;
constexpr quint8 IrRead = 0xA0;
constexpr quint8 IrWrite = 0x20;
constexpr quint8 OutputFeature = 0x30; // per-output switches of 0x49
constexpr quint8 NameRead = 0x81;      // 0x44 / 0x47 second byte
constexpr quint8 NameWrite = 0x01;
constexpr quint8 SerialRead = 0x80;
constexpr quint8 SerialWrite = 0x00;
constexpr quint8 SelectorMask = 0x0F;
constexpr quint8 FrontPanelMask = 0x3F;
} // namespace Dir

// Feature numbers of command 0x49 (payload byte 2).
namespace Feature {
constexpr quint8 AllBind = 1;
constexpr quint8 Report = 2;
constexpr quint8 Freeze = 3;
constexpr quint8 Ir = 4;
constexpr quint8 Mute = 5;
constexpr quint8 NPlus1 = 6;
constexpr quint8 Black = 7;
} // namespace Feature

// Command codes of the network module (byte 2 of a module frame).
namespace NetCmd {
constexpr quint8 Search = 0x01;
constexpr quint8 ReadConfig = 0x03;
constexpr quint8 ApplyConfig = 0x04;
constexpr quint8 BasicConfigWrite = 0x05;
constexpr quint8 PortConfigWrite = 0x06;
constexpr quint8 LoadDefault = 0x0B;
constexpr quint8 AckLength = 0x01; // byte 1 of a 4-byte acknowledgement
constexpr quint8 SearchReplyLength = 0x24;
constexpr quint8 LoadDefaultDone = 'K';
constexpr quint8 LoadDefaultFailed = 'E';
} // namespace NetCmd

// How long the queue waits for a reply, or pauses after a command that
// expects none, in milliseconds.
namespace Wait {
constexpr quint32 Short = 300;
constexpr quint32 Feature = 800;
constexpr quint32 Edid = 1000;
constexpr quint32 Second = 1000;
constexpr quint32 Normal = 2000;
constexpr quint32 OutputMode = 3000;
constexpr quint32 WallInputSelect = 4000;
constexpr quint32 AllOutputs = 6000;
} // namespace Wait
