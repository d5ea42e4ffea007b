// Layouts, device identity and settings, firmware, reset and peripherals.
#include "protocol/Catalogue.h"

#include "protocol/CatalogueBuild.h"
#include "protocol/CatalogueCodes.h"

using namespace CatalogueBuild;

namespace {

constexpr quint8 DeviceWide = 0x00;
constexpr quint32 EchoIdentity = 3;
constexpr quint32 EchoFrontPanel = 5;
constexpr quint32 EchoSetting = 6;
constexpr quint32 FirmwareZeroBytes = 7;
constexpr quint32 FrontPanelReadZeroBytes = 34;
constexpr quint32 PeripheralLeadBytes = 3;
constexpr quint8 ResetSelector = 0x01;
constexpr char AtPrefix[] = "AT+WANN=";
constexpr char AtStatic[] = "STATIC";
constexpr char AtDynamic[] = "DHCP";
constexpr char AtSeparator = ',';
constexpr char AtEnd = '\r';

// Selector pair of the firmware-version query, per module.
enum FirmwareModule : quint8 { Main = 0, Keyboard = 1, InputPort = 2, OutputPort = 3, Control = 4 };
constexpr quint8 KeyboardSelector = 0x80;
constexpr quint8 KeyboardSub = 0x01;
constexpr quint8 InputPortSub = 0x44;
constexpr quint8 OutputPortSub = 0x02;
constexpr quint8 ControlSub = 0x05;

bool NameOrSerialRead(quint8 selector)
{
    QByteArray payload = Bytes({DeviceWide, selector});
    payload.append(QByteArray(int(NameBytes), '\0'));
    return QueueDevice(Cmd::NameSerial, payload, Echo(EchoSetting), Reply(Wait::Second, true));
}

bool NameOrSerialWrite(quint8 selector, const QByteArray &text)
{
    if (quint32(text.size()) > NameBytes)
        return false;
    QByteArray payload = Bytes({DeviceWide, selector});
    AppendField(payload, text, int(NameBytes));
    return QueueDevice(Cmd::NameSerial, payload, Echo(0), Pause(Wait::Short, false));
}

} // namespace

bool CMD_LayoutSave(quint8 layout)
{
    return QueueDevice(Cmd::LayoutSave, Bytes({layout}), Echo(0), Pause(Wait::Second, true));
}

bool CMD_LayoutLoad(quint8 layout)
{
    return QueueDevice(Cmd::LayoutLoad, Bytes({layout}), Echo(0), Pause(Wait::Second, true));
}

bool CMD_DeviceNameRead()
{
    return NameOrSerialRead(Dir::NameRead);
}

bool CMD_SerialNumberRead()
{
    return NameOrSerialRead(Dir::SerialRead);
}

bool CMD_DeviceNameWrite(const QByteArray &name)
{
    return NameOrSerialWrite(Dir::NameWrite, name);
}

bool CMD_SerialNumberWrite(const QByteArray &serialNumber)
{
    return NameOrSerialWrite(Dir::SerialWrite, serialNumber);
}

bool CMD_FrontPanelTextRead()
{
    QByteArray payload = Bytes({DeviceWide, Dir::NameRead});
    payload.append(QByteArray(int(FrontPanelReadZeroBytes), '\0'));
    return QueueDevice(Cmd::FrontPanelText, payload, Echo(EchoFrontPanel), Reply(Wait::Second, true));
}

bool CMD_FrontPanelTextWrite(const QByteArray &line1, const QByteArray &line2)
{
    if (quint32(line1.size()) > FrontPanelLineBytes || quint32(line2.size()) > FrontPanelLineBytes)
        return false;
    QByteArray payload = Bytes({DeviceWide, Dir::NameWrite});
    AppendField(payload, line1, int(FrontPanelLineBytes));
    payload.append('\0');
    AppendField(payload, line2, int(FrontPanelLineBytes));
    payload.append('\0');
    return QueueDevice(Cmd::FrontPanelText, payload, Echo(0), Pause(Wait::Short, false));
}

bool CMD_DeviceTypeRead()
{
    return QueueDevice(Cmd::DeviceType, Bytes({0, 0, 0}), Echo(EchoIdentity), Reply(Wait::Second, true));
}

bool CMD_DeviceInfoRead()
{
    return QueueDevice(Cmd::DeviceInfo, Bytes({0}), Echo(EchoIdentity), Reply(Wait::Normal, true));
}

bool CMD_FirmwareVersionRead(quint8 port, quint8 module)
{
    QByteArray payload;
    switch (module) {
    case Main:
        payload = Bytes({0, 0});
        break;
    case Keyboard:
        payload = Bytes({KeyboardSelector, KeyboardSub});
        break;
    case InputPort:
        payload = Bytes({port, InputPortSub});
        break;
    case OutputPort:
        payload = Bytes({port, OutputPortSub});
        break;
    case Control:
        payload = Bytes({0, ControlSub});
        break;
    default:
        return false;
    }
    payload.append(QByteArray(int(FirmwareZeroBytes), '\0'));
    return QueueDevice(Cmd::FirmwareVersion, payload, Echo(EchoSetting), Reply(Wait::Normal, true));
}

bool CMD_DeviceReset()
{
    return QueueDevice(Cmd::DeviceReset, Bytes({ResetSelector, ResetSelector}), Echo(0), Pause(Wait::Second, true));
}

bool CMD_ModuleAtCommand(bool staticIp, const QString &ip, const QString &mask, const QString &gateway)
{
    QByteArray text(AtPrefix);
    text.append(staticIp ? AtStatic : AtDynamic);
    text.append(AtSeparator).append(ip.toLatin1());
    text.append(AtSeparator).append(mask.toLatin1());
    text.append(AtSeparator).append(gateway.toLatin1());
    text.append(AtEnd);
    // The device repeats as many leading bytes of the frame as the text has.
    return QueueDevice(Cmd::ModuleAt, text, Echo(quint32(text.size())), Reply(Wait::Normal, true));
}

bool CMD_PeripheralIo(quint8 lead0, quint8 lead1, quint8 group, const QByteArray &data, quint32 pauseMs)
{
    if (PeripheralLeadBytes + quint32(data.size()) > MaxDevicePayload)
        return false;
    QByteArray payload = Bytes({lead0, lead1, group});
    payload.append(data);
    if (group != 0)
        return QueueDevice(Cmd::Peripheral, payload, Echo(EchoIdentity), Reply(Wait::Normal, true));
    return QueueDevice(Cmd::Peripheral, payload, Echo(0), Pause(pauseMs, true));
}
