// The device reply dispatcher: picks the handler by command code, and the
// handlers of routing, peripherals, device texts and switches.
#include "protocol/ReplyDispatcher.h"

#include "app/LanguageTable.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/DispatchFrame.h"
#include "protocol/DispatchHandlers.h"

namespace {

constexpr quint32 FrontPanelMinLength = 36;
constexpr quint32 FrontPanelLine1 = 2;
constexpr quint32 FrontPanelLine2 = 19;
constexpr quint32 FrontPanelLineBytes = 16;
constexpr quint8 FrontPanelSelector = 1;
constexpr quint32 NameMinLength = 42;
constexpr quint32 NameOffset = 2;
constexpr quint32 NameBytes = 40;
constexpr quint8 SerialSelector = 0;
constexpr quint8 NameSelector = 1;
constexpr quint32 BindOffset = 2;
constexpr quint32 BitsPerByte = 8;
constexpr quint8 GroupIoInputs = 1;
constexpr quint8 GroupRelays = 3;
constexpr quint8 LineStateMask = 0x0F;
constexpr quint32 ErrorWithCode = 3;
constexpr quint32 PeripheralLength = 4; // selector, direction, group, line states
constexpr quint32 FeatureLength = 4;    // channel, direction, feature, value
constexpr quint32 LRLength = 3;         // channel, direction, input

} // namespace

void DispatchDeviceReply(const QByteArray &frame)
{
    const DispatchFrame f(frame);
    if (!f.valid())
        return;
    using namespace Dispatch;
    switch (f.code()) {
    case Cmd::RoutingReply:
        Routing(f);
        break;
    case Cmd::Peripheral:
        Peripheral(f);
        break;
    case Cmd::FrontPanelText:
        FrontPanelText(f);
        break;
    case Cmd::InputBind:
        InputBind(f);
        break;
    case Cmd::NameSerial:
        NameSerial(f);
        break;
    case Cmd::FeatureSwitch:
        FeatureSwitch(f);
        break;
    case Cmd::SignalInfo:
        SignalInfo(f);
        break;
    case Cmd::TvWall:
        TvWall(f);
        break;
    case Cmd::DeviceType:
        DeviceType(f);
        break;
    case Cmd::FirmwareVersion:
        FirmwareVersion(f);
        break;
    case Cmd::DeviceInfo:
        DeviceInfo(f);
        break;
    case Cmd::ModuleAt:
        ModuleAt(f);
        break;
    case Cmd::Multiview:
        Multiview(f);
        break;
    case Cmd::MvGeometry:
    case Cmd::MvCrop:
    case Cmd::MvLayer:
    case Cmd::MvStatus:
        MultiviewWindowAck(f);
        break;
    case Cmd::OutputMode:
        OutputMode(f);
        break;
    case Cmd::MvAudio:
        MultiviewAudio(f);
        break;
    case Cmd::AllOutputModes:
        AllOutputModes(f);
        break;
    case Cmd::OutputResolution:
        OutputResolution(f);
        break;
    case Cmd::SignalType:
        SignalType(f);
        break;
    case Cmd::SignalFormat:
        SignalFormat(f);
        break;
    case Cmd::Edid:
        Edid(f);
        break;
    case Cmd::Rotate:
        Rotate(f);
        break;
    case Cmd::InputEdidMode:
        InputEdidMode(f);
        break;
    case Cmd::LRInput:
        LRInput(f);
        break;
    case Cmd::Error:
        Error(f);
        break;
    default:
        break;
    }
}

