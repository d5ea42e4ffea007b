// TV wall and multiview commands, built from the model's wall and
// multiview records.
#include "protocol/Catalogue.h"

#include "protocol/CatalogueBuild.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceState.h"

using namespace CatalogueBuild;

namespace {

constexpr quint8 WallHeader = 0x00;
constexpr quint8 PanelHeader = 0xFF;
constexpr quint32 EchoWall = 3;
constexpr quint32 EchoWindow = 6;
constexpr quint8 AngleMask = 0x03;
constexpr int AngleShift = 3;
constexpr int SingleExitShift = 2;
constexpr int SyncLockShift = 1;
constexpr quint32 ByteMask = 0xFF;

// Cell commands address the output a cell shows; its splice state lives in
// that output's entry.
quint32 CellOutput(quint32 cell)
{
    return Device().wallEntry(cell).cellOutput;
}

bool AnyCellSpliced()
{
    const DeviceState &device = Device();
    const quint32 cells = qMin(device.tvWall.cellCount, DeviceLimits::Channels);
    for (quint32 c = 0; c < cells; ++c)
        if (device.wallEntry(device.wallEntry(c).cellOutput).spliced)
            return true;
    return false;
}

bool WallPause(quint8 code, const QByteArray &payload)
{
    return QueueDevice(code, payload, Echo(0), Pause(Wait::Short, true));
}

bool WindowIndexValid(quint32 w)
{
    return w < DeviceLimits::MultiviewWindows;
}

} // namespace

bool CMD_TvWallRead()
{
    return QueueDevice(Cmd::TvWall, Bytes({WallHeader, Dir::ReadOutput, 0, 0, 0}), Echo(EchoWall),
                       Reply(Wait::Normal, true));
}

bool CMD_TvWallWrite()
{
    DeviceState &device = Device();
    TvWallState &wall = device.tvWall;
    // The multiview input is meaningful only inside a splice of a device
    // that offers it.
    if (device.mvFeature != 1 || !AnyCellSpliced())
        wall.mvInputEnable = 0;

    const quint32 cells = qMin(wall.cellCount, DeviceLimits::Channels);
    QByteArray payload = Bytes({WallHeader, Dir::WriteOutput, cells, wall.rows, wall.cols, wall.mvInputEnable});
    for (quint32 c = 0; c < cells; ++c) {
        const quint32 output = device.wallEntry(c).cellOutput;
        const TvWallEntry &entry = device.wallEntry(output);
        const quint32 flags = (quint32(entry.screenAngle & AngleMask) << AngleShift)
            | (quint32(entry.singleExit ? 1 : 0) << SingleExitShift)
            | (quint32(entry.syncLock ? 1 : 0) << SyncLockShift) | quint32(entry.spliced ? 1 : 0);
        const bool single = entry.singleExit != 0;
        payload.append(Bytes({flags, entry.spliceOrigin & ByteMask, output, single ? 0 : entry.bezelLeft,
                              single ? 0 : entry.bezelRight, single ? 0 : entry.bezelUp, single ? 0 : entry.bezelBottom,
                              entry.input}));
    }
    return WallPause(Cmd::TvWall, payload);
}

bool CMD_TvWallApply()
{
    return WallPause(Cmd::WallApply, Bytes({Device().tvWall.mvInputEnable}));
}

bool CMD_TvWallScreenWrite(quint32 cell)
{
    const quint32 output = CellOutput(cell);
    const TvWallEntry &entry = Device().wallEntry(output);
    const bool single = entry.singleExit != 0;
    return WallPause(Cmd::WallScreen,
                     Bytes({output, 0, single ? 0 : entry.spliceRows, single ? 0 : entry.spliceColumns,
                            single ? 0 : entry.spliceRow, single ? 0 : entry.spliceColumn}));
}

bool CMD_TvWallBezelWrite(quint32 cell)
{
    const quint32 output = CellOutput(cell);
    const TvWallEntry &entry = Device().wallEntry(output);
    return WallPause(Cmd::WallBezel,
                     Bytes({output, 0, entry.bezelLeft, entry.bezelRight, entry.bezelUp, entry.bezelBottom}));
}

