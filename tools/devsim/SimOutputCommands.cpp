#include "tools/devsim/SimOutputCommands.h"

#include "tools/devsim/SimCodes.h"

namespace {

constexpr int ValueByte = 2;
constexpr int WidthByte = 2;
constexpr int HeightByte = 4;

bool isRead(const SimRequest &request)
{
    return request.p(1) & SimDir::Read;
}

// Read ch 80 00, write ch 00 value: the answer repeats the two leading
// bytes and carries the value.
void readOrWrite(quint8 *value, const SimRequest &request, SimReplies &replies)
{
    quint8 scratch = 0;
    quint8 *slot = value ? value : &scratch;
    if (!isRead(request))
        *slot = request.p(ValueByte);
    replies.append(SimDeviceFrame(request.code, EchoWith(request, ValueByte, *slot)));
}

void resolution(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int ch = request.p(0);
    quint16 width = 0;
    quint16 height = 0;
    if (model.validOutput(ch)) {
        SimOutput &out = model.outputs[ch];
        if (!isRead(request)) {
            out.userWidth = request.pair(WidthByte);
            out.userHeight = request.pair(HeightByte);
        }
        width = out.userWidth;
        height = out.userHeight;
    }
    QByteArray payload = request.payload.left(WidthByte);
    AppendPair(payload, width);
    AppendPair(payload, height);
    replies.append(SimDeviceFrame(SimCode::Resolution, payload));
}

} // namespace

bool HandleOutputCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int ch = request.p(0);
    SimOutput *out = model.validOutput(ch) ? &model.outputs[ch] : nullptr;
    switch (request.code) {
    case SimCode::NPlus1Backup:
        model.nPlus1Backup = request.p(0);
        replies.append(SimDeviceFrame(request.code, request.payload));
        return true;
    case SimCode::NoSignalMode:
        if (request.p(1) & SimDir::Input)
            model.noSignalInput = request.p(ValueByte);
        else
            model.noSignalOutput = request.p(ValueByte);
        replies.append(SimDeviceFrame(request.code, request.payload));
        return true;
    case SimCode::OutputMode:
        readOrWrite(out ? &out->mode : nullptr, request, replies);
        return true;
    case SimCode::Rotate:
        readOrWrite(out ? &out->rotate : nullptr, request, replies);
        return true;
    case SimCode::Resolution:
        resolution(model, request, replies);
        return true;
    case SimCode::TestPattern:
        if (out) {
            out->testPatternOn = request.p(1);
            out->testPattern = request.p(2);
        }
        replies.append(SimDeviceFrame(request.code, request.payload));
        return true;
    default:
        return false;
    }
}
