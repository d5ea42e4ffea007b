#include "tools/devsim/SimSystemCommands.h"

#include "tools/devsim/SimCodes.h"
#include "tools/devsim/SimModuleBlock.h"

#include <QString>
#include <QStringList>

namespace {

constexpr int TextByte = 2;
constexpr quint8 NameSelector = 0x01;
constexpr quint8 DeviceTypeReserved = 0;
constexpr quint8 LineSeparator = 0x00;
constexpr quint8 FrontPanelSelector = 0x01;
constexpr quint8 FrontPanelMask = 0x3F;
// Firmware selector (low nibble of byte 1) to board.
constexpr int FirmwareBoardOfSelector[] = {0, 1, 3, -1, 2, 4};
// Device information items.
constexpr char TagName = 0x00;
constexpr char TagMac = 0x01;
constexpr char TagNetwork = 0x02;
constexpr char TagVersion = 0x08;
constexpr const char *AtPrefix = "AT+WANN=";
constexpr const char *StaticMode = "STATIC";
constexpr int AtFields = 4;
// Peripheral groups.
constexpr int GroupByte = 2;
constexpr int DataByte = 3;
constexpr quint8 IoInputs = 1;
constexpr quint8 IoOutputs = 2;
constexpr quint8 Relays = 3;
constexpr quint8 LineMask = 0x0F;
// User command lines passed on.
constexpr quint8 PassThroughGroup = 0;
constexpr int PassPortByte = 0;
constexpr int PassTargetByte = 1;
constexpr int PassBaudByte = 3;
constexpr int PassDataByte = 4;
constexpr int PassThroughLogLimit = 4096;

QByteArray fixed(const QByteArray &bytes, int size)
{
    QByteArray out = bytes.left(size);
    out.append(QByteArray(size - out.size(), '\0'));
    return out;
}

void nameOrSerial(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const quint8 selector = request.p(1);
    QByteArray &text = (selector & SimDir::SelectorMask) == NameSelector ? model.deviceName : model.serialNumber;
    if (!(selector & SimDir::Read)) {
        // Writes answer nothing; the program pauses after them.
        text = fixed(request.payload.mid(TextByte), SimLimits::TextBytes);
        return;
    }
    QByteArray payload = request.payload.left(TextByte);
    payload.append(fixed(text, SimLimits::TextBytes));
    replies.append(SimDeviceFrame(SimCode::NameSerial, payload));
}

void frontPanel(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const quint8 selector = request.p(1);
    if ((selector & FrontPanelMask) != FrontPanelSelector)
        return;
    if (!(selector & SimDir::Read)) {
        model.panelLine1 = fixed(request.payload.mid(TextByte), SimLimits::PanelLineBytes);
        const int secondLine = TextByte + SimLimits::PanelLineBytes + 1; // behind the first line's NUL
        model.panelLine2 = fixed(request.payload.mid(secondLine), SimLimits::PanelLineBytes);
        return;
    }
    QByteArray payload = request.payload.left(TextByte);
    payload.append(fixed(model.panelLine1, SimLimits::PanelLineBytes));
    payload.append(char(LineSeparator));
    payload.append(fixed(model.panelLine2, SimLimits::PanelLineBytes));
    payload.append(char(LineSeparator));
    replies.append(SimDeviceFrame(SimCode::FrontPanel, payload));
}

void firmware(const SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const int selector = request.p(1) & SimDir::SelectorMask;
    const int count = int(sizeof FirmwareBoardOfSelector / sizeof FirmwareBoardOfSelector[0]);
    const int board = selector < count ? FirmwareBoardOfSelector[selector] : -1;
    QByteArray payload = request.payload.left(TextByte);
    payload.append(board >= 0 ? model.firmware[board] : QByteArray(SimLimits::FirmwareBytes, '\0'));
    replies.append(SimDeviceFrame(SimCode::Firmware, payload));
}

// "V1.05" for version 0x0105: major byte, then the minor byte in two digits.
QByteArray versionText(quint16 version)
{
    constexpr int MinorBits = 8;
    constexpr quint16 MinorMask = 0xFF;
    constexpr int MinorDigits = 2;
    constexpr int Decimal = 10;
    return QStringLiteral("V%1.%2")
        .arg(version >> MinorBits)
        .arg(version & MinorMask, MinorDigits, Decimal, QLatin1Char('0'))
        .toLatin1();
}

QByteArray deviceInformation(const SimDeviceModel &model)
{
    const QByteArray block =
        model.modules.isEmpty() ? MakeModuleBlock(0, 0, SimModelOptions().moduleIp) : model.modules.first().block;
    const QByteArray mac = ModuleBlockMac(block).toHex().toUpper();
    const QString network = QStringLiteral("%1,%2,%3,%4\r")
                                .arg(QString::fromLatin1(ModuleBlockStatic(block) ? StaticMode : "DHCP"),
                                     ModuleBlockAddress(block, SimBlock::Ip), ModuleBlockAddress(block, SimBlock::Mask),
                                     ModuleBlockAddress(block, SimBlock::Gateway));
    const quint16 version = model.modules.isEmpty() ? 0 : model.modules.first().version;
    QByteArray payload;
    payload.append(TagName).append(ModuleBlockName(block));
    payload.append(TagMac).append(mac);
    payload.append(TagNetwork).append(network.toLatin1());
    payload.append(TagVersion).append(versionText(version));
    return SimDeviceFrame(SimCode::DeviceInfo, payload);
}

// "AT+WANN=STATIC,ip,mask,gateway\r" reaches the module behind the device.
void moduleAtCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    replies.append(SimDeviceFrame(SimCode::ModuleAt, request.payload));
    const QString text = QString::fromLatin1(request.payload).trimmed();
    if (!text.startsWith(QLatin1String(AtPrefix)) || model.modules.isEmpty())
        return;
    const QStringList fields = text.mid(int(qstrlen(AtPrefix))).split(QLatin1Char(','));
    if (fields.size() != AtFields)
        return;
    QByteArray block = model.modules.first().block;
    const bool isStatic = fields[0] == QLatin1String(StaticMode);
    SetModuleBlockStatic(block, isStatic);
    if (isStatic
        && !(SetModuleBlockAddress(block, SimBlock::Ip, fields[1])
             && SetModuleBlockAddress(block, SimBlock::Mask, fields[2])
             && SetModuleBlockAddress(block, SimBlock::Gateway, fields[3])))
        return;
    model.modules.first().block = block;
}

