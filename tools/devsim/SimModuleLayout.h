#pragma once

#include <QtGlobal>

// Where the network module keeps each setting in its 130-byte configuration
// block, as the module itself lays it out: a basic part (bytes 0-66) and a
// port part (67-129). Numbers are little-endian; addresses are stored last
// octet first.
namespace SimBlock {
constexpr int Size = 130;
constexpr int BasicSize = 67;
constexpr int PortOffset = 67;
constexpr int PortSize = 63;
constexpr int Flags = 0; // bit 31: static address
constexpr quint32 StaticIpFlag = 0x80000000u;
constexpr int UpnpPort = 4;
constexpr int HttpPort = 6;
constexpr int Ip = 9;
constexpr int Gateway = 13;
constexpr int Mask = 17;
constexpr int Name = 21;
constexpr int NameSize = 16;
constexpr int User = 37;
constexpr int Password = 43;
constexpr int CredentialSize = 6;
constexpr int DeviceId = 50;
constexpr int DeviceIdType = 52;
constexpr int Mac = 53;
constexpr int MacSize = 6;
// Offsets inside the port part.
constexpr int Baud = 0;
constexpr int DataBits = 4;
constexpr int Parity = 5;
constexpr int StopBits = 6;
constexpr int Flow = 7;
constexpr int LocalPort = 12;
constexpr int RemotePort = 14;
constexpr int RemoteHost = 16;
constexpr int RemoteHostSize = 30;
constexpr int WorkMode = 51;
constexpr int ServerStyle = 58;
} // namespace SimBlock

// A module's answer to the search: 36 bytes beginning FF 24 01, the address
// first octet first, the MAC, the firmware version (little-endian) and the
// name; the last byte sums the record from its length byte on.
namespace SimSearch {
constexpr int Size = 36;
constexpr quint8 Length = 0x24;
constexpr int Command = 2;
constexpr int Ip = 5;
constexpr int Mac = 9;
constexpr int Version = 15;
constexpr int Name = 19;
constexpr int NameSize = 16;
} // namespace SimSearch
