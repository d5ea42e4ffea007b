#include "cli/StatusReport.h"

#include "cli/SignalText.h"
#include "protocol/DeviceState.h"

#include <QJsonArray>

namespace {

constexpr quint32 MultiviewGroupBit = 0x02;

QJsonValue TimingJson(quint32 width, quint32 height, bool interlaced, quint32 rate)
{
    const QString text = TimingText(width, height, interlaced, rate);
    if (text.isEmpty())
        return QJsonValue::Null;
    return QJsonObject{
        {QStringLiteral("width"), int(width)},
        {QStringLiteral("height"), int(height)},
        {QStringLiteral("interlaced"), interlaced},
        {QStringLiteral("rate"), int(rate)},
        {QStringLiteral("text"), text},
    };
}

QJsonObject DeviceJson(const DeviceState &device)
{
    return QJsonObject{
        {QStringLiteral("inputs"), int(device.inputCount)},   {QStringLiteral("outputs"), int(device.outputCount)},
        {QStringLiteral("presets"), int(device.layoutCount)}, {QStringLiteral("model3"), int(device.model3)},
        {QStringLiteral("model4"), int(device.model4)},       {QStringLiteral("multiviewInput"), device.mvFeature != 0},
    };
}

QJsonArray RoutingJson(const DeviceState &device)
{
    QJsonArray routing;
    for (quint32 out = 0; out < device.outputCount; ++out)
        routing.append(QJsonObject{{QStringLiteral("output"), int(out + 1)},
                                   {QStringLiteral("input"), int(device.routingAt(out) + 1)}});
    return routing;
}

QJsonArray InputsJson(const DeviceState &device)
{
    QJsonArray inputs;
    for (quint32 in = 0; in < device.inputCount; ++in) {
        const InputInfo &info = device.inputAt(in);
        inputs.append(QJsonObject{
            {QStringLiteral("input"), int(in + 1)},
            {QStringLiteral("board"), int(info.pos2)},
            {QStringLiteral("type"), int(info.type)},
            {QStringLiteral("typeName"), SignalTypeName(info.type)},
            {QStringLiteral("signal"), TimingJson(info.pair7, info.pair9, info.zero11, info.pos12)},
            {QStringLiteral("outgoing"), TimingJson(info.pair13, info.pair15, info.zero17, info.pos18)},
            {QStringLiteral("audioSelect"), int(info.pos6)},
            {QStringLiteral("audioSelectName"), AudioSelectName(info.pos6)},
            {QStringLiteral("bind"), info.bind != 0},
        });
    }
    return inputs;
}

QJsonArray OutputsJson(const DeviceState &device)
{
    QJsonArray outputs;
    for (quint32 out = 0; out < device.outputCount; ++out) {
        const OutputInfo &info = device.outputAt(out);
        outputs.append(QJsonObject{
            {QStringLiteral("output"), int(out + 1)},
            {QStringLiteral("board"), int(info.pos2)},
            {QStringLiteral("type"), int(info.type)},
            {QStringLiteral("typeName"), SignalTypeName(info.type)},
            {QStringLiteral("signal"), TimingJson(info.pair6, info.pair8, info.zero10, info.pos11)},
            {QStringLiteral("format"), int(info.format)},
            {QStringLiteral("mute"), info.mute != 0},
            {QStringLiteral("freeze"), info.freeze != 0},
            {QStringLiteral("black"), info.black != 0},
            {QStringLiteral("multiviewGroup"), (info.pos3 & MultiviewGroupBit) != 0},
        });
    }
    return outputs;
}

QJsonObject WallJson(const DeviceState &device)
{
    const TvWallState &wall = device.tvWall;
    QJsonArray cells;
    const quint32 count = qMin<quint32>(wall.cellCount, DeviceLimits::Channels);
    for (quint32 cell = 0; cell < count; ++cell) {
        const quint32 output = wall.entryAt(cell).cellOutput;
        const TvWallEntry &screen = wall.entryAt(output);
        cells.append(QJsonObject{
            {QStringLiteral("cell"), int(cell + 1)},
            {QStringLiteral("output"), int(output + 1)},
            {QStringLiteral("input"), int(screen.input + 1)},
            {QStringLiteral("spliced"), screen.spliced != 0},
            {QStringLiteral("singleExit"), screen.singleExit != 0},
            {QStringLiteral("syncLock"), screen.syncLock != 0},
            {QStringLiteral("angle"), int(screen.screenAngle)},
            {QStringLiteral("spliceOrigin"), int(screen.spliceOrigin)},
            {QStringLiteral("bezel"),
             QJsonObject{{QStringLiteral("left"), int(screen.bezelLeft)},
                         {QStringLiteral("right"), int(screen.bezelRight)},
                         {QStringLiteral("up"), int(screen.bezelUp)},
                         {QStringLiteral("bottom"), int(screen.bezelBottom)}}},
        });
    }
    return QJsonObject{
        {QStringLiteral("rows"), int(wall.rows)},
        {QStringLiteral("cols"), int(wall.cols)},
        {QStringLiteral("cells"), cells},
    };
}

QString OrDash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

} // namespace

