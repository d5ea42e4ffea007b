#include "tools/devsim/SimWallCommands.h"

#include "tools/devsim/SimCodes.h"

namespace {

constexpr quint8 SplicedBit = 0x01;
constexpr quint8 SyncLockBit = 0x02;
constexpr quint8 SingleExitBit = 0x04;
constexpr int AngleShift = 3;
constexpr quint8 AngleMask = 0x03;
constexpr int CellBytes = 8;
// Whole-wall write: 00 00 cells rows cols mv, then the cells.
constexpr int WriteCellsByte = 2;
constexpr int WriteRowsByte = 3;
constexpr int WriteColsByte = 4;
constexpr int WriteMvByte = 5;
constexpr int WriteFirstCell = 6;
// Per-screen writes: output 00 values...
constexpr int ScreenValues = 2;
// Panel resolutions: FF 00, then output + 1, width, height per panel.
constexpr int PanelFirstItem = 2;
constexpr int PanelItemBytes = 5;

quint8 cellFlags(const SimWallCell &cell, const SimOutput &out)
{
    return quint8((cell.flags & (SplicedBit | SingleExitBit)) | (out.syncLock ? SyncLockBit : 0)
                  | ((out.angle & AngleMask) << AngleShift));
}

void wallWrite(SimDeviceModel &model, const SimRequest &request)
{
    const int cells = request.p(WriteCellsByte);
    const int rows = request.p(WriteRowsByte);
    const int cols = request.p(WriteColsByte);
    if (cells != rows * cols || cells > SimLimits::Channels || request.size() < WriteFirstCell + cells * CellBytes)
        return;
    SimWall &wall = model.wall;
    wall.cellCount = quint8(cells);
    wall.rows = quint8(rows);
    wall.cols = quint8(cols);
    wall.mvInputEnable = request.p(WriteMvByte);
    for (int k = 0; k < cells; ++k) {
        const int at = WriteFirstCell + k * CellBytes;
        const quint8 flags = request.p(at);
        const int output = request.p(at + 2);
        SimWallCell &cell = wall.cells[k];
        cell.flags = flags & (SplicedBit | SingleExitBit);
        cell.spliceOrigin = request.p(at + 1);
        cell.output = quint8(output);
        if (!model.validOutput(output))
            continue;
        SimOutput &out = model.outputs[output];
        out.syncLock = (flags & SyncLockBit) ? 1 : 0;
        out.angle = (flags >> AngleShift) & AngleMask;
        for (int side = 0; side < SimLimits::BezelSides; ++side)
            out.bezel[side] = request.p(at + 3 + side);
        if (model.validInput(request.p(at + 7)))
            model.routing[output] = request.p(at + 7);
    }
}

void screenWrite(SimDeviceModel &model, const SimRequest &request)
{
    const int output = request.p(0);
    if (!model.validOutput(output))
        return;
    SimOutput &out = model.outputs[output];
    switch (request.code) {
    case SimCode::WallScreen:
        out.spliceRows = request.p(ScreenValues);
        out.spliceCols = request.p(ScreenValues + 1);
        out.spliceRow = request.p(ScreenValues + 2);
        out.spliceCol = request.p(ScreenValues + 3);
        for (int k = 0; k < model.wall.cellCount; ++k) {
            SimWallCell &cell = model.wall.cells[k];
            if (cell.output != output)
                continue;
            const bool spliced = out.spliceRows * out.spliceCols > 1;
            cell.flags = quint8(spliced ? (cell.flags | SplicedBit) : (cell.flags & ~SplicedBit));
        }
        break;
    case SimCode::WallBezel:
        for (int side = 0; side < SimLimits::BezelSides; ++side)
            out.bezel[side] = request.p(ScreenValues + side);
        break;
    case SimCode::WallAngle:
        out.angle = request.p(ScreenValues) & AngleMask;
        break;
    case SimCode::WallSyncLock:
        out.syncLock = request.p(ScreenValues);
        break;
    default:
        break;
    }
}

void panelResolutions(SimDeviceModel &model, const SimRequest &request)
{
    for (int at = PanelFirstItem; at + PanelItemBytes <= request.size(); at += PanelItemBytes) {
        const int output = request.p(at) - 1;
        if (!model.validOutput(output))
            continue;
        model.outputs[output].panelWidth = request.pair(at + 1);
        model.outputs[output].panelHeight = request.pair(at + 3);
    }
}

} // namespace

QByteArray SimWallReport(const SimDeviceModel &model)
{
    const SimWall &wall = model.wall;
    QByteArray payload;
    payload.append(char(wall.cellCount));
    payload.append(char(wall.rows));
    payload.append(char(wall.cols));
    payload.append(char(wall.mvInputEnable));
    for (int k = 0; k < wall.cellCount && k < SimLimits::Channels; ++k) {
        const SimWallCell &cell = wall.cells[k];
        const SimOutput &out = model.outputs[cell.output % SimLimits::Channels];
        payload.append(char(cellFlags(cell, out)));
        payload.append(char(cell.spliceOrigin));
        payload.append(char(cell.output));
        for (int side = 0; side < SimLimits::BezelSides; ++side)
            payload.append(char(out.bezel[side]));
        payload.append(char(model.routing[cell.output % SimLimits::Channels]));
    }
    return SimDeviceFrame(SimCode::TvWall, payload);
}

bool HandleWallCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    switch (request.code) {
    case SimCode::TvWall:
        if (request.p(1) & SimDir::Read)
            replies.append(SimWallReport(model));
        else
            wallWrite(model, request);
        return true;
    case SimCode::WallApply:
        model.wall.mvInputEnable = request.p(0);
        return true;
    case SimCode::WallScreen:
    case SimCode::WallBezel:
    case SimCode::WallAngle:
    case SimCode::WallSyncLock:
        screenWrite(model, request);
        return true;
    case SimCode::PanelResolution:
        panelResolutions(model, request);
        return true;
    default:
        return false;
    }
}
