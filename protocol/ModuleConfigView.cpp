#include "protocol/ModuleConfigView.h"

#include "protocol/DispatchHandlers.h"

#include <QtEndian>

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
    view.deviceName = Dispatch::TextUpToNul(block.mid(Name, NameSize));
    QString mac = QStringLiteral("%1-%2-%3-%4-%5-%6");
    for (int i = 0; i < MacSize; ++i)
        mac = mac.arg(uint(at(block, Mac + i)), 2, 16, QLatin1Char('0'));
    view.macText = mac;
    const auto *bytes = reinterpret_cast<const uchar *>(block.constData());
    view.staticIp = (qFromLittleEndian<quint32>(bytes + Flags) & StaticIpFlag) != 0;
    view.ip = address(block, Ip);
    view.mask = address(block, Mask);
    view.gateway = address(block, Gateway);
    view.localPort = QString::number(qFromLittleEndian<quint16>(bytes + PortOffset + LocalPort));
    return view;
}
