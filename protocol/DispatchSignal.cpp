// Input and output signal replies: signal info, type, format, output modes,
// rotation, resolution and EDID mode.
#include "app/LanguageTable.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/DispatchFrame.h"
#include "protocol/DispatchHandlers.h"

namespace {

constexpr quint32 SignalInfoMinLength = 22;
constexpr quint32 ModeGroupSize = 4;
constexpr quint32 GroupFlag = 0x02; // bit 1 of pos3: member of an output-mode group
constexpr quint32 ModePairBytes = 2;
constexpr quint32 ValueLength = 3;      // channel, direction, value
constexpr quint32 TypeLength = 4;       // channel, direction, type, board kind
constexpr quint32 ResolutionLength = 6; // channel, direction, width, height

quint8 IsZero(quint8 value)
{
    return value == 0 ? 1 : 0;
}

void StoreInputInfo(InputInfo &in, const DispatchFrame &f)
{
    in.pos2 = f.p(2);
    in.pos3 = f.p(3);
    in.type = f.p(4);
    in.pos6 = f.p(6);
    in.pair7 = f.pair(7);
    in.pair9 = f.pair(9);
    in.zero11 = IsZero(f.p(11));
    in.pos12 = f.p(12);
    in.pair13 = f.pair(13);
    in.pair15 = f.pair(15);
    in.zero17 = IsZero(f.p(17));
    in.pos18 = f.p(18);
}

void StoreOutputInfo(OutputInfo &out, const DispatchFrame &f)
{
    out.pos2 = f.p(2);
    out.pos3 = f.p(3);
    out.type = f.p(5);
    out.pair6 = f.pair(6);
    out.pair8 = f.pair(8);
    out.zero10 = IsZero(f.p(10));
    out.pos11 = f.p(11);
    out.format = f.p(12);
    out.mute = f.p(13);
    out.freeze = f.p(14);
    out.black = f.p(15);
}

// One output's mode; a mode on the first output of a group of four joins
// the group: all four are marked and the followers take the leader's format.
void ApplyOutputMode(quint32 output, quint8 mode)
{
    DeviceState &device = Device();
    device.outputAt(output).mode = mode;
    emit Events().SGL_Update_OutputMode(output, mode);
    if (output % ModeGroupSize != 0) {
        emit Events().SGL_RefreshOutput(ClampChannel(output));
        emit Events().SGL_OutputChanged(ClampChannel(output));
        return;
    }
    const OutputInfo &leader = device.outputAt(output);
    const bool grouped = leader.mode != 0;
    const quint32 leaderFormat = leader.format;
    for (quint32 i = output; i < output + ModeGroupSize; ++i) {
        OutputInfo &member = device.outputAt(i);
        if (grouped) {
            member.pos3 |= GroupFlag;
            if (i != output)
                member.format = leaderFormat;
        } else {
            member.pos3 &= ~GroupFlag;
        }
        emit Events().SGL_RefreshOutput(ClampChannel(i));
    }
    emit Events().SGL_OutputChanged(ClampChannel(output));
}

} // namespace

namespace Dispatch {

void SignalInfo(const DispatchFrame &f)
{
    if (!f.has(SignalInfoMinLength) || !(f.p(1) & Dir::ReadFlag))
        return;
    const quint32 channel = f.p(0);
    const QString number = QString::number(channel + 1);
    if (f.p(1) & Dir::InputFlag) {
        StoreInputInfo(Device().inputAt(channel), f);
        emit Events().SGL_RefreshInput(ClampChannel(channel));
        StatusChannel(S_Input, number);
    } else {
        StoreOutputInfo(Device().outputAt(channel), f);
        emit Events().SGL_RefreshOutput(ClampChannel(channel));
        emit Events().SGL_OutputChanged(ClampChannel(channel));
        StatusChannel(S_OutPut, number);
    }
}

void OutputMode(const DispatchFrame &f)
{
    if (!f.has(ValueLength))
        return;
    ApplyOutputMode(f.p(0), f.p(2));
}

void AllOutputModes(const DispatchFrame &f)
{
    const quint32 pairs = f.length() / ModePairBytes;
    for (quint32 k = 0; k < pairs; ++k)
        ApplyOutputMode(f.p(k * ModePairBytes), f.p(k * ModePairBytes + 1));
}

void OutputResolution(const DispatchFrame &f)
{
    if (!f.has(ResolutionLength) || (f.p(1) & Dir::InputFlag))
        return;
    DeviceState &device = Device();
    const quint32 output = f.p(0);
    const quint32 width = f.pair(2);
    const quint32 height = f.pair(4);
    emit Events().SGL_Update_UserResolution(output, width, height);

    MultiPanelJob &job = device.multiPanel;
    if (!job.busy)
        return;
    device.outputAt(output).panelWidth = width;
    device.outputAt(output).panelHeight = height;
    const quint32 members = qMin<quint32>(job.count, DeviceLimits::Channels);
    bool member = false;
    for (quint32 k = 0; k < members && !member; ++k)
        member = job.outputs[k] == output;
    if (!member)
        return;
    ++job.received;
    if (job.received >= job.count) {
        job.busy = 0;
        job.received = 0;
        emit Events().SGL_MultiPanelReadCompleted(job.count);
    }
}

void SignalType(const DispatchFrame &f)
{
    if (!f.has(TypeLength))
        return;
    const quint32 channel = f.p(0);
    if (f.p(1) & Dir::InputFlag) {
        InputInfo &in = Device().inputAt(channel);
        in.type = f.p(2);
        in.pos2 = f.p(3);
        emit Events().SGL_RefreshInput(ClampChannel(channel));
    } else {
        OutputInfo &out = Device().outputAt(channel);
        out.type = f.p(2);
        out.pos2 = f.p(3);
        emit Events().SGL_RefreshOutput(ClampChannel(channel));
    }
}

void SignalFormat(const DispatchFrame &f)
{
    if (!f.has(ValueLength))
        return;
    const quint32 channel = f.p(0);
    if (f.p(1) & Dir::InputFlag) {
        Device().inputAt(channel).format = f.p(2);
        emit Events().SGL_RefreshInput(ClampChannel(channel));
    } else {
        Device().outputAt(channel).format = f.p(2);
        emit Events().SGL_RefreshOutput(ClampChannel(channel));
    }
}

void Rotate(const DispatchFrame &f)
{
    if (!f.has(ValueLength) || !(f.p(1) & Dir::ReadFlag))
        return;
    Device().outputAt(f.p(0)).rotate = f.p(2);
    emit Events().SGL_Update_OutputRotate(f.p(0), f.p(2));
}

void InputEdidMode(const DispatchFrame &f)
{
    if (!f.has(ValueLength))
        return;
    Device().inputAt(f.p(0)).edidMode = f.p(2);
    emit Events().SGL_Update_InEdidMode(f.p(0), int(f.p(2)));
}

} // namespace Dispatch
