// Signal configuration, advanced output settings and EDID blocks.
#include "protocol/Catalogue.h"

#include "protocol/CatalogueBuild.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceState.h"

using namespace CatalogueBuild;

namespace {

constexpr quint8 DeviceWide = 0x00; // channel byte of device-wide commands
constexpr quint8 NoSignalAll = 0xFF;
constexpr quint32 EchoInfo = 3;
constexpr quint32 EchoSetting = 6;
constexpr quint32 EchoFeature = 7;
constexpr quint32 EchoBackup = 4;
constexpr quint32 BitsPerByte = 8;

// Per-output switch of command 0x49 (mute, black, freeze).
bool OutputFeatureWrite(quint32 ch, quint8 feature, quint8 value)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::FeatureSwitch, Bytes({ch, Dir::OutputFeature, feature, value}), Echo(EchoFeature),
                       Reply(Wait::Feature, false));
}

bool DeviceFeature(quint8 direction, quint8 feature, quint8 value, quint32 waitMs)
{
    return QueueDevice(Cmd::FeatureSwitch, Bytes({DeviceWide, direction, feature, value}), Echo(EchoFeature),
                       Reply(waitMs, false));
}

bool OutputSetting(quint8 code, quint32 ch, quint8 direction, quint8 value, quint32 waitMs)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(code, Bytes({ch, direction, value}), Echo(EchoSetting), Reply(waitMs, true));
}

// Reads and writes of one EDID block: port, direction, block offset, then
// sixteen bytes (zeros for a read).
bool EdidBlock(quint32 port, quint8 direction, quint8 offset, const quint8 *data)
{
    if (quint32(offset) + DeviceLimits::EdidBlock > DeviceLimits::EdidBytes)
        return false;
    QByteArray payload = Bytes({port, direction, offset});
    if (data)
        payload.append(reinterpret_cast<const char *>(data + offset), int(DeviceLimits::EdidBlock));
    else
        payload.append(QByteArray(int(DeviceLimits::EdidBlock), '\0'));
    return QueueDevice(Cmd::Edid, payload, Echo(EchoFeature), Reply(Wait::Edid, true));
}

} // namespace

bool CMD_InputInfoRead(quint32 ch)
{
    if (!InputInRange(ch))
        return false;
    return QueueDevice(Cmd::SignalInfo, Bytes({ch, Dir::ReadInput}), Echo(EchoInfo), Reply(Wait::Normal, false));
}

bool CMD_OutputInfoRead(quint32 ch)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::SignalInfo, Bytes({ch, Dir::ReadOutput}), Echo(EchoInfo), Reply(Wait::Normal, false));
}

bool CMD_InputBindRead()
{
    QByteArray payload = Bytes({DeviceWide, Dir::FeatureRead});
    payload.append(QByteArray(int(BindBytes), '\0'));
    return QueueDevice(Cmd::InputBind, payload, Echo(EchoSetting), Reply(Wait::Normal, true));
}

bool CMD_InputBindWrite()
{
    QByteArray payload = Bytes({DeviceWide, Dir::FeatureWrite});
    for (quint32 k = 0; k < BindBytes; ++k) {
        quint8 bits = 0;
        for (quint32 b = 0; b < BitsPerByte; ++b)
            if (Device().inputAt(k * BitsPerByte + b).bind)
                bits |= quint8(1u << b);
        payload.append(char(bits));
    }
    return QueueDevice(Cmd::InputBind, payload, Echo(EchoSetting), Reply(Wait::Normal, true));
}

bool CMD_InputAudioSelectWrite(quint32 ch, quint8 value)
{
    if (!InputInRange(ch))
        return false;
    return QueueDevice(Cmd::InputAudio, Bytes({ch, Dir::WriteInput, value}), Echo(EchoSetting),
                       Reply(Wait::Normal, true));
}

bool CMD_InputTypeWrite(quint32 ch, quint8 value)
{
    if (!InputInRange(ch))
        return false;
    return QueueDevice(Cmd::SignalType, Bytes({ch, Dir::WriteInputType, value, 0}), Echo(EchoSetting),
                       Reply(Wait::Normal, true));
}

bool CMD_OutputTypeWrite(quint32 ch, quint8 value)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::SignalType, Bytes({ch, Dir::WriteOutput, value, 0}), Echo(EchoSetting),
                       Reply(Wait::Normal, true));
}

bool CMD_OutputFormatWrite(quint32 ch, quint8 value)
{
    return OutputSetting(Cmd::SignalFormat, ch, Dir::WriteOutput, value, Wait::Normal);
}

bool CMD_OutputAudioMuteWrite(quint32 ch, quint8 value)
{
    return OutputFeatureWrite(ch, Feature::Mute, value);
}

bool CMD_OutputBlackWrite(quint32 ch, quint8 value)
{
    return OutputFeatureWrite(ch, Feature::Black, value);
}

