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

// A request's MAC, login name, password and command data; false when the
// credentials are missing.
struct ModuleCommand
{
    QByteArray mac;
    QByteArray user;
    QByteArray password;
    QByteArray data;
};

bool commandOf(const QByteArray &payload, ModuleCommand &command)
{
    if (payload.size() < ModuleBlock::MacSize)
        return false;
    command.mac = payload.left(ModuleBlock::MacSize);
    QByteArray *fields[CredentialFields] = {&command.user, &command.password};
    int at = ModuleBlock::MacSize;
    for (QByteArray *field : fields) {
        const int end = payload.indexOf('\0', at);
        if (end < 0)
            return false;
        *field = payload.mid(at, end - at);
        at = end + 1;
    }
    command.data = payload.mid(at);
    return true;
}

// The module checks the login against the name and password of its block
// and stays silent when they differ, as for a request meant for another
// module.
bool loginAccepted(const SimModule &module, const ModuleCommand &command)
{
    return command.user == ModuleBlockUser(module.block) && command.password == ModuleBlockPassword(module.block);
}

QByteArray acknowledgement(quint8 code)
{
    QByteArray frame(int(Frame::ModuleOverhead), '\0');
    PackModuleFrame(code, nullptr, 0, reinterpret_cast<quint8 *>(frame.data()));
    return frame;
}

QByteArray loadDefaultResult(bool done)
{
    QByteArray frame = acknowledgement(SimNetCode::LoadDefault);
    frame[int(Frame::ModuleOverhead) - 1] = char(done ? SimNetCode::Done : SimNetCode::Failed);
    return frame;
}

// A written part goes into the settings waiting for the apply request.
void stagePart(SimModule &module, int offset, int size, const QByteArray &data)
{
    if (module.pending.isEmpty())
        module.pending = module.block;
    module.pending.replace(offset, size, data.left(size));
}

void configure(SimModule &module, quint8 code, const QByteArray &data, SimReplies &replies)
{
    switch (code) {
    case SimNetCode::ReadConfig:
        replies.append(module.block);
        break;
    case SimNetCode::BasicWrite:
        if (data.size() < ModuleBlock::BasicSize)
            return;
        stagePart(module, 0, ModuleBlock::BasicSize, data);
        replies.append(acknowledgement(code));
        break;
    case SimNetCode::PortWrite:
        if (data.size() < ModuleBlock::PortSize)
            return;
        stagePart(module, ModuleBlock::PortOffset, ModuleBlock::PortSize, data);
        replies.append(acknowledgement(code));
        break;
    case SimNetCode::Apply:
        // The module answers, then restarts with what was written.
        if (!module.pending.isEmpty())
            module.block = module.pending;
        module.pending.clear();
        replies.append(acknowledgement(code));
        break;
    case SimNetCode::LoadDefault:
        if (!module.defaultFails) {
            module.block = module.defaults;
            module.pending.clear();
        }
        replies.append(loadDefaultResult(!module.defaultFails));
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
    ModuleCommand command;
    if (!commandOf(request.payload, command))
        return replies;
    for (SimModule &module : model.modules) {
        if (ModuleBlockMac(module.block) == command.mac) {
            if (loginAccepted(module, command))
                configure(module, request.code, command.data, replies);
            break;
        }
    }
    return replies;
}
