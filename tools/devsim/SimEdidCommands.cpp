#include "tools/devsim/SimEdidCommands.h"

#include "tools/devsim/SimCodes.h"
#include "tools/devsim/SimEdid.h"

namespace {

constexpr int OffsetByte = 2;
constexpr int DataByte = 3;
constexpr int BlockBytes = 16;
constexpr int ModeByte = 2;

// The device refuses a transfer it cannot do with an error frame naming the
// command and the direction (non-zero for a read).
QByteArray edidError(int port, bool read)
{
    QByteArray payload;
    payload.append(char(port));
    payload.append(char(SimCode::Edid));
    payload.append(char(read ? 1 : 0));
    return SimDeviceFrame(SimCode::Error, payload);
}

bool validOffset(int offset)
{
    return offset % BlockBytes == 0 && offset + BlockBytes <= SimEdid::TotalBytes;
}

void edidBlock(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int port = request.p(0);
    const int offset = request.p(OffsetByte);
    const bool read = request.p(1) & SimDir::Read;
    if (read) {
        // A read of the input side returns what was written into the input.
        const bool input = request.p(1) & SimDir::Input;
        const bool valid = input ? model.validInput(port) : model.validOutput(port);
        if (!valid || !validOffset(offset)) {
            replies.append(edidError(port, true));
            return;
        }
        const QByteArray &edid = input ? model.inputs[port].edid : model.outputs[port].edid;
        QByteArray payload = request.payload.left(DataByte);
        payload.append(edid.mid(offset, BlockBytes));
        replies.append(SimDeviceFrame(SimCode::Edid, payload));
        return;
    }
    if (!model.validInput(port) || !validOffset(offset) || request.size() < DataByte + BlockBytes) {
        replies.append(edidError(port, false));
        return;
    }
    QByteArray &edid = model.inputs[port].edid;
    edid.replace(offset, BlockBytes, request.payload.mid(DataByte, BlockBytes));
    replies.append(SimDeviceFrame(SimCode::Edid, request.payload));
}

void edidMode(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int port = request.p(0);
    quint8 mode = 0;
    if (model.validInput(port)) {
        if (!(request.p(1) & SimDir::Read))
            model.inputs[port].edidMode = request.p(ModeByte);
        mode = model.inputs[port].edidMode;
    }
    replies.append(SimDeviceFrame(SimCode::EdidMode, EchoWith(request, ModeByte, mode)));
}

} // namespace

bool HandleEdidCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    switch (request.code) {
    case SimCode::Edid:
        edidBlock(model, request, replies);
        return true;
    case SimCode::EdidMode:
        edidMode(model, request, replies);
        return true;
    default:
        return false;
    }
}
