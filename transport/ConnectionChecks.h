#pragma once

#include <QString>
#include <QStringList>

// Checks and conversions of the connection page's address fields.

// ip, mask and gateway: three dots, digits only, every field at most 255
// (an empty field counts as 0); port: at most 5 digits, 1 to 65534.
bool CheckNetworkParams(const QString &ip, const QString &port, const QString &mask, const QString &gateway);

// Whether two dotted addresses with their masks lie in the same subnet.
bool SameSubnet(const QString &localIp, const QString &localMask, const QString &deviceIp, const QString &deviceMask);

// The PC's IPv4 addresses usable for the device link, as "IP<adapter>"
// texts: entries whose address, netmask and broadcast all exist; with a
// device address and mask given, only those in the device's subnet.
QStringList LocalIpv4Choices(bool filterBySubnet, const QString &deviceIp, const QString &deviceMask);
