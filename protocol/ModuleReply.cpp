// Datagrams of the network module: search answers, the configuration block
// and acknowledgements, told apart by their length.
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/DispatchHandlers.h"
#include "protocol/Frames.h"
#include "protocol/ModuleBlockLayout.h"
#include "protocol/ReplyDispatcher.h"

#include <cstring>

namespace {

constexpr int AckBytes = 4;
constexpr int AckCode = 2;
constexpr int AckResult = 3;
constexpr int HexWidth = 2;
constexpr int Hexadecimal = 16;
constexpr quint32 HighByteShift = 8;

quint8 At(const QByteArray &bytes, int i)
{
    return quint8(bytes.at(i));
}

void SearchAnswer(const QByteArray &datagram)
{
    DeviceState &device = Device();
    std::memcpy(device.moduleSearchRecord, datagram.constData(), DeviceLimits::ModuleSearchBytes);

    const QString ip = QStringLiteral("%1.%2.%3.%4")
                           .arg(At(datagram, ModuleSearch::Ip))
                           .arg(At(datagram, ModuleSearch::Ip + 1))
                           .arg(At(datagram, ModuleSearch::Ip + 2))
                           .arg(At(datagram, ModuleSearch::Ip + 3));
    QString mac = QStringLiteral("%1-%2-%3-%4-%5-%6");
    for (quint32 i = 0; i < DeviceLimits::ModuleMacBytes; ++i)
        mac = mac.arg(uint(At(datagram, ModuleSearch::Mac + int(i))), HexWidth, Hexadecimal, QLatin1Char('0'));
    // The only little-endian number of the module's answers.
    const quint32 number =
        At(datagram, ModuleSearch::Version) | (quint32(At(datagram, ModuleSearch::Version + 1)) << HighByteShift);
    const QString name = Dispatch::TextUpToNul(datagram.mid(ModuleSearch::Name, ModuleSearch::NameSize));
    emit Events().SGL_ModuleFound(name, ip, mac, QString::number(number));
}

void ConfigBlock(const QByteArray &datagram)
{
    DeviceState &device = Device();
    std::memcpy(device.moduleConfigRecord, datagram.constData(), DeviceLimits::ModuleConfigBytes);
    std::memcpy(device.moduleMac, datagram.constData() + ModuleBlock::Mac, DeviceLimits::ModuleMacBytes);
    emit Events().SGL_ModuleConfig(datagram);
}

void Acknowledgement(const QByteArray &datagram)
{
    if (At(datagram, 0) != Frame::ModuleStart || At(datagram, 1) != NetCmd::AckLength)
        return;
    switch (At(datagram, AckCode)) {
    case NetCmd::ApplyConfig:
        emit Events().SGL_ModuleApplyAcknowledged();
        break;
    case NetCmd::LoadDefault:
        if (At(datagram, AckResult) == NetCmd::LoadDefaultDone)
            emit Events().SGL_ModuleLoadDefault(true);
        else if (At(datagram, AckResult) == NetCmd::LoadDefaultFailed)
            emit Events().SGL_ModuleLoadDefault(false);
        break;
    default:
        break;
    }
}

} // namespace

void HandleModuleReply(const QByteArray &datagram)
{
    switch (quint32(datagram.size())) {
    case DeviceLimits::ModuleSearchBytes:
        SearchAnswer(datagram);
        break;
    case DeviceLimits::ModuleConfigBytes:
        ConfigBlock(datagram);
        break;
    case AckBytes:
        Acknowledgement(datagram);
        break;
    default:
        break;
    }
}
