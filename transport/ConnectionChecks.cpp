#include "transport/ConnectionChecks.h"

#include "app/ByteText.h"
#include "app/ConfigStore.h"
#include "transport/ServiceUdp.h"

namespace {
constexpr int AddressDots = 3;
constexpr quint64 MaxOctet = 255;
constexpr int MaxPortDigits = 5;
constexpr quint64 MinPort = 1;
constexpr quint64 MaxPort = 65534;

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool checkAddress(const QString &text)
{
    if (text.count(QLatin1Char('.')) != AddressDots)
        return false;
    for (const QChar c : text) {
        if (c != QLatin1Char('.') && !isDigit(c))
            return false;
    }
    for (const QString &field : text.split(QLatin1Char('.'))) {
        if (DigitsValue(field) > MaxOctet)
            return false;
    }
    return true;
}

// The four values of a dotted text; missing fields count as 0.
quint64 octet(const QStringList &fields, int i)
{
    return i < fields.size() ? DigitsValue(fields.at(i)) : 0;
}
} // namespace

bool CheckNetworkParams(const QString &ip, const QString &port, const QString &mask, const QString &gateway)
{
    if (!checkAddress(ip) || !checkAddress(mask) || !checkAddress(gateway))
        return false;
    if (port.isEmpty() || port.size() > MaxPortDigits)
        return false;
    for (const QChar c : port) {
        if (!isDigit(c))
            return false;
    }
    const quint64 value = DigitsValue(port);
    return value >= MinPort && value <= MaxPort;
}

bool SameSubnet(const QString &localIp, const QString &localMask, const QString &deviceIp, const QString &deviceMask)
{
    const QStringList li = localIp.split(QLatin1Char('.'));
    const QStringList lm = localMask.split(QLatin1Char('.'));
    const QStringList di = deviceIp.split(QLatin1Char('.'));
    const QStringList dm = deviceMask.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
        if ((octet(li, i) & octet(lm, i)) != (octet(di, i) & octet(dm, i)))
            return false;
    }
    return true;
}

QStringList LocalIpv4Choices(bool filterBySubnet, const QString &deviceIp, const QString &deviceMask)
{
    QStringList choices;
    const QList<ServiceUdp::LocalIpv4Entry> entries = ServiceUdp::LocalIpv4Entries();
    for (const ServiceUdp::LocalIpv4Entry &entry : entries) {
        if (filterBySubnet && !SameSubnet(entry.ip, entry.netmask, deviceIp, deviceMask))
            continue;
        choices.append(entry.ip + QLatin1Char('<') + entry.interfaceName + QLatin1Char('>'));
    }
    return choices;
}