namespace Dispatch {

void StatusItem(const QString &item)
{
    emit Events().SGL_StatusLine(QStringLiteral("%1 %2 %3.").arg(S_Sync, item, S_Message));
}

void StatusChannel(const QString &item, const QString &channel)
{
    emit Events().SGL_StatusLine(QStringLiteral("%1 %2-%3 %4.").arg(S_Sync, item, channel, S_Message));
}

void StatusFeature(const QString &item, quint32 channel, const QString &feature)
{
    emit Events().SGL_StatusLine(
        QStringLiteral("%1 %2-%3 <%4>%5.").arg(S_Sync, item, QString::number(channel), feature, S_Message));
}

QString TextUpToNul(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    return QString::fromLatin1(end < 0 ? bytes : bytes.left(end));
}

void Routing(const DispatchFrame &f)
{
    // Outputs beyond the table all land on the last entry, so it ends with
    // the last value of the report.
    DeviceState &device = Device();
    for (quint32 i = 0; i < f.length(); ++i) {
        device.routingAt(i) = f.p(i);
        device.wallEntry(i).input = f.p(i);
    }
    emit Events().SGL_RefreshMatrix();
    StatusItem(Ui_Matrix_AppName);
}

void Peripheral(const DispatchFrame &f)
{
    if (!f.has(PeripheralLength))
        return;
    if (f.p(1) != Dir::ReadFlag && f.p(1) != Dir::WriteOutput)
        return;
    const quint8 group = f.p(2);
    if (group < GroupIoInputs || group > GroupRelays)
        return;
    emit Events().SGL_PeripheralLines(group, f.p(3) & LineStateMask);
}

void FrontPanelText(const DispatchFrame &f)
{
    if (!f.has(FrontPanelMinLength))
        return;
    const quint8 selector = f.p(1);
    if (!(selector & Dir::ReadFlag) || (selector & Dir::FrontPanelMask) != FrontPanelSelector)
        return;
    emit Events().SGL_Update_FrontPanelDispaly(TextUpToNul(f.bytes(FrontPanelLine1, FrontPanelLineBytes)),
                                               TextUpToNul(f.bytes(FrontPanelLine2, FrontPanelLineBytes)));
}

void InputBind(const DispatchFrame &f)
{
    if (!f.has(BindOffset))
        return;
    DeviceState &device = Device();
    // The field has room for 80 inputs. Bits past the input table are
    // skipped instead of landing on input 15: the device fills them with
    // zeros, and the last of them would otherwise clear input 15's flag.
    for (quint32 k = 0; k + BindOffset < f.length(); ++k) {
        const quint8 bits = f.p(BindOffset + k);
        for (quint32 b = 0; b < BitsPerByte && k * BitsPerByte + b < DeviceLimits::Channels; ++b)
            device.inputAt(k * BitsPerByte + b).bind = (bits >> b) & 1;
    }
    emit Events().SGL_RefreshBinds();
    StatusChannel(S_Input, S_Bind);
}

void NameSerial(const DispatchFrame &f)
{
    if (!f.has(NameMinLength) || !(f.p(1) & Dir::ReadFlag))
        return;
    const QString text = TextUpToNul(f.bytes(NameOffset, NameBytes));
    switch (f.p(1) & Dir::SelectorMask) {
    case SerialSelector:
        emit Events().SGL_Update_SN(text);
        break;
    case NameSelector:
        emit Events().SGL_Update_DeviceName(text);
        break;
    default:
        break;
    }
}

void FeatureSwitch(const DispatchFrame &f)
{
    if (!f.has(FeatureLength))
        return;
    DeviceState &device = Device();
    const quint32 channel = f.p(0);
    const quint8 value = f.p(3);
    const bool report = f.p(1) & Dir::ReadFlag;
    switch (f.p(2)) {
    case Feature::AllBind:
        device.allBind = value;
        emit Events().SGL_Update_AllBind();
        return;
    case Feature::Report:
        device.reportOn = value;
        emit Events().SGL_Update_ReportOn();
        return;
    case Feature::Ir:
        device.irOn = value;
        emit Events().SGL_Update_IR();
        return;
    case Feature::NPlus1:
        device.nPlus1Backup = value;
        emit Events().SGL_Update_NAdd1Backup();
        return;
    case Feature::Freeze:
        device.outputAt(channel).freeze = value;
        emit Events().SGL_RefreshOutput(ClampChannel(channel));
        if (report)
            StatusFeature(S_OutPut, channel + 1, S_Freeze);
        return;
    case Feature::Mute:
        device.outputAt(channel).mute = value;
        emit Events().SGL_RefreshOutput(ClampChannel(channel));
        if (report)
            StatusFeature(S_OutPut, channel + 1, S_AudioMute);
        return;
    case Feature::Black:
        device.outputAt(channel).black = value;
        emit Events().SGL_RefreshOutput(ClampChannel(channel));
        if (report)
            StatusFeature(S_OutPut, channel + 1, S_Black);
        return;
    default:
        return;
    }
}

void LRInput(const DispatchFrame &f)
{
    if (!f.has(LRLength))
        return;
    Device().lrInput = f.p(2);
    emit Events().SGL_RefreshMatrix();
    StatusItem(Ui_Matrix_AppName);
}

void Error(const DispatchFrame &f)
{
    DeviceState &device = Device();
    if (!f.has(ErrorWithCode)) {
        device.edidReadBusy = 0;
        device.edidWriteBusy = 0;
        return;
    }
    if (f.p(1) != Cmd::Edid)
        return;
    if (f.p(2) != 0)
        device.edidReadBusy = 0;
    else
        device.edidWriteBusy = 0;
}

} // namespace Dispatch
