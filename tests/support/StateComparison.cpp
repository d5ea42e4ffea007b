#include "support/StateComparison.h"

#ifdef KXR_HAVE_SIMULATOR

#include "protocol/DeviceState.h"

namespace {

// The scan byte of a timing: 0 for interlaced, the device's progressive
// mark otherwise; the model keeps whether it was 0.
quint8 interlacedMark(bool interlaced)
{
    return interlaced ? 1 : 0;
}

class Differences
{
public:
    void check(const QString &field, quint64 program, quint64 device)
    {
        if (program != device)
            m_lines << QStringLiteral("%1: program %2, device %3").arg(field).arg(program).arg(device);
    }
    QStringList lines() const { return m_lines; }

private:
    QStringList m_lines;
};

void compareInput(Differences &d, quint32 i, const InputInfo &in, const SimInput &sim)
{
    const QString name = QStringLiteral("input %1 ").arg(i + 1);
    d.check(name + QStringLiteral("kind"), in.pos2, sim.kind);
    d.check(name + QStringLiteral("type"), in.type, sim.type);
    d.check(name + QStringLiteral("audio"), in.pos6, sim.audio);
    d.check(name + QStringLiteral("width"), in.pair7, sim.width);
    d.check(name + QStringLiteral("height"), in.pair9, sim.height);
    d.check(name + QStringLiteral("interlaced"), in.zero11, interlacedMark(sim.interlaced));
    d.check(name + QStringLiteral("rate"), in.pos12, sim.rate);
    d.check(name + QStringLiteral("outgoing width"), in.pair13, sim.outWidth);
    d.check(name + QStringLiteral("outgoing height"), in.pair15, sim.outHeight);
    d.check(name + QStringLiteral("outgoing interlaced"), in.zero17, interlacedMark(sim.outInterlaced));
    d.check(name + QStringLiteral("outgoing rate"), in.pos18, sim.outRate);
    d.check(name + QStringLiteral("pairing"), in.bind, sim.bind ? 1 : 0);
}

void compareOutput(Differences &d, const SimDeviceModel &model, quint32 o, const OutputInfo &out)
{
    const SimOutput &sim = model.outputs[o];
    const QString name = QStringLiteral("output %1 ").arg(o + 1);
    d.check(name + QStringLiteral("kind"), out.pos2, sim.kind);
    d.check(name + QStringLiteral("type"), out.type, sim.type);
    d.check(name + QStringLiteral("format"), out.format, sim.format);
    d.check(name + QStringLiteral("mute"), out.mute, sim.mute ? 1 : 0);
    d.check(name + QStringLiteral("freeze"), out.freeze, sim.freeze ? 1 : 0);
    d.check(name + QStringLiteral("black"), out.black, sim.black ? 1 : 0);
    d.check(name + QStringLiteral("in a multiview group"), (out.pos3 >> 1) & 1,
            SimOutputInMultiview(model, int(o)) ? 1 : 0);
}

void compareWall(Differences &d, const DeviceState &device, const SimWall &wall)
{
    d.check(QStringLiteral("wall rows"), device.tvWall.rows, wall.rows);
    d.check(QStringLiteral("wall columns"), device.tvWall.cols, wall.cols);
    d.check(QStringLiteral("wall screens"), device.tvWall.cellCount, wall.cellCount);
    for (quint32 k = 0; k < wall.cellCount && k < quint32(SimLimits::Channels); ++k) {
        const SimWallCell &cell = wall.cells[k];
        const QString name = QStringLiteral("wall screen %1 ").arg(k + 1);
        d.check(name + QStringLiteral("output"), device.wallEntry(k).cellOutput, cell.output);
        const TvWallEntry &entry = device.wallEntry(cell.output);
        d.check(name + QStringLiteral("spliced"), entry.spliced, cell.flags & 1);
        d.check(name + QStringLiteral("sync delay"), entry.syncLock, (cell.flags >> 1) & 1);
        d.check(name + QStringLiteral("single display"), entry.singleExit, (cell.flags >> 2) & 1);
        d.check(name + QStringLiteral("angle"), entry.screenAngle, (cell.flags >> 3) & 3);
        d.check(name + QStringLiteral("splice origin"), entry.spliceOrigin, cell.spliceOrigin);
        d.check(name + QStringLiteral("left bezel"), entry.bezelLeft, cell.bezel[0]);
        d.check(name + QStringLiteral("right bezel"), entry.bezelRight, cell.bezel[1]);
        d.check(name + QStringLiteral("up bezel"), entry.bezelUp, cell.bezel[2]);
        d.check(name + QStringLiteral("bottom bezel"), entry.bezelBottom, cell.bezel[3]);
    }
}

} // namespace

QStringList DeviceStateDifferences(const SimDeviceModel &sim)
{
    const DeviceState &device = Device();
    Differences d;
    d.check(QStringLiteral("identified"), device.identified, 1);
    d.check(QStringLiteral("inputs"), device.inputCount, sim.inputCount);
    d.check(QStringLiteral("outputs"), device.outputCount, sim.outputCount);
    d.check(QStringLiteral("layouts"), device.layoutCount, sim.layoutCount);
    d.check(QStringLiteral("audio switch input"), device.lrInput, sim.lrInput);
    for (quint32 o = 0; o < device.outputCount; ++o)
        d.check(QStringLiteral("output %1 routing").arg(o + 1), device.routingAt(o), sim.routing[o]);
    for (quint32 i = 0; i < device.inputCount; ++i)
        compareInput(d, i, device.inputAt(i), sim.inputs[i]);
    for (quint32 o = 0; o < device.outputCount; ++o)
        compareOutput(d, sim, o, device.outputAt(o));
    compareWall(d, device, sim.wall);
    return d.lines();
}

#endif
