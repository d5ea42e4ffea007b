#include "cli/FrameDescriber.h"

#include "cli/SignalText.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"

namespace {

constexpr unsigned PeripheralLines = 4;
// The feature switch reply: p2 names the feature, 3, 5 and 7 being fields
// of an output.
constexpr quint32 FeatureSelectorIndex = 2;
constexpr int FeatureFreeze = 3;
constexpr int FeatureMute = 5;
constexpr int FeatureBlack = 7;
constexpr const char *PeripheralGroups[] = {"peripheral", "IO inputs", "IO outputs", "relays"};
constexpr unsigned PeripheralGroupCount = sizeof PeripheralGroups / sizeof PeripheralGroups[0];

QString LinesText(unsigned int states)
{
    QString text;
    for (unsigned line = 0; line < PeripheralLines; ++line)
        text += QLatin1Char((states >> line) & 1u ? '1' : '0');
    return text;
}

QString InputText(unsigned int channel)
{
    const InputInfo &info = Device().inputAt(channel);
    return QStringLiteral("input %1 type %2 signal %3")
        .arg(channel + 1)
        .arg(SignalTypeName(info.type), InputSignalText(info).isEmpty() ? QStringLiteral("-") : InputSignalText(info));
}

QString OutputText(unsigned int channel)
{
    const OutputInfo &info = Device().outputAt(channel);
    return QStringLiteral("output %1 type %2 format %3 mute %4 freeze %5 black %6")
        .arg(channel + 1)
        .arg(SignalTypeName(info.type))
        .arg(info.format)
        .arg(OnOff(info.mute), OnOff(info.freeze), OnOff(info.black));
}

QString BindsText()
{
    QStringList bound;
    for (quint32 in = 0; in < DeviceLimits::Channels; ++in) {
        if (Device().inputAt(in).bind)
            bound << QString::number(in + 1);
    }
    return QStringLiteral("pairing %1").arg(bound.isEmpty() ? QStringLiteral("none") : bound.join(QLatin1Char(',')));
}

} // namespace

FrameDescriber::FrameDescriber(QObject *parent)
    : QObject(parent)
{
    DeviceEvents &events = Events();
    connect(&events, &DeviceEvents::SGL_RefreshMatrix, this, [this] { m_matrix = true; });
    connect(&events, &DeviceEvents::SGL_RefreshInput, this, [this](unsigned int ch) {
        if (m_active)
            m_refreshed.push_back({true, ch});
    });
    connect(&events, &DeviceEvents::SGL_RefreshOutput, this, [this](unsigned int ch) {
        if (m_active)
            m_refreshed.push_back({false, ch});
    });
    connect(&events, &DeviceEvents::SGL_RefreshBinds, this, [this] { note(BindsText()); });
    connect(&events, &DeviceEvents::SGL_UpdateContent_TvWall, this, [this](unsigned int rows, unsigned int cols) {
        note(QStringLiteral("TV wall %1x%2").arg(rows).arg(cols));
    });
    connect(&events, &DeviceEvents::SGL_RefreshMultiview, this, [this](unsigned int record) {
        note(QStringLiteral("multiview on output %1").arg(Device().multiviewAt(record).output + 1));
    });
    connect(&events, &DeviceEvents::SGL_IdentificationSucceeded, this, [this] {
        const DeviceState &device = Device();
        note(QStringLiteral("identified: %1 inputs, %2 outputs, %3 presets")
                 .arg(device.inputCount)
                 .arg(device.outputCount)
                 .arg(device.layoutCount));
    });
    connect(&events, &DeviceEvents::SGL_IdentificationFailed, this,
            [this] { note(QStringLiteral("identification refused")); });
    connect(&events, &DeviceEvents::SGL_Update_AllBind, this,
            [this] { note(QStringLiteral("all bind %1").arg(OnOff(Device().allBind))); });
    connect(&events, &DeviceEvents::SGL_Update_ReportOn, this,
            [this] { note(QStringLiteral("report %1").arg(OnOff(Device().reportOn))); });
    connect(&events, &DeviceEvents::SGL_Update_IR, this,
            [this] { note(QStringLiteral("IR %1").arg(OnOff(Device().irOn))); });
    connect(&events, &DeviceEvents::SGL_Update_NAdd1Backup, this,
            [this] { note(QStringLiteral("N+1 backup %1").arg(OnOff(Device().nPlus1Backup))); });
    connect(&events, &DeviceEvents::SGL_Update_OutputRotate, this, [this](unsigned int out, unsigned int rotate) {
        note(QStringLiteral("output %1 rotation %2").arg(out + 1).arg(rotate));
    });
    connect(&events, &DeviceEvents::SGL_Update_UserResolution, this,
            [this](unsigned int out, unsigned int width, unsigned int height) {
                note(QStringLiteral("output %1 resolution %2x%3").arg(out + 1).arg(width).arg(height));
            });
    connect(&events, &DeviceEvents::SGL_Update_OutputMode, this, [this](unsigned int out, unsigned int mode) {
        note(QStringLiteral("output %1 mode %2").arg(out + 1).arg(mode));
    });
    connect(&events, &DeviceEvents::SGL_Update_InEdidMode, this,
            [this](unsigned int in, int mode) { note(QStringLiteral("input %1 EDID mode %2").arg(in + 1).arg(mode)); });
    connect(&events, &DeviceEvents::SGL_Update_EdidMessage, this, [this](const QString &text) { note(text); });
    connect(&events, &DeviceEvents::SGL_Update_OutEdid, this,
            [this](unsigned int port, const QString &, unsigned int count) {
                note(QStringLiteral("EDID of output %1: %2 bytes").arg(port + 1).arg(count));
            });
    connect(&events, &DeviceEvents::SGL_Update_FrontPanelDispaly, this,
            [this](const QString &line1, const QString &line2) {
                note(QStringLiteral("front panel \"%1\" \"%2\"").arg(line1, line2));
            });
    connect(&events, &DeviceEvents::SGL_Update_SN, this,
            [this](const QString &text) { note(QStringLiteral("serial number \"%1\"").arg(text)); });
    connect(&events, &DeviceEvents::SGL_Update_DeviceName, this,
            [this](const QString &text) { note(QStringLiteral("device name \"%1\"").arg(text)); });
    connect(&events, &DeviceEvents::SGL_PeripheralLines, this, [this](unsigned int group, unsigned int states) {
        const char *name = group < PeripheralGroupCount ? PeripheralGroups[group] : PeripheralGroups[0];
        note(QStringLiteral("%1 %2").arg(QLatin1String(name), LinesText(states)));
    });
    connect(&events, &DeviceEvents::SGL_FirmwareVersion, this,
            [this](unsigned int port, unsigned int type, const QString &text) {
                note(QStringLiteral("firmware module %1 port %2 %3").arg(type).arg(port + 1).arg(text));
            });
    connect(&events, &DeviceEvents::SGL_DeviceInformation, this,
            [this](const QString &name, const QString &mac, bool staticIp, const QString &ip, const QString &mask,
                   const QString &gateway, const QString &version) {
                note(QStringLiteral("device information name \"%1\" mac %2 %3 %4/%5 gateway %6 version \"%7\"")
                         .arg(name, mac, staticIp ? QStringLiteral("static") : QStringLiteral("dhcp"), ip, mask,
                              gateway, version));
            });
    connect(&events, &DeviceEvents::SGL_ModuleAtAnswer, this,
            [this](const QByteArray &) { note(QStringLiteral("network module answer")); });
}

