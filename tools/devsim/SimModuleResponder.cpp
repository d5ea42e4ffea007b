#include "tools/devsim/SimModuleResponder.h"

#include "protocol/Frames.h"
#include "tools/devsim/SimCodes.h"
#include "tools/devsim/SimModuleBlock.h"

namespace {

constexpr int LengthByte = 1;
constexpr int CommandByte = 2;
constexpr int PayloadByte = 3;
constexpr int CredentialFields = 2; // user name and password, each NUL-terminated

struct ModuleRequest
{
    quint8 code = 0;
    QByteArray payload;
};

bool parse(const QByteArray &datagram, ModuleRequest &request)
{
    if (datagram.size() < int(Frame::ModuleOverhead) || quint8(datagram[0]) != Frame::ModuleStart)
        return false;
    const int n = datagram.size() - int(Frame::ModuleOverhead);
    if (n < 0 || quint8(datagram[LengthByte]) != quint8(n + 1))
        return false;
    quint32 sum = 0;
    for (int i = LengthByte; i < datagram.size() - 1; ++i)
        sum += quint8(datagram[i]);
    if (quint8(sum & 0xFF) != quint8(datagram[datagram.size() - 1]))
        return false;
    request.code = quint8(datagram[CommandByte]);
    request.payload = datagram.mid(PayloadByte, n);
    return true;
}

// The data after the MAC address and the two credentials; false when the
// credentials are missing.
bool commandData(const QByteArray &payload, QByteArray &data)
{
    if (payload.size() < ModuleBlock::MacSize)
        return false;
    int at = ModuleBlock::MacSize;
    for (int field = 0; field < CredentialFields; ++field) {
        const int end = payload.indexOf('\0', at);
        if (end < 0)
            return false;
        at = end + 1;
    }
    data = payload.mid(at);
    return true;
}

QByteArray acknowledgement(quint8 code)
{
    QByteArray frame(int(Frame::ModuleOverhead), '\0');
    PackModuleFrame(code, nullptr, 0, reinterpret_cast<quint8 *>(frame.data()));
    return frame;
}

QByteArray loadDefaultDone()
{
    QByteArray frame = acknowledgement(SimNetCode::LoadDefault);
    frame[int(Frame::ModuleOverhead) - 1] = char(SimNetCode::Done);
    return frame;
}

void configure(SimModule &module, const ModuleRequest &request, const QByteArray &data, SimReplies &replies)
{
    switch (request.code) {
    case SimNetCode::ReadConfig:
        replies.append(module.block);
        break;
    case SimNetCode::BasicWrite:
        if (data.size() < ModuleBlock::BasicSize)
            return;
        module.block.replace(0, ModuleBlock::BasicSize, data.left(ModuleBlock::BasicSize));
        replies.append(acknowledgement(request.code));
        break;
    case SimNetCode::PortWrite:
        if (data.size() < ModuleBlock::PortSize)
            return;
        module.block.replace(ModuleBlock::PortOffset, ModuleBlock::PortSize, data.left(ModuleBlock::PortSize));
        replies.append(acknowledgement(request.code));
        break;
    case SimNetCode::Apply:
        replies.append(acknowledgement(request.code));
        break;
    case SimNetCode::LoadDefault:
        module.block = module.defaults;
        replies.append(loadDefaultDone());
        break;
    default:
        break;
    }
}

} // namespace

SimReplies RespondToModuleDatagram(SimDeviceModel &model, const QByteArray &datagram)
{
    SimReplies replies;
    ModuleRequest request;
    if (!parse(datagram, request))
        return replies;
    if (request.code == SimNetCode::Search) {
        for (const SimModule &module : qAsConst(model.modules))
            replies.append(MakeModuleSearchRecord(module.block, module.version));
        return replies;
    }
    const QByteArray mac = request.payload.left(ModuleBlock::MacSize);
    QByteArray data;
    if (!commandData(request.payload, data))
        return replies;
    for (SimModule &module : model.modules) {
        if (ModuleBlockMac(module.block) == mac) {
            configure(module, request, data, replies);
            break;
        }
    }
    return replies;
}
