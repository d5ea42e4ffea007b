#include "tools/devsim/SimModuleBlock.h"

#include "tools/devsim/SimWire.h"

#include <QHostAddress>
#include <QtEndian>

#include <algorithm>
#include <iterator>

namespace {

constexpr quint8 BaseMac[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
constexpr quint8 GatewayIp[] = {192, 168, 0, 1};
constexpr quint8 MaskIp[] = {255, 255, 255, 0};
constexpr const char *Credential = "qzvkp";
constexpr quint16 DefaultUpnpPort = 1900;
constexpr quint16 DefaultHttpPort = 80;
constexpr quint16 DefaultDeviceId = 1;
constexpr quint8 DefaultDeviceIdType = 0;
constexpr quint32 DefaultBaud = 115200;
constexpr quint8 DefaultDataBits = 8;
constexpr quint8 ParityNone = 1; // box index 0
constexpr quint8 OneStopBit = 1;
constexpr quint8 FlowNone = 1; // box index 0
constexpr quint16 DefaultRemotePort = 5001;
constexpr const char *DefaultRemoteHost = "192.168.0.100";
constexpr quint8 TcpServerMode = 3;
constexpr quint8 OneConnectionStyle0 = 0x11; // connect count index 0, style 0, each + 1
constexpr int IpOctets = 4;
constexpr quint8 SearchCommand = 0x01;

void putAddress(QByteArray &block, int offset, const quint8 *octets)
{
    for (int i = 0; i < IpOctets; ++i)
        block[offset + i] = char(octets[IpOctets - 1 - i]);
}

// Little-endian numbers written byte by byte: the block is a QByteArray
// whose data may move when written, so no pointer into it is kept.
void putLittle(QByteArray &block, int offset, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        block[offset + i] = char((value >> (8 * i)) & 0xFF);
}

void putText(QByteArray &block, int offset, int size, const QByteArray &text)
{
    for (int i = 0; i < size; ++i)
        block[offset + i] = i < text.size() ? text[i] : '\0';
}

} // namespace

QByteArray MakeModuleBlock(int index, quint16 tcpPort, const quint8 (&firstIp)[4])
{
    using namespace SimBlock;
    QByteArray block(Size, '\0');
    putLittle(block, Flags, StaticIpFlag, sizeof(quint32));
    putLittle(block, UpnpPort, DefaultUpnpPort, sizeof(quint16));
    putLittle(block, HttpPort, DefaultHttpPort, sizeof(quint16));
    quint8 ip[IpOctets];
    std::copy(std::begin(firstIp), std::end(firstIp), ip);
    ip[IpOctets - 1] = quint8(ip[IpOctets - 1] + index);
    putAddress(block, Ip, ip);
    putAddress(block, Gateway, GatewayIp);
    putAddress(block, Mask, MaskIp);
    putText(block, Name, NameSize, QByteArray("KXR-NET-") + QByteArray::number(index + 1));
    putText(block, User, CredentialSize, Credential);
    putText(block, Password, CredentialSize, Credential);
    putLittle(block, DeviceId, quint16(DefaultDeviceId + index), sizeof(quint16));
    block[DeviceIdType] = char(DefaultDeviceIdType);
    for (int i = 0; i < MacSize; ++i)
        block[Mac + i] = char(BaseMac[i]);
    block[Mac + MacSize - 1] = char(BaseMac[MacSize - 1] + index);

    putLittle(block, PortOffset + Baud, DefaultBaud, sizeof(quint32));
    block[PortOffset + DataBits] = char(DefaultDataBits);
    block[PortOffset + Parity] = char(ParityNone);
    block[PortOffset + StopBits] = char(OneStopBit);
    block[PortOffset + Flow] = char(FlowNone);
    putLittle(block, PortOffset + LocalPort, tcpPort, sizeof(quint16));
    putLittle(block, PortOffset + RemotePort, DefaultRemotePort, sizeof(quint16));
    putText(block, PortOffset + RemoteHost, RemoteHostSize, DefaultRemoteHost);
    block[PortOffset + WorkMode] = char(TcpServerMode);
    block[PortOffset + ServerStyle] = char(OneConnectionStyle0);
    return block;
}

QByteArray ModuleBlockMac(const QByteArray &block)
{
    return block.mid(SimBlock::Mac, SimBlock::MacSize);
}

QString ModuleBlockAddress(const QByteArray &block, int offset)
{
    if (block.size() < offset + IpOctets)
        return QString();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(quint8(block[offset + 3]))
        .arg(quint8(block[offset + 2]))
        .arg(quint8(block[offset + 1]))
        .arg(quint8(block[offset]));
}

bool SetModuleBlockAddress(QByteArray &block, int offset, const QString &address)
{
    const QHostAddress parsed(address.trimmed());
    if (parsed.protocol() != QAbstractSocket::IPv4Protocol || block.size() < offset + IpOctets)
        return false;
    const quint32 value = parsed.toIPv4Address();
    quint8 octets[IpOctets];
    qToBigEndian<quint32>(value, octets);
    putAddress(block, offset, octets);
    return true;
}

namespace {
QByteArray textField(const QByteArray &block, int offset, int size)
{
    const QByteArray text = block.mid(offset, size);
    const int end = text.indexOf('\0');
    return end < 0 ? text : text.left(end);
}
} // namespace

QByteArray ModuleBlockName(const QByteArray &block)
{
    return textField(block, SimBlock::Name, SimBlock::NameSize);
}

void SetModuleBlockCredentials(QByteArray &block, const QByteArray &user, const QByteArray &password)
{
    if (block.size() < SimBlock::Size)
        return;
    putText(block, SimBlock::User, SimBlock::CredentialSize, user);
    putText(block, SimBlock::Password, SimBlock::CredentialSize, password);
}

QByteArray ModuleBlockUser(const QByteArray &block)
{
    return textField(block, SimBlock::User, SimBlock::CredentialSize);
}

QByteArray ModuleBlockPassword(const QByteArray &block)
{
    return textField(block, SimBlock::Password, SimBlock::CredentialSize);
}

bool ModuleBlockStatic(const QByteArray &block)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(block.constData()) + SimBlock::Flags)
        & SimBlock::StaticIpFlag;
}