// A user command line for equipment behind the device: port, target, the
// group byte 0, the baud-rate index, then the bytes to pass on. Nothing
// comes back.
void passThrough(SimDeviceModel &model, const SimRequest &request)
{
    model.lastPassThrough = request.payload;
    if (model.passThroughs.size() >= PassThroughLogLimit)
        model.passThroughs.remove(0, PassThroughLogLimit / 2);
    SimPassThrough entry;
    entry.atNs = model.requestNs;
    entry.port = request.p(PassPortByte);
    entry.target = request.p(PassTargetByte);
    entry.baud = request.p(PassBaudByte);
    entry.payload = request.payload.mid(PassDataByte);
    model.passThroughs.append(entry);
}

void peripheral(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    const quint8 group = request.p(GroupByte);
    quint8 *state = group == IoInputs ? &model.ioInputs
        : group == IoOutputs          ? &model.ioOutputs
        : group == Relays             ? &model.relays
                                      : nullptr;
    if (group == PassThroughGroup) {
        passThrough(model, request);
        return;
    }
    if (!state)
        return;
    const bool write = !(request.p(1) & SimDir::Read);
    if (write && group != IoInputs)
        *state = request.p(DataByte) & LineMask;
    QByteArray payload = request.payload.left(DataByte);
    payload.append(char(*state));
    replies.append(SimDeviceFrame(SimCode::Peripheral, payload));
}

} // namespace

QByteArray SimDeviceTypeReply(const SimDeviceModel &model)
{
    QByteArray payload;
    payload.append(char(DeviceTypeReserved));
    payload.append(char(model.outputCount));
    payload.append(char(model.inputCount));
    payload.append(char(model.model3));
    payload.append(char(model.model4));
    payload.append(char(model.layoutCount));
    payload.append(char(DeviceTypeReserved));
    payload.append(char(DeviceTypeReserved));
    return SimDeviceFrame(SimCode::DeviceType, payload);
}

bool HandleSystemCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    switch (request.code) {
    case SimCode::DeviceType:
        replies.append(SimDeviceTypeReply(model));
        return true;
    case SimCode::NameSerial:
        nameOrSerial(model, request, replies);
        return true;
    case SimCode::FrontPanel:
        frontPanel(model, request, replies);
        return true;
    case SimCode::Firmware:
        firmware(model, request, replies);
        return true;
    case SimCode::DeviceInfo:
        replies.append(deviceInformation(model));
        return true;
    case SimCode::ModuleAt:
        moduleAtCommand(model, request, replies);
        return true;
    case SimCode::Reset:
        ResetSimDevice(model);
        return true;
    case SimCode::Peripheral:
        peripheral(model, request, replies);
        return true;
    default:
        return false;
    }
}
