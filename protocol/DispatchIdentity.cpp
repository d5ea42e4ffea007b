// Identity check, firmware versions and the device's network settings.
#include "app/LanguageTable.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/DispatchFrame.h"
#include "protocol/DispatchHandlers.h"

#include <QStringList>

namespace {

constexpr quint32 IdentityMinLength = 7;
constexpr quint32 StatusByte = 1; // p0: 0 for a device this program serves
constexpr quint32 MaxCount = DeviceLimits::Channels;
constexpr quint32 MvFeatureThreshold = 16;
constexpr quint8 ModuleIndexMask = 0x0F;
constexpr quint8 UnknownModule = 255;
constexpr quint32 VersionOffset = 2;
constexpr quint32 VersionBytes = 7;
constexpr int VersionFieldWidth = 2;
constexpr int Decimal = 10;

// Device info items: a tag byte up to 0x19, then text bytes above it.
constexpr quint8 LastTag = 0x19;
constexpr quint8 TagName = 0;
constexpr quint8 TagMac = 1;
constexpr quint8 TagNetwork = 2;
constexpr quint8 TagVersion = 8;
constexpr int MacDigits = 12;
constexpr int MacPairDigits = 2;
constexpr char StaticMode[] = "STATIC";

// Module number of a firmware reply, by the low bits of its selector.
constexpr quint8 ModuleBySelector[] = {0, 1, 3, UnknownModule, 2, 4};
constexpr quint8 SelectorCount = sizeof ModuleBySelector;

quint8 FirmwareModule(quint8 selector)
{
    const quint8 index = selector & ModuleIndexMask;
    return index < SelectorCount ? ModuleBySelector[index] : UnknownModule;
}

// Twelve hexadecimal digits shown as six colon-separated pairs.
QString MacText(const QString &digits)
{
    if (digits.size() < MacDigits)
        return digits;
    QStringList pairs;
    for (int i = 0; i < MacDigits; i += MacPairDigits)
        pairs << digits.mid(i, MacPairDigits);
    return pairs.join(QLatin1Char(':'));
}

// "STATIC,192.168.0.10,255.255.255.0,192.168.0.1", possibly behind the
// AT command's own "AT+WANN=".
void ParseNetwork(const QString &text, bool *staticIp, QString *ip, QString *mask, QString *gateway)
{
    QString settings = text;
    const int equals = settings.lastIndexOf(QLatin1Char('='));
    if (equals >= 0)
        settings = settings.mid(equals + 1);
    const QStringList parts = settings.split(QLatin1Char(','));
    *staticIp = parts.value(0).trimmed() == QLatin1String(StaticMode);
    *ip = parts.value(1).trimmed();
    *mask = parts.value(2).trimmed();
    *gateway = parts.value(3).trimmed();
}

} // namespace

namespace Dispatch {

void DeviceType(const DispatchFrame &f)
{
    DeviceState &device = Device();
    if (device.identified)
        return;
    device.identified = 1;
    // A payload too short to carry the sizes is a device this program does
    // not know, whatever its first byte.
    if (f.has(StatusByte) && f.p(0) != 0)
        return;
    if (!f.has(IdentityMinLength)) {
        emit Events().SGL_IdentificationFailed();
        emit Events().SGL_ShowMessage(SMSG_MachineNotMatch);
        return;
    }
    device.outputCount = qMin<quint32>(f.p(1), MaxCount);
    device.inputCount = qMin<quint32>(f.p(2), MaxCount);
    device.model3 = qMin<quint32>(f.p(3), MaxCount);
    device.model4 = qMin<quint32>(f.p(4), MaxCount);
    device.mvFeature = f.p(3) >= MvFeatureThreshold ? 1 : 0;
    device.layoutCount = qMin<quint32>(f.p(5), DeviceLimits::MaxLayouts);
    device.expandInputCount = 0;
    emit Events().SGL_IdentificationSucceeded();
    if (device.stopSync)
        return;
    emit Events().SGL_RebuildForCounts();
    emit Events().SGL_StartFullRead();
}

void FirmwareVersion(const DispatchFrame &f)
{
    if (!f.has(VersionOffset + VersionBytes))
        return;
    QString text = QStringLiteral("%1%2/%3/%4-%5:%6:%7");
    for (quint32 i = 0; i < VersionBytes; ++i)
        text = text.arg(uint(f.p(VersionOffset + i)), VersionFieldWidth, Decimal, QLatin1Char('0'));
    emit Events().SGL_FirmwareVersion(f.p(0), FirmwareModule(f.p(1)), text);
}

void DeviceInfo(const DispatchFrame &f)
{
    QString name;
    QString mac;
    QString version;
    QString network;
    int tag = -1;
    QByteArray text;
    auto finishItem = [&] {
        const QString value = QString::fromLatin1(text);
        switch (tag) {
        case TagName:
            name = value;
            break;
        case TagMac:
            mac = MacText(value);
            break;
        case TagNetwork:
            network = value;
            break;
        case TagVersion:
            version = value;
            break;
        default:
            break;
        }
        text.clear();
    };
    for (quint32 i = 0; i < f.length(); ++i) {
        const quint8 b = f.p(i);
        if (b <= LastTag) {
            finishItem();
            tag = b;
        } else if (tag >= 0) {
            text.append(char(b));
        }
    }
    finishItem();

    bool staticIp = false;
    QString ip;
    QString mask;
    QString gateway;
    ParseNetwork(network, &staticIp, &ip, &mask, &gateway);
    emit Events().SGL_DeviceInformation(name, mac, staticIp, ip, mask, gateway, version);
}

void ModuleAt(const DispatchFrame &f)
{
    emit Events().SGL_ModuleAtAnswer(f.bytes(0, f.length()));
}

} // namespace Dispatch