QJsonObject StatusJson(const DeviceState &device)
{
    return QJsonObject{
        {QStringLiteral("device"), DeviceJson(device)},
        {QStringLiteral("routing"), RoutingJson(device)},
        {QStringLiteral("audio"), QJsonObject{{QStringLiteral("input"), int(device.lrInput + 1)}}},
        {QStringLiteral("inputs"), InputsJson(device)},
        {QStringLiteral("outputs"), OutputsJson(device)},
        {QStringLiteral("wall"), WallJson(device)},
    };
}

QStringList RoutingLines(const DeviceState &device, quint32 count)
{
    QStringList lines;
    for (quint32 out = 0; out < count; ++out)
        lines << QStringLiteral("route %1 %2").arg(device.routingAt(out) + 1).arg(out + 1);
    return lines;
}

QStringList StatusLines(const DeviceState &device)
{
    QStringList lines;
    lines << QStringLiteral("device inputs %1 outputs %2 presets %3 model %4 %5")
                 .arg(device.inputCount)
                 .arg(device.outputCount)
                 .arg(device.layoutCount)
                 .arg(device.model3)
                 .arg(device.model4);
    lines << RoutingLines(device, device.outputCount);
    lines << QStringLiteral("audio %1").arg(device.lrInput + 1);
    for (quint32 in = 0; in < device.inputCount; ++in) {
        const InputInfo &info = device.inputAt(in);
        lines << QStringLiteral("input %1 type %2 signal %3 outgoing %4 audio %5 bind %6 board %7")
                     .arg(in + 1)
                     .arg(SignalTypeName(info.type), OrDash(InputSignalText(info)), OrDash(InputOutgoingText(info)),
                          AudioSelectName(info.pos6), OnOff(info.bind))
                     .arg(info.pos2);
    }
    for (quint32 out = 0; out < device.outputCount; ++out) {
        const OutputInfo &info = device.outputAt(out);
        lines << QStringLiteral("output %1 type %2 signal %3 format %4 mute %5 freeze %6 black %7 board %8")
                     .arg(out + 1)
                     .arg(SignalTypeName(info.type), OrDash(OutputSignalText(info)))
                     .arg(info.format)
                     .arg(OnOff(info.mute), OnOff(info.freeze), OnOff(info.black))
                     .arg(info.pos2);
    }
    const TvWallState &wall = device.tvWall;
    lines << QStringLiteral("wall rows %1 cols %2").arg(wall.rows).arg(wall.cols);
    const quint32 count = qMin<quint32>(wall.cellCount, DeviceLimits::Channels);
    for (quint32 cell = 0; cell < count; ++cell) {
        const quint32 output = wall.entryAt(cell).cellOutput;
        const TvWallEntry &screen = wall.entryAt(output);
        lines << QStringLiteral("cell %1 output %2 input %3 spliced %4 angle %5")
                     .arg(cell + 1)
                     .arg(output + 1)
                     .arg(screen.input + 1)
                     .arg(OnOff(screen.spliced))
                     .arg(screen.screenAngle);
    }
    return lines;
}