bool CMD_TvWallAngleWrite(quint32 cell)
{
    const quint32 output = CellOutput(cell);
    return WallPause(Cmd::WallAngle, Bytes({output, 0, Device().wallEntry(output).screenAngle}));
}

bool CMD_TvWallScreenModeWrite(quint32 cell)
{
    const quint32 output = CellOutput(cell);
    return WallPause(Cmd::WallScreenMode, Bytes({output, 0, Device().wallEntry(output).syncLock}));
}

bool CMD_PanelResolutionWrite(const QVector<quint32> &outputs)
{
    if (outputs.isEmpty() || quint32(outputs.size()) > DeviceLimits::Channels)
        return false;
    QByteArray payload = Bytes({PanelHeader, 0});
    for (quint32 out : outputs) {
        if (!OutputInRange(out))
            return false;
        const OutputInfo &info = Device().outputAt(out);
        payload.append(char(out + 1));
        AppendWord(payload, info.panelWidth);
        AppendWord(payload, info.panelHeight);
    }
    return WallPause(Cmd::PanelResolution, payload);
}

bool CMD_MultiviewRead(quint32 m)
{
    return QueueDevice(Cmd::Multiview, Bytes({Device().multiviewAt(m).output, Dir::ReadOutput}), Echo(EchoWall),
                       Reply(Wait::Normal, true));
}

bool CMD_MultiviewWrite(quint32 m, quint32 w)
{
    if (!WindowIndexValid(w))
        return false;
    const MultiviewRecord &record = Device().multiviewAt(m);
    const MultiviewWindow &window = record.windowAt(w);
    QByteArray payload = Bytes({record.output, Dir::WriteOutput, record.windowCount, w, window.visible, window.layer});
    AppendWord(payload, window.x);
    AppendWord(payload, window.y);
    AppendWord(payload, window.w);
    AppendWord(payload, window.h);
    payload.append(Bytes({window.cropX, window.cropY, window.cropW, window.cropH}));
    return QueueDevice(Cmd::Multiview, payload, Echo(EchoWall), Reply(Wait::Normal, true));
}

bool CMD_MvAudioSelectWrite(quint32 m)
{
    const MultiviewRecord &record = Device().multiviewAt(m);
    return QueueDevice(Cmd::MvAudio, Bytes({record.output, Dir::WriteOutput, record.audioSource}), Echo(EchoWindow),
                       Reply(Wait::Normal, true));
}

bool CMD_MvWindowLayerWrite(quint32 m, quint32 w)
{
    if (!WindowIndexValid(w))
        return false;
    const MultiviewRecord &record = Device().multiviewAt(m);
    return QueueDevice(Cmd::MvLayer,
                       Bytes({record.output, Dir::WriteOutput, record.windowCount, w, record.windowAt(w).layer}),
                       Echo(EchoWindow), Reply(Wait::Normal, true));
}

bool CMD_MvWindowGeometryWrite(quint32 m, quint32 w)
{
    if (!WindowIndexValid(w))
        return false;
    const MultiviewRecord &record = Device().multiviewAt(m);
    const MultiviewWindow &window = record.windowAt(w);
    QByteArray payload = Bytes({record.output, Dir::WriteOutput, record.windowCount, w});
    AppendWord(payload, window.x);
    AppendWord(payload, window.y);
    AppendWord(payload, window.w);
    AppendWord(payload, window.h);
    return QueueDevice(Cmd::MvGeometry, payload, Echo(EchoWindow), Reply(Wait::Normal, true));
}

bool CMD_MvWindowStatusWrite(quint32 m, quint32 w)
{
    if (!WindowIndexValid(w))
        return false;
    const MultiviewRecord &record = Device().multiviewAt(m);
    return QueueDevice(Cmd::MvStatus,
                       Bytes({record.output, Dir::WriteOutput, record.windowCount, w, record.windowAt(w).visible}),
                       Echo(EchoWindow), Reply(Wait::Normal, true));
}
