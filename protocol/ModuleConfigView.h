#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The network settings of the module's 130-byte configuration block, as
// the pages show them. Multi-byte numbers are little-endian; addresses are
// stored last octet first.
struct ModuleNetworkView
{
    QString deviceName;
    QString macText;  // "00-1a-2b-3c-4d-5e"
    bool staticIp = false;
    QString ip;       // "%1.%2.%3.%4"
    QString mask;
    QString gateway;
    QString localPort; // the port the module listens on, in decimal
};

namespace ModuleBlock {
constexpr int Size = 130;
constexpr int BasicSize = 67;
constexpr int PortSize = 63;
constexpr int PortOffset = BasicSize;
constexpr int FlagsOffset = 0;
constexpr int StaticIpFlagByte = 3; // bit 31 of the little-endian flags
constexpr quint8 StaticIpFlagBit = 0x80;
constexpr int IpOffset = 9;
constexpr int GatewayOffset = 13;
constexpr int MaskOffset = 17;
constexpr int NameOffset = 21;
constexpr int NameSize = 16;
constexpr int MacOffset = 53;
constexpr int MacSize = 6;
constexpr int LocalPortOffset = PortOffset + 12;
} // namespace ModuleBlock

// Nothing for a block of any other size.
std::optional<ModuleNetworkView> DecodeModuleNetwork(const QByteArray &block);
