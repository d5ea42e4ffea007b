#include "support/ModuleBlocks.h"

#include "protocol/ModuleBlockLayout.h"
#include "support/TestSupport.h"

#include <QList>
#include <QRandomGenerator>

namespace {
constexpr int ByteValues = 256;
constexpr quint8 StaticBit = 0x80; // bit 31: the flags' last byte
constexpr quint8 ConnectCount4 = 0x40;
constexpr quint8 LowNibble = 0x0F;
} // namespace

QByteArray RandomModuleBlock(quint32 seed, bool staticIp)
{
    using namespace ModuleBlock;
    QRandomGenerator random(seed);
    QByteArray block(Size, '\0');
    for (char &byte : block)
        byte = char(random.bounded(ByteValues));
    block.replace(Name, NameSize, QByteArray("Hall A").leftJustified(NameSize, '\0'));
    const quint8 flags = quint8(block[Flags + 3]);
    block[Flags + 3] = char(staticIp ? (flags | StaticBit) : (flags & ~StaticBit));
    block.replace(Ip, 12, Hex("0A 00 A8 C0 01 00 A8 C0 00 FF FF FF"));
    block.replace(PortOffset + Baud, 4, Hex("00 C2 01 00"));
    block.replace(PortOffset + PackLength, 4, Hex("00 04 00 00"));
    const quint8 style = quint8(block[PortOffset + ServerStyle]) & LowNibble;
    block[PortOffset + ServerStyle] = char(ConnectCount4 | style);
    return block;
}
