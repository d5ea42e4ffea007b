#include "tools/devsim/SimSignalCommands.h"

#include "tools/devsim/SimChannelOptions.h"
#include "tools/devsim/SimCodes.h"

namespace {

constexpr int InfoPayloadBytes = 22;
constexpr quint8 InputReadDirection = 0xC0;
constexpr quint8 OutputReadDirection = 0x80;
constexpr quint8 MultiviewGroupBit = 0x02;
constexpr quint8 Progressive = 1; // a zero marks an interlaced timing
constexpr int BindFieldOffset = 2;
constexpr int BitsPerByte = 8;

quint8 scan(bool interlaced)
{
    return interlaced ? 0 : Progressive;
}

QByteArray inputInfo(const SimDeviceModel &model, int ch)
{
    const SimInput &in = model.inputs[qBound(0, ch, SimLimits::Channels - 1)];
    QByteArray p;
    p.append(char(ch));
    p.append(char(InputReadDirection));
    p.append(char(in.kind));
    p.append('\0');
    p.append(char(in.type));
    p.append('\0');
    p.append(char(in.audio));
    AppendPair(p, in.width);
    AppendPair(p, in.height);
    p.append(char(scan(in.interlaced)));
    p.append(char(in.rate));
    AppendPair(p, in.outWidth);
    AppendPair(p, in.outHeight);
    p.append(char(scan(in.outInterlaced)));
    p.append(char(in.outRate));
    p.append(char(in.format));
    p.append(char(in.edidMode));
    p.append(char(in.bind ? 1 : 0));
    return p;
}

QByteArray outputInfo(const SimDeviceModel &model, int ch)
{
    const int o = qBound(0, ch, SimLimits::Channels - 1);
    const SimOutput &out = model.outputs[o];
    const SimInput &source = model.inputs[model.routing[o] % SimLimits::Channels];
    SimTiming timing;
    if (out.ownTiming) {
        timing = out.timing;
    } else {
        timing.width = source.outWidth;
        timing.height = source.outHeight;
        timing.rate = source.outRate;
        timing.interlaced = source.outInterlaced;
    }
    QByteArray p;
    p.append(char(ch));
    p.append(char(OutputReadDirection));
    p.append(char(out.kind));
    p.append(char(SimOutputInMultiview(model, o) ? MultiviewGroupBit : 0));
    p.append('\0');
    p.append(char(out.type));
    AppendPair(p, timing.width);
    AppendPair(p, timing.height);
    p.append(char(scan(timing.interlaced)));
    p.append(char(timing.rate));
    p.append(char(out.format));
    p.append(char(out.mute ? 1 : 0));
    p.append(char(out.freeze ? 1 : 0));
    p.append(char(out.black ? 1 : 0));
    p.append(char(out.rotate));
    p.append(char(out.mode));
    return p;
}

QByteArray bindField(const SimDeviceModel &model, int bytes)
{
    QByteArray field(bytes, '\0');
    for (int i = 0; i < SimLimits::Channels && i / BitsPerByte < bytes; ++i) {
        if (model.inputs[i].bind)
            field[i / BitsPerByte] = char(quint8(field[i / BitsPerByte]) | (1u << (i % BitsPerByte)));
    }
    return field;
}

void inputBind(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int bytes = qMax(0, request.size() - BindFieldOffset);
    if (!(request.p(1) & SimDir::Read)) {
        for (int i = 0; i < SimLimits::Channels && i / BitsPerByte < bytes; ++i)
            model.inputs[i].bind = (request.p(BindFieldOffset + i / BitsPerByte) >> (i % BitsPerByte)) & 1;
    }
    QByteArray payload = request.payload.left(BindFieldOffset);
    payload.append(bindField(model, bytes));
    replies.append(SimDeviceFrame(SimCode::InputBind, payload));
}

void signalType(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int ch = request.p(0);
    const bool input = request.p(1) & SimDir::Input;
    quint8 kind = 0;
    quint8 type = request.p(2);
    if (input && model.validInput(ch)) {
        model.inputs[ch].type = type;
        kind = model.inputs[ch].kind;
    } else if (!input && model.validOutput(ch)) {
        SimOutput &out = model.outputs[ch];
        if (out.type != type && SimFormatFollowsType(out.kind))
            out.format = 0;
        out.type = type;
        kind = out.kind;
    }
    QByteArray payload = EchoWith(request, 3, kind);
    replies.append(SimDeviceFrame(SimCode::SignalType, payload));
}

void signalFormat(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int ch = request.p(0);
    const bool input = request.p(1) & SimDir::Input;
    if (input && model.validInput(ch))
        model.inputs[ch].format = request.p(2);
    else if (!input && model.validOutput(ch))
        model.outputs[ch].format = request.p(2);
    replies.append(SimDeviceFrame(SimCode::SignalFormat, request.payload));
}

quint8 featureValue(const SimDeviceModel &model, int ch, quint8 feature)
{
    const SimOutput &out = model.outputs[qBound(0, ch, SimLimits::Channels - 1)];
    switch (feature) {
    case SimFeature::AllBind:
        return model.allBind;
    case SimFeature::Report:
        return model.reportOn;
    case SimFeature::Ir:
        return model.irOn;
    case SimFeature::NPlus1:
        return model.nPlus1;
    case SimFeature::Freeze:
        return out.freeze;
    case SimFeature::Mute:
        return out.mute;
    case SimFeature::Black:
        return out.black;
    default:
        return 0;
    }
}

void setFeature(SimDeviceModel &model, int ch, quint8 feature, quint8 value)
{
    const bool perOutput = feature == SimFeature::Freeze || feature == SimFeature::Mute || feature == SimFeature::Black;
    if (perOutput && !model.validOutput(ch))
        return;
    SimOutput &out = model.outputs[qBound(0, ch, SimLimits::Channels - 1)];
    switch (feature) {
    case SimFeature::AllBind:
        model.allBind = value;
        break;
    case SimFeature::Report:
        model.reportOn = value;
        break;
    case SimFeature::Ir:
        model.irOn = value;
        break;
    case SimFeature::NPlus1:
        model.nPlus1 = value;
        break;
    case SimFeature::Freeze:
        out.freeze = value != 0;
        break;
    case SimFeature::Mute:
        out.mute = value != 0;
        break;
    case SimFeature::Black:
        out.black = value != 0;
        break;
    default:
        break;
    }
}

void featureSwitch(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int ch = request.p(0);
    const quint8 feature = request.p(2);
    if (!(request.p(1) & SimDir::Read))
        setFeature(model, ch, feature, request.p(3));
    const quint8 value = (request.p(1) & SimDir::Read) ? featureValue(model, ch, feature) : request.p(3);
    replies.append(SimDeviceFrame(SimCode::Feature, EchoWith(request, 3, value)));
}

} // namespace

QByteArray SimSignalInfo(const SimDeviceModel &model, int channel, bool input)
{
    QByteArray payload = input ? inputInfo(model, channel) : outputInfo(model, channel);
    payload.append(QByteArray(qMax(0, InfoPayloadBytes - payload.size()), '\0'));
    return SimDeviceFrame(SimCode::SignalInfo, payload);
}

bool HandleSignalCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    switch (request.code) {
    case SimCode::SignalInfo:
        replies.append(SimSignalInfo(model, request.p(0), request.p(1) & SimDir::Input));
        return true;
    case SimCode::InputBind:
        inputBind(model, request, replies);
        return true;
    case SimCode::InputAudio:
        if (model.validInput(request.p(0)))
            model.inputs[request.p(0)].audio = request.p(2);
        replies.append(SimDeviceFrame(SimCode::InputAudio, request.payload));
        return true;
    case SimCode::SignalType:
        signalType(model, request, replies);
        return true;
    case SimCode::SignalFormat:
        signalFormat(model, request, replies);
        return true;
    case SimCode::Feature:
        featureSwitch(model, request, replies);
        return true;
    default:
        return false;
    }
}
