// Routing, matrix and the initial reads that follow an identification.
#include "protocol/Catalogue.h"

#include "protocol/CatalogueBuild.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"

using namespace CatalogueBuild;

namespace {
constexpr quint8 AllOutputs = 0xFF;
constexpr quint8 RoutingReadSelector = 0x00;
constexpr quint8 WallInputSelectMode = 0x01;
constexpr quint8 LRChannel = 0x00;
constexpr quint32 EchoLR = 6;
} // namespace

bool CMD_SwitchInput(quint32 in, quint32 out)
{
    if (!InputInRange(in) || !OutputInRange(out))
        return false;
    const QByteArray payload = Bytes({in, out});
    return QueueDevice(Cmd::Switch, payload, RoutingReport(), Reply(Wait::Normal, true));
}

bool CMD_SwitchInputLatest(quint32 in, quint32 out)
{
    if (!InputInRange(in) || !OutputInRange(out))
        return false;
    const auto switchOf = [](const QByteArray &frame, quint8 *output) {
        if (quint32(frame.size()) <= Frame::DevicePayloadOffset + 1
            || quint8(frame.at(Frame::DeviceCommandOffset)) != Cmd::Switch)
            return false;
        *output = quint8(frame.at(Frame::DevicePayloadOffset + 1));
        return true;
    };
    const auto replaces = [out, switchOf](const QByteArray &frame) {
        quint8 output = 0;
        return switchOf(frame, &output) && output == out;
    };
    // Only a switch of another single output, or a routing read, may be
    // overtaken: anything else could route this output too.
    const auto mayPass = [out, switchOf](const QByteArray &frame) {
        quint8 output = 0;
        if (switchOf(frame, &output))
            return output != out && output != AllOutputs;
        return quint32(frame.size()) > Frame::DeviceCommandOffset
            && quint8(frame.at(Frame::DeviceCommandOffset)) == Cmd::RoutingRead;
    };
    return QueueDeviceLatest(Cmd::Switch, Bytes({in, out}), RoutingReport(), Reply(Wait::Normal, true), replaces,
                             mayPass);
}

bool CMD_SwitchAllOutputs(quint32 in)
{
    if (!InputInRange(in))
        return false;
    const QByteArray payload = Bytes({in, AllOutputs});
    return QueueDevice(Cmd::Switch, payload, RoutingReport(), Reply(Wait::AllOutputs, true));
}

bool CMD_RoutingRead()
{
    const QByteArray payload(1, char(RoutingReadSelector));
    return QueueDevice(Cmd::RoutingRead, payload, RoutingReport(), Reply(Wait::Normal, true));
}

bool CMD_TvWallInputSelect(quint32 in, const QVector<quint32> &outputs)
{
    if (!InputInRange(in) || outputs.isEmpty() || quint32(outputs.size()) > DeviceLimits::Channels)
        return false;
    QByteArray payload(1, char(WallInputSelectMode));
    for (quint32 out : outputs) {
        if (!OutputInRange(out))
            return false;
        payload.append(char(in));
        payload.append(char(out));
    }
    return QueueDevice(Cmd::WallInputSelect, payload, RoutingReport(), Reply(Wait::WallInputSelect, true));
}

bool CMD_LRInputRead()
{
    const QByteArray payload = Bytes({LRChannel, Dir::ReadOutput, 0});
    return QueueDevice(Cmd::LRInput, payload, Echo(EchoLR), Reply(Wait::Normal, true));
}

bool CMD_LRInputWrite(quint8 value)
{
    const QByteArray payload = Bytes({LRChannel, Dir::WriteOutput, value});
    return QueueDevice(Cmd::LRInput, payload, Echo(EchoLR), Reply(Wait::Normal, true));
}

bool QueueMatrixInitialRead()
{
    const bool routing = CMD_RoutingRead();
    const bool lr = CMD_LRInputRead();
    return routing || lr;
}

bool QueueSignalConfigInitialRead()
{
    bool queued = false;
    for (quint32 in = 0; in < Device().inputCount; ++in)
        queued = CMD_InputInfoRead(in) || queued;
    queued = CMD_InputBindRead() || queued;
    for (quint32 out = 0; out < Device().outputCount; ++out)
        queued = CMD_OutputInfoRead(out) || queued;
    return queued;
}

bool QueueTvWallRead()
{
    return CMD_TvWallRead();
}