void SetModuleBlockStatic(QByteArray &block, bool isStatic)
{
    auto *flags = reinterpret_cast<uchar *>(block.data()) + SimBlock::Flags;
    quint32 value = qFromLittleEndian<quint32>(flags);
    value = isStatic ? (value | SimBlock::StaticIpFlag) : (value & ~SimBlock::StaticIpFlag);
    qToLittleEndian<quint32>(value, flags);
}

QByteArray MakeModuleSearchRecord(const QByteArray &block, quint16 version)
{
    QByteArray record(SimSearch::Size, '\0');
    record[0] = char(SimWire::ModuleStart);
    record[1] = char(SimSearch::Length);
    record[SimSearch::Command] = char(SearchCommand);
    for (int i = 0; i < IpOctets; ++i)
        record[SimSearch::Ip + i] = block[SimBlock::Ip + IpOctets - 1 - i];
    for (int i = 0; i < SimBlock::MacSize; ++i)
        record[SimSearch::Mac + i] = block[SimBlock::Mac + i];
    qToLittleEndian<quint16>(version, reinterpret_cast<uchar *>(record.data()) + SimSearch::Version);
    const QByteArray name = ModuleBlockName(block);
    for (int i = 0; i < SimSearch::NameSize && i < name.size(); ++i)
        record[SimSearch::Name + i] = name[i];
    // The last byte sums the record from its length byte on, like a module
    // frame.
    record[SimSearch::Size - 1] = char(SimModuleChecksum(record));
    return record;
}