bool CMD_OutputFreezeWrite(quint32 ch, quint8 value)
{
    return OutputFeatureWrite(ch, Feature::Freeze, value);
}

bool CMD_AllBindWrite(quint8 value)
{
    return DeviceFeature(Dir::FeatureWrite, Feature::AllBind, value, Wait::Normal);
}

bool CMD_ReportWrite(quint8 value)
{
    return DeviceFeature(Dir::FeatureWrite, Feature::Report, value, Wait::Normal);
}

bool CMD_IrWrite(quint8 value)
{
    return DeviceFeature(Dir::IrWrite, Feature::Ir, value, Wait::Normal);
}

bool CMD_NPlus1Write(quint8 value)
{
    return DeviceFeature(Dir::FeatureWrite, Feature::NPlus1, value, Wait::Normal);
}

bool CMD_AllBindRead()
{
    return DeviceFeature(Dir::FeatureRead, Feature::AllBind, 0, Wait::Feature);
}

bool CMD_ReportRead()
{
    return DeviceFeature(Dir::FeatureRead, Feature::Report, 0, Wait::Feature);
}

bool CMD_IrRead()
{
    return DeviceFeature(Dir::IrRead, Feature::Ir, 0, Wait::Feature);
}

bool CMD_NPlus1Read()
{
    return DeviceFeature(Dir::FeatureRead, Feature::NPlus1, 0, Wait::Feature);
}

bool CMD_NPlus1BackupWrite(quint8 value)
{
    return QueueDevice(Cmd::NPlus1Backup, Bytes({value}), Echo(EchoBackup), Reply(Wait::Normal, false));
}

bool CMD_NoSignalModeWrite(bool inputSide, quint8 value)
{
    const quint8 side = inputSide ? Dir::WriteInput : Dir::WriteOutput;
    return QueueDevice(Cmd::NoSignalMode, Bytes({NoSignalAll, side, value}), Echo(EchoSetting),
                       Reply(Wait::Normal, false));
}

bool CMD_OutputModeRead(quint32 ch)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::OutputMode, Bytes({ch, Dir::ReadOutput, 0}), Echo(EchoSetting),
                       Reply(Wait::OutputMode, false));
}

bool CMD_OutputModeWrite(quint32 ch, quint8 value)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::OutputMode, Bytes({ch, Dir::WriteOutput, value}), Echo(EchoSetting),
                       Reply(Wait::OutputMode, false));
}

bool CMD_OutputRotateRead(quint32 ch)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::Rotate, Bytes({ch, Dir::ReadOutput, 0}), Echo(EchoSetting), Reply(Wait::Normal, false));
}

bool CMD_OutputRotateWrite(quint32 ch, quint8 value)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::Rotate, Bytes({ch, Dir::WriteOutput, value}), Echo(EchoSetting),
                       Reply(Wait::Normal, false));
}

bool CMD_OutputResolutionRead(quint32 ch)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::OutputResolution, Bytes({ch, Dir::ReadOutput, 0, 0, 0, 0}), Echo(EchoSetting),
                       Reply(Wait::Normal, false));
}

bool CMD_OutputResolutionWrite(quint32 ch, quint16 width, quint16 height)
{
    if (!OutputInRange(ch))
        return false;
    QByteArray payload = Bytes({ch, Dir::WriteOutput});
    AppendWord(payload, width);
    AppendWord(payload, height);
    return QueueDevice(Cmd::OutputResolution, payload, Echo(EchoSetting), Reply(Wait::Normal, false));
}

bool CMD_OutputTestPatternWrite(quint32 ch, bool on, quint8 pattern)
{
    if (!OutputInRange(ch))
        return false;
    return QueueDevice(Cmd::TestPattern, Bytes({ch, on ? 1u : 0u, on ? pattern : 0u}), Echo(EchoSetting),
                       Reply(Wait::Normal, false));
}

bool CMD_EdidRead(quint32 out)
{
    if (!OutputInRange(out))
        return false;
    return EdidBlock(out, Dir::ReadOutput, Device().edidReadOffset, nullptr);
}

bool CMD_EdidWrite(quint32 in, const quint8 *buffer)
{
    if (!InputInRange(in) || !buffer)
        return false;
    return EdidBlock(in, Dir::WriteInput, Device().edidWriteOffset, buffer);
}

bool CMD_InputEdidModeRead(quint32 in)
{
    if (!InputInRange(in))
        return false;
    return QueueDevice(Cmd::InputEdidMode, Bytes({in, Dir::ReadInput, 0}), Echo(EchoSetting), Reply(Wait::Edid, false));
}

bool CMD_InputEdidModeWrite(quint32 in, quint8 mode)
{
    if (!InputInRange(in))
        return false;
    return QueueDevice(Cmd::InputEdidMode, Bytes({in, Dir::WriteInput, mode}), Echo(EchoSetting),
                       Reply(Wait::Edid, false));
}