void FrameDescriber::begin()
{
    m_active = true;
    m_matrix = false;
    m_notes.clear();
    m_refreshed.clear();
}

QString FrameDescriber::channelText(const QByteArray &frame, const Refreshed &refreshed) const
{
    const quint32 code =
        quint32(frame.size()) > Frame::DeviceCommandOffset ? quint8(frame.at(int(Frame::DeviceCommandOffset))) : 0;
    const auto payload = [&frame](quint32 index) -> int {
        const quint32 at = Frame::DevicePayloadOffset + index;
        return at < quint32(frame.size()) ? quint8(frame.at(int(at))) : -1;
    };
    const QString channel = QStringLiteral("%1 %2")
                                .arg(refreshed.input ? QStringLiteral("input") : QStringLiteral("output"))
                                .arg(refreshed.channel + 1);
    // Replies that carry one field are described by that field alone.
    switch (code) {
    case Cmd::FeatureSwitch: {
        const OutputInfo &info = Device().outputAt(refreshed.channel);
        switch (payload(FeatureSelectorIndex)) {
        case FeatureFreeze:
            return channel + QStringLiteral(" freeze ") + OnOff(info.freeze);
        case FeatureMute:
            return channel + QStringLiteral(" mute ") + OnOff(info.mute);
        case FeatureBlack:
            return channel + QStringLiteral(" black ") + OnOff(info.black);
        default:
            break;
        }
        break;
    }
    case Cmd::SignalType:
        return channel + QStringLiteral(" type ")
            + SignalTypeName(refreshed.input ? Device().inputAt(refreshed.channel).type
                                             : Device().outputAt(refreshed.channel).type);
    case Cmd::SignalFormat:
        return channel + QStringLiteral(" format ")
            + QString::number(refreshed.input ? Device().inputAt(refreshed.channel).format
                                              : Device().outputAt(refreshed.channel).format);
    case Cmd::OutputMode:
    case Cmd::AllOutputModes:
        return QString(); // the mode note says it
    default:
        break;
    }
    return refreshed.input ? InputText(refreshed.channel) : OutputText(refreshed.channel);
}

QStringList FrameDescriber::finish(const QByteArray &frame)
{
    for (const Refreshed &refreshed : m_refreshed) {
        const QString text = channelText(frame, refreshed);
        if (!text.isEmpty() && !m_notes.contains(text))
            m_notes << text;
    }
    if (m_matrix) {
        const bool audio = quint32(frame.size()) > Frame::DeviceCommandOffset
            && quint8(frame.at(int(Frame::DeviceCommandOffset))) == Cmd::LRInput;
        m_notes.prepend(audio ? QStringLiteral("audio %1").arg(Device().lrInput + 1) : routingText(frame));
    }
    m_active = false;
    return m_notes;
}

void FrameDescriber::note(const QString &text)
{
    if (m_active)
        m_notes << text;
}

QString FrameDescriber::routingText(const QByteArray &frame) const
{
    // The routing report carries one input per output; without an
    // identification the frame's own length tells how many.
    quint32 outputs = Device().outputCount;
    if (outputs == 0 && quint32(frame.size()) > Frame::DeviceLengthOffset)
        outputs = qMin<quint32>(quint8(frame.at(int(Frame::DeviceLengthOffset))), DeviceLimits::Channels);
    QStringList pairs;
    for (quint32 out = 0; out < outputs; ++out)
        pairs << QStringLiteral("%1:%2").arg(out + 1).arg(Device().routingAt(out) + 1);
    return QStringLiteral("routing %1").arg(pairs.join(QLatin1Char(' ')));
}
