#pragma once

#include <QtGlobal>

// Codes and lists of the device's peripheral command, as the peripheral page
// uses it for its IO groups and its user command lines.

namespace PeripheralIo {
constexpr int Channels = 4; // per group, labelled "1" to "4"
constexpr quint8 Lead = 0x00;
constexpr quint8 Read = 0x80;
constexpr quint8 Write = 0x00;
constexpr quint8 ReadData = 0x00;
constexpr quint8 StateMask = 0x0F;

enum class Group : quint8 { IoInputs = 1, IoOutputs = 2, Relays = 3 };

// Ids of the two buttons of a channel: "High"/"On" shows a set bit.
constexpr int FirstButtonId = 0;
constexpr int SecondButtonId = 1;
} // namespace PeripheralIo

namespace UserCmd {
// A user command line goes out through the device with this group byte;
// the device passes it on and answers nothing.
constexpr quint8 PassThroughGroup = 0x00;
constexpr quint32 NoPauseMs = 0;
// Target codes of the lines' targets: the peripheral port, an input, an output.
constexpr quint8 TargetCodes[] = {0x00, 0x41, 0x02};
constexpr int PeripheralTarget = 0;
constexpr int InputTarget = 1;
constexpr int OutputTarget = 2;
constexpr quint8 AllPorts = 0xFF;
constexpr const char *BaudRates[] = {"9600", "19200", "38400", "57600", "115200"};
constexpr int MinPayloadBytes = 1;
constexpr int MaxPayloadBytes = 250;
// A group send remembers up to this many lines.
constexpr int SendListSize = 10;
constexpr const char DefaultDelay[] = "1000";
constexpr int OrderDigits = 2;
constexpr int DelayDigits = 5;
} // namespace UserCmd
