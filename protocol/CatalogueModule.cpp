// Requests to the device's network module over UDP.
#include "protocol/Catalogue.h"

#include "protocol/CatalogueBuild.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"

using namespace CatalogueBuild;

namespace {

constexpr quint32 BasicBlockBytes = 67;
constexpr quint32 PortBlockBytes = 63;

// The module acknowledges with FF 01 and the request's code.
Expect Acknowledgement(quint8 code)
{
    return Prefix(Bytes({Frame::ModuleStart, NetCmd::AckLength, code}));
}

bool QueueWithLead(quint8 code, const quint8 *mac, quint32 macLength, const quint8 *data, quint32 dataLength,
                   const Expect &expect)
{
    bool ok = false;
    QByteArray payload = ModuleLead(mac, macLength, &ok);
    if (!ok)
        return false;
    if (dataLength > 0) {
        if (!data)
            return false;
        payload.append(reinterpret_cast<const char *>(data), int(dataLength));
    }
    return QueueModule(code, payload, expect, Reply(Wait::Normal, true));
}

} // namespace

bool NET_SearchDevice()
{
    return QueueModule(NetCmd::Search, QByteArray(), Prefix(Bytes({Frame::ModuleStart, NetCmd::SearchReplyLength})),
                       Reply(Wait::Second, true));
}

bool NET_ReadConfig(const quint8 *mac, quint32 macLength)
{
    return QueueWithLead(NetCmd::ReadConfig, mac, macLength, nullptr, 0, AnyReplyOf(DeviceLimits::ModuleConfigBytes));
}

bool NET_ApplyConfig(const quint8 *mac, quint32 macLength)
{
    return QueueWithLead(NetCmd::ApplyConfig, mac, macLength, nullptr, 0, Acknowledgement(NetCmd::ApplyConfig));
}

bool NET_BasicConfigWrite(const quint8 *mac, quint32 macLength, const quint8 *block67)
{
    return QueueWithLead(NetCmd::BasicConfigWrite, mac, macLength, block67, BasicBlockBytes,
                         Acknowledgement(NetCmd::BasicConfigWrite));
}

bool NET_PortConfigWrite(const quint8 *mac, quint32 macLength, const quint8 *block63)
{
    return QueueWithLead(NetCmd::PortConfigWrite, mac, macLength, block63, PortBlockBytes,
                         Acknowledgement(NetCmd::PortConfigWrite));
}

bool NET_LoadDefault(const quint8 *mac, quint32 macLength)
{
    return QueueWithLead(NetCmd::LoadDefault, mac, macLength, nullptr, 0, Acknowledgement(NetCmd::LoadDefault));
}
