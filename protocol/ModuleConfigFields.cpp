#include "protocol/ModuleConfigFields.h"

#include "protocol/DispatchHandlers.h"
#include "protocol/ModuleBlockLayout.h"
#include "protocol/ModuleConfigView.h"

#include <QtEndian>

namespace {

constexpr quint8 ModbusTcpBit = 0x04;
constexpr quint8 SyncBaudRateBit = 0x08;
constexpr int NibbleBits = 4;
constexpr quint8 NibbleMask = 0x0F;
// Parity and flow codes start at 1; flow control takes two codes per entry.
constexpr int FirstCode = 1;
constexpr int FlowCodesPerEntry = 2;

class BlockReader
{
public:
    explicit BlockReader(const QByteArray &block)
        : m_bytes(reinterpret_cast<const uchar *>(block.constData()))
        , m_block(block)
    { }

    quint8 u8(int offset) const { return m_bytes[offset]; }
    QString u8Text(int offset) const { return QString::number(u8(offset)); }
    QString u16Text(int offset) const { return QString::number(qFromLittleEndian<quint16>(m_bytes + offset)); }
    QString u32Text(int offset) const { return QString::number(qFromLittleEndian<quint32>(m_bytes + offset)); }
    QString text(int offset, int size) const { return Dispatch::TextUpToNul(m_block.mid(offset, size)); }

private:
    const uchar *m_bytes;
    const QByteArray &m_block;
};

// A code counted from 1 turned into a box index; -1 (no entry) for code 0.
int IndexOfCode(int code, int codesPerEntry)
{
    return code < FirstCode ? -1 : (code - FirstCode) / codesPerEntry;
}

} // namespace

std::optional<ModuleConfigFields> DecodeModuleConfig(const QByteArray &block)
{
    using namespace ModuleBlock;
    const std::optional<ModuleNetworkView> network = DecodeModuleNetwork(block);
    if (!network)
        return std::nullopt;
    const BlockReader basic(block);
    ModuleConfigFields f;
    f.ipTypeIndex = network->staticIp ? 1 : 0;
    f.upnpPort = basic.u16Text(UpnpPort);
    f.httpPort = basic.u16Text(HttpPort);
    f.ip = network->ip;
    f.gateway = network->gateway;
    f.mask = network->mask;
    f.deviceName = network->deviceName;
    f.userName = basic.text(User, CredentialSize);
    f.password = basic.text(Password, CredentialSize);
    f.deviceId = basic.u16Text(DeviceId);
    f.deviceIdType = basic.u8Text(DeviceIdType);
    f.macText = network->macText;

    const QByteArray portPart = block.mid(PortOffset, PortSize);
    const BlockReader port(portPart);
    f.baudRate = port.u32Text(Baud);
    f.dataBits = port.u8Text(DataBits);
    f.stopBits = port.u8Text(StopBits);
    f.parityIndex = IndexOfCode(port.u8(Parity), 1);
    f.flowIndex = IndexOfCode(port.u8(Flow), FlowCodesPerEntry);
    f.localPort = port.u16Text(LocalPort);
    f.remotePort = port.u16Text(RemotePort);
    f.remoteHost = port.text(RemoteHost, RemoteHostSize);
    const quint8 options = port.u8(Options);
    f.modbusIndex = (options & ModbusTcpBit) ? 1 : 0;
    f.syncBaudRate = (options & SyncBaudRateBit) != 0;
    f.workModeIndex = port.u8(WorkMode);
    f.packLength = port.u32Text(PackLength);
    f.packTime = port.u8Text(PackTime);
    const quint8 server = port.u8(ServerStyle);
    f.connectCountIndex = int(server >> NibbleBits) - 1;
    f.serverStyle = QString::number(int(server & NibbleMask) - 1);
    return f;
}
