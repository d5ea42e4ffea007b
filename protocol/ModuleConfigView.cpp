#include "protocol/ModuleConfigView.h"

#include "protocol/DispatchHandlers.h"

namespace {
quint8 at(const QByteArray &block, int i)
{
    return quint8(block.at(i));
}

// Four bytes stored last octet first: the byte at offset + 3 is the first.
QString address(const QByteArray &block, int offset)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(at(block, offset + 3))
        .arg(at(block, offset + 2))
        .arg(at(block, offset + 1))
        .arg(at(block, offset));
}
} // namespace

std::optional<ModuleNetworkView> DecodeModuleNetwork(const QByteArray &block)
{
    using namespace ModuleBlock;
    if (block.size() != Size)
        return std::nullopt;
    ModuleNetworkView view;
    view.deviceName = Dispatch::TextUpToNul(block.mid(NameOffset, NameSize));
    QString mac = QStringLiteral("%1-%2-%3-%4-%5-%6");
    for (int i = 0; i < MacSize; ++i)
        mac = mac.arg(uint(at(block, MacOffset + i)), 2, 16, QLatin1Char('0'));
    view.macText = mac;
    view.staticIp = (at(block, FlagsOffset + StaticIpFlagByte) & StaticIpFlagBit) != 0;
    view.ip = address(block, IpOffset);
    view.mask = address(block, MaskOffset);
    view.gateway = address(block, GatewayOffset);
    view.localPort = QString::number(at(block, LocalPortOffset) | (uint(at(block, LocalPortOffset + 1)) << 8));
    return view;
}
