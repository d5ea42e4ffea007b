#include "protocol/ModuleConfigEdit.h"

#include "app/ByteText.h"
#include "protocol/ModuleBlockLayout.h"

#include <QStringList>

namespace {

constexpr int Octets = 4;
constexpr int Decimal = 10;
constexpr int HexDigitBits = 4;
constexpr int NibbleBits = 4;
constexpr quint8 LowNibble = 0x0F;
constexpr int MaxConnectCountIndex = 14; // the high nibble holds index + 1

ModulePartResult Failure(ModuleField field)
{
    ModulePartResult result;
    result.failed = field;
    return result;
}

constexpr int ByteBits = 8;
constexpr int U16Bytes = 2;
constexpr int U32Bytes = 4;

// Numbers of the block are little-endian.
void PutLittleEndian(QByteArray &part, int offset, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        part[offset + i] = char(quint8(value >> (ByteBits * i)));
}

quint32 LittleEndianU32(const QByteArray &part, int offset)
{
    quint32 value = 0;
    for (int i = 0; i < U32Bytes; ++i)
        value |= quint32(quint8(part.at(offset + i))) << (ByteBits * i);
    return value;
}

// Stored last octet first.
void PutAddress(QByteArray &part, int offset, const std::array<quint8, Octets> &octets)
{
    for (int i = 0; i < Octets; ++i)
        part[offset + i] = char(octets[Octets - 1 - i]);
}

} // namespace

std::optional<quint32> ParseModuleNumber(const QString &text, quint32 limit)
{
    if (text.size() > ModuleLimits::NumberDigits)
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * Decimal + quint32(c.unicode() - '0');
    }
    if (value > limit)
        return std::nullopt;
    return value;
}

std::optional<std::array<quint8, 4>> ParseModuleAddress(const QString &text)
{
    const QStringList fields = text.split(QLatin1Char('.'));
    if (fields.size() != Octets)
        return std::nullopt;
    std::array<quint8, Octets> octets{};
    for (int i = 0; i < Octets; ++i) {
        const std::optional<quint32> value = ParseModuleNumber(fields.at(i), ModuleLimits::Octet);
        if (!value)
            return std::nullopt;
        octets[size_t(i)] = quint8(*value);
    }
    return octets;
}

std::optional<std::array<quint8, 6>> ParseModuleMac(const QString &text)
{
    std::array<quint8, ModuleBlock::MacSize> mac{};
    int digits = 0;
    for (const QChar c : text) {
        const int value = HexDigitValue(c);
        if (value < 0)
            continue;
        quint8 &byte = mac[size_t(digits / 2)];
        byte = digits % 2 == 0 ? quint8(value << HexDigitBits) : quint8(byte | value);
        if (++digits == 2 * ModuleBlock::MacSize)
            return mac;
    }
    return std::nullopt;
}

std::optional<ModuleField> CheckStaticAddresses(const ModuleBasicEdits &edits)
{
    if (!ParseModuleAddress(edits.ip))
        return ModuleField::StaticIp;
    if (!ParseModuleAddress(edits.mask))
        return ModuleField::SubnetMask;
    if (!ParseModuleAddress(edits.gateway))
        return ModuleField::Gateway;
    return std::nullopt;
}

ModulePartResult BuildBasicPart(const QByteArray &block, const ModuleBasicEdits &edits)
{
    using namespace ModuleBlock;
    if (block.size() != Size)
        return {};
    QByteArray part = block.left(BasicSize);

    const QByteArray name = edits.deviceName.toLatin1().left(NameSize);
    part.replace(Name, NameSize, QByteArray(NameSize, '\0'));
    part.replace(Name, name.size(), name);

    const auto mac = ParseModuleMac(edits.mac);
    if (!mac)
        return Failure(ModuleField::Mac);
    for (int i = 0; i < MacSize; ++i)
        part[Mac + i] = char((*mac)[size_t(i)]);

    const quint32 flags = LittleEndianU32(part, Flags);
    if (!edits.staticIp) {
        // A dynamic address leaves the stored addresses as they were.
        PutLittleEndian(part, Flags, flags & ~StaticIpFlag, U32Bytes);
        return {part, std::nullopt};
    }
    if (const std::optional<ModuleField> failed = CheckStaticAddresses(edits))
        return Failure(*failed);
    PutAddress(part, Ip, *ParseModuleAddress(edits.ip));
    PutAddress(part, Mask, *ParseModuleAddress(edits.mask));
    PutAddress(part, Gateway, *ParseModuleAddress(edits.gateway));
    PutLittleEndian(part, Flags, flags | StaticIpFlag, U32Bytes);
    return {part, std::nullopt};
}

ModulePartResult BuildPortPart(const QByteArray &block, const ModulePortEdits &edits)
{
    using namespace ModuleBlock;
    if (block.size() != Size)
        return {};
    QByteArray part = block.mid(PortOffset, PortSize);

    const auto baud = ParseModuleNumber(edits.baudRate, ModuleLimits::BaudRate);
    if (!baud)
        return Failure(ModuleField::BaudRate);
    PutLittleEndian(part, Baud, *baud, U32Bytes);

    const auto localPort = ParseModuleNumber(edits.localPort, ModuleLimits::Port);
    if (!localPort)
        return Failure(ModuleField::LocalPort);
    PutLittleEndian(part, LocalPort, *localPort, U16Bytes);

    if (edits.connectCountIndex >= 0 && edits.connectCountIndex <= MaxConnectCountIndex) {
        const quint8 style = quint8(part.at(ServerStyle)) & LowNibble;
        part[ServerStyle] = char(quint8((edits.connectCountIndex + 1) << NibbleBits) | style);
    }

    const auto packTime = ParseModuleNumber(edits.packTime, ModuleLimits::PackTime);
    if (!packTime)
        return Failure(ModuleField::PackTime);
    part[PackTime] = char(*packTime);

    const auto packLength = ParseModuleNumber(edits.packLength, ModuleLimits::PackLength);
    if (!packLength)
        return Failure(ModuleField::PackLength);
    PutLittleEndian(part, PackLength, *packLength, U32Bytes);

    if (!ParseModuleMac(edits.mac))
        return Failure(ModuleField::Mac);
    return {part, std::nullopt};
}
