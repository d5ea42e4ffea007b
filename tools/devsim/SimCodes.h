#pragma once

#include <QtGlobal>

// The device's command codes as the simulator knows them. Kept apart from
// the program's catalogue on purpose: the simulator plays the device, so a
// wrong code in the program shows up as a failure instead of being copied.
namespace SimCode {
constexpr quint8 Switch = 0x01;
constexpr quint8 LayoutSave = 0x02;
constexpr quint8 LayoutLoad = 0x03;
constexpr quint8 RoutingReport = 0x11;
constexpr quint8 RoutingRead = 0x12;
constexpr quint8 Peripheral = 0x33;
constexpr quint8 PanelResolution = 0x40;
constexpr quint8 FrontPanel = 0x44;
constexpr quint8 InputBind = 0x45;
constexpr quint8 NameSerial = 0x47;
constexpr quint8 Feature = 0x49;
constexpr quint8 SignalInfo = 0x7F;
constexpr quint8 WallAngle = 0x8F;
constexpr quint8 WallScreen = 0x90;
constexpr quint8 WallBezel = 0x91;
constexpr quint8 WallSyncLock = 0x92;
constexpr quint8 TvWall = 0x93;
constexpr quint8 WallInputSelect = 0x94;
constexpr quint8 DeviceType = 0x95;
constexpr quint8 Firmware = 0x96;
constexpr quint8 DeviceInfo = 0x9A;
constexpr quint8 ModuleAt = 0x9B;
constexpr quint8 Multiview = 0x9C;
constexpr quint8 MvGeometry = 0x9D;
constexpr quint8 MvLayer = 0x9F;
constexpr quint8 MvStatus = 0xA0;
constexpr quint8 OutputMode = 0xA1;
constexpr quint8 MvAudio = 0xA2;
constexpr quint8 Resolution = 0xA4;
constexpr quint8 WallApply = 0xA5;
constexpr quint8 Reset = 0xAA;
constexpr quint8 SignalType = 0xB0;
constexpr quint8 SignalFormat = 0xB1;
constexpr quint8 Edid = 0xB8;
constexpr quint8 Rotate = 0xBA;
constexpr quint8 NPlus1Backup = 0xBE;
constexpr quint8 EdidMode = 0xC2;
constexpr quint8 InputAudio = 0xC4;
constexpr quint8 NoSignalMode = 0xD7;
constexpr quint8 TestPattern = 0xD8;
constexpr quint8 LRInput = 0xD9;
constexpr quint8 Error = 0xFF;
} // namespace SimCode

// Payload byte 1 of most requests.
namespace SimDir {
constexpr quint8 Read = 0x80;
constexpr quint8 Input = 0x40;
constexpr quint8 SelectorMask = 0x0F;
} // namespace SimDir

// Feature numbers of command 0x49.
namespace SimFeature {
constexpr quint8 AllBind = 1;
constexpr quint8 Report = 2;
constexpr quint8 Freeze = 3;
constexpr quint8 Ir = 4;
constexpr quint8 Mute = 5;
constexpr quint8 NPlus1 = 6;
constexpr quint8 Black = 7;
} // namespace SimFeature

// Network-module command codes.
namespace SimNetCode {
constexpr quint8 Search = 0x01;
constexpr quint8 ReadConfig = 0x03;
constexpr quint8 Apply = 0x04;
constexpr quint8 BasicWrite = 0x05;
constexpr quint8 PortWrite = 0x06;
constexpr quint8 LoadDefault = 0x0B;
constexpr quint8 Done = 'K';
constexpr quint8 Failed = 'E';
} // namespace SimNetCode
