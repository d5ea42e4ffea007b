#include "protocol/SentCommandText.h"

#include "app/LanguageTable.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/Frames.h"

namespace {

constexpr quint8 AllOutputs = 0xFF;
constexpr int ModuleCommandOffset = 1;
constexpr int HexBase = 16;
constexpr int CodeDigits = 2;

QString CodeText(quint8 code)
{
    return SCMD_Command.arg(QLatin1String("0x")
                            + QString::number(code, HexBase).toUpper().rightJustified(CodeDigits, QLatin1Char('0')));
}

// Payload byte i of a device frame, or -1 when the frame is too short.
int PayloadByte(const QByteArray &sent, int i)
{
    const int at = int(Frame::DevicePayloadOffset) + i;
    return at < sent.size() ? int(quint8(sent.at(at))) : -1;
}

QString DeviceCommandText(const QByteArray &sent)
{
    const quint8 code = quint8(sent.at(Frame::DeviceCommandOffset));
    const int first = PayloadByte(sent, 0);
    const int second = PayloadByte(sent, 1);
    switch (code) {
    case Cmd::Switch:
        if (first < 0 || second < 0)
            break;
        if (second == AllOutputs)
            return SCMD_SwitchAll.arg(first + 1);
        return SCMD_Switch.arg(first + 1).arg(second + 1);
    case Cmd::LayoutSave:
    case Cmd::LayoutLoad:
        if (first < 0)
            break;
        return (code == Cmd::LayoutSave ? SCMD_PresetSave : SCMD_PresetLoad).arg(first + 1);
    case Cmd::RoutingRead:
        return SCMD_RoutingRead;
    case Cmd::OutputMode:
        if (first < 0)
            break;
        return SCMD_OutputMode.arg(first + 1);
    case Cmd::FeatureSwitch: {
        // The switches of one output say which and where; the device-wide
        // ones keep the code.
        if (first < 0 || second != Dir::OutputFeature)
            break;
        const int feature = PayloadByte(sent, 2);
        const QString name = feature == Feature::Mute ? S_AudioMute
            : feature == Feature::Freeze              ? S_Freeze
            : feature == Feature::Black               ? S_Black
                                                      : QString();
        if (name.isEmpty())
            break;
        return SCMD_OutputSwitch.arg(name).arg(first + 1);
    }
    case Cmd::Edid:
        return SCMD_Edid;
    case Cmd::DeviceReset:
        return SCMD_Reset;
    default:
        break;
    }
    return CodeText(code);
}

} // namespace

QString SentCommandText(const QByteArray &sent)
{
    const bool device = sent.size() > int(Frame::DeviceCommandOffset) && quint8(sent.at(0)) == Frame::DeviceStart
        && quint8(sent.at(1)) == Frame::DeviceStart;
    if (device)
        return DeviceCommandText(sent);
    if (sent.size() > ModuleCommandOffset)
        return CodeText(quint8(sent.at(ModuleCommandOffset)));
    return SCMD_Command.arg(QStringLiteral("?"));
}
