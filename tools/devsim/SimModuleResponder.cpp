#include "tools/devsim/SimModuleResponder.h"

#include "tools/devsim/SimCodes.h"
#include "tools/devsim/SimModuleBlock.h"
#include "tools/devsim/SimWire.h"

namespace {

constexpr int CredentialFields = 2; // user name and password, each NUL-terminated

struct ModuleRequest
{
    quint8 code = 0;
    QByteArray payload;
};

bool parse(const QByteArray &datagram, ModuleRequest &request)
{
    if (datagram.size() < SimWire::ModuleOverhead || quint8(datagram[0]) != SimWire::ModuleStart)
        return false;
    const int n = datagram.size() - SimWire::ModuleOverhead;
    if (quint8(datagram[SimWire::ModuleLengthAt]) != quint8(n + 1))
        return false;
    if (SimModuleChecksum(datagram) != quint8(datagram[datagram.size() - 1]))
        return false;
    request.code = quint8(datagram[SimWire::ModuleCodeAt]);
    request.payload = datagram.mid(SimWire::ModulePayloadAt, n);
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
    if (payload.size() < SimBlock::MacSize)
        return false;
    command.mac = payload.left(SimBlock::MacSize);
    QByteArray *fields[CredentialFields] = {&command.user, &command.password};
    int at = SimBlock::MacSize;
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
    return SimModuleFrame(code, QByteArray());
}

QByteArray loadDefaultResult(bool done)
{
    QByteArray frame = acknowledgement(SimNetCode::LoadDefault);
    frame[SimWire::ModuleOverhead - 1] = char(done ? SimNetCode::Done : SimNetCode::Failed);
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
        if (data.size() < SimBlock::BasicSize)
            return;
        stagePart(module, 0, SimBlock::BasicSize, data);
        replies.append(acknowledgement(code));
        break;
    case SimNetCode::PortWrite:
        if (data.size() < SimBlock::PortSize)
            return;
        stagePart(module, SimBlock::PortOffset, SimBlock::PortSize, data);
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
