#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

class DeviceState;

// What "kxrctl status" prints, taken from the device model after the full
// read. Channels are shown 1-based. The JSON shape is documented in
// docs/cli.md and kept stable: fields are only ever added.
QJsonObject StatusJson(const DeviceState &device);
QStringList StatusLines(const DeviceState &device);

// "route IN OUT" for the first count outputs: the order "route" reads, so
// that saved lines replay as a salvo.
QStringList RoutingLines(const DeviceState &device, quint32 count);
