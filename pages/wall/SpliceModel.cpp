#include "pages/wall/SpliceModel.h"

#include "protocol/DeviceState.h"

namespace {

void ZeroRect(WallRect &rect)
{
    rect = WallRect{0, 0, 0, 0};
}

// Frames, positions and sizes: what the splice flags and origins imply.
void ClearDerived(TvWallEntry &output)
{
    ZeroRect(output.spliceFrame);
    ZeroRect(output.singleExitFrame);
    output.spliceRow = output.spliceColumn = 0;
    output.spliceRows = output.spliceColumns = 0;
}

void PlaceInSplice(TvWallEntry &output, const WallRect &frame, const CellSpan &span, int row, int col)
{
    output.spliceFrame = frame;
    output.spliceRow = quint32(row - span.firstRow + 1);
    output.spliceColumn = quint32(col - span.firstCol + 1);
    output.spliceRows = quint32(span.rowCount());
    output.spliceColumns = quint32(span.colCount());
}

} // namespace

SpliceModel::SpliceModel(DeviceState &device)
    : m_device(device)
{ }

TvWallState &SpliceModel::wall()
{
    return m_device.tvWall;
}

const TvWallState &SpliceModel::wall() const
{
    return m_device.tvWall;
}

quint32 SpliceModel::cellCount() const
{
    return qMin(wall().cellCount, DeviceLimits::Channels);
}

TvWallEntry &SpliceModel::outputOf(quint32 cell)
{
    return wall().entryAt(wall().entryAt(cell).cellOutput);
}

const TvWallEntry &SpliceModel::outputOf(quint32 cell) const
{
    return wall().entryAt(wall().entryAt(cell).cellOutput);
}

bool SpliceModel::isSpliced(quint32 cell) const
{
    return outputOf(cell).spliced != 0;
}

bool SpliceModel::isSingleExit(quint32 cell) const
{
    return outputOf(cell).singleExit != 0;
}

void SpliceModel::clearSplice(TvWallEntry &output)
{
    output.spliced = 0;
    output.singleExit = 0;
    ClearDerived(output);
    output.bezelLeft = output.bezelRight = output.bezelUp = output.bezelBottom = 0;
    output.spliceOrigin = 0;
    output.syncLock = 0;
    output.screenAngle = 0;
}

void SpliceModel::layOut(quint32 rows, quint32 cols, int cellWidth, int cellHeight, bool keepState)
{
    TvWallState &w = wall();
    w.rows = rows;
    w.cols = cols;
    w.cellCount = rows * cols;
    for (quint32 c = 0; c < cellCount(); ++c) {
        TvWallEntry &cell = w.entryAt(c);
        cell.cellX = cellWidth * int(c % cols);
        cell.cellY = cellHeight * int(c / cols);
        cell.cellWidth = cellWidth;
        cell.cellHeight = cellHeight;
        ClearDerived(cell);
        if (!keepState) {
            cell.cellOutput = c;
            cell.input = m_device.routingAt(c);
            clearSplice(cell);
        }
    }
}

bool SpliceModel::canSplice(const CellSpan &span) const
{
    const int rows = int(wall().rows);
    const int cols = int(wall().cols);
    if (!span.multiple() || span.firstRow < 0 || span.firstCol < 0 || span.lastRow >= rows || span.lastCol >= cols)
        return false;
    for (quint32 cell : CellsOf(span, wall().cols)) {
        if (cell >= cellCount() || isSpliced(cell))
            return false;
    }
    return true;
}

QVector<quint32> SpliceModel::splice(const CellSpan &span)
{
    if (!canSplice(span))
        return {};
    const QVector<quint32> cells = CellsOf(span, wall().cols);
    const WallRect frame = SpliceFrame(wall(), span);
    const quint32 origin = cells.first();
    const quint32 input = outputOf(origin).input;
    for (quint32 cell : cells) {
        TvWallEntry &output = outputOf(cell);
        clearSplice(output);
        output.input = input;
        output.spliced = 1;
        output.spliceOrigin = origin;
        PlaceInSplice(output, frame, span, int(cell / wall().cols), int(cell % wall().cols));
    }
    return cells;
}

std::optional<CellSpan> SpliceModel::spliceOf(quint32 cell) const
{
    const TvWallEntry &output = outputOf(cell);
    if (!output.spliced)
        return std::nullopt;
    return SpliceExtent(wall(), output.spliceOrigin);
}

QVector<quint32> SpliceModel::cellsOfSplice(quint32 cell) const
{
    const std::optional<CellSpan> span = spliceOf(cell);
    return span ? CellsOf(*span, wall().cols) : QVector<quint32>();
}

QVector<quint32> SpliceModel::cancel(quint32 cell)
{
    if (!isSpliced(cell))
        return {};
    const WallRect frame = outputOf(cell).spliceFrame;
    QVector<quint32> cleared;
    for (quint32 c = 0; c < cellCount(); ++c) {
        TvWallEntry &output = outputOf(c);
        if (output.spliced && SameRect(output.spliceFrame, frame)) {
            clearSplice(output);
            cleared.append(c);
        }
    }
    return cleared;
}

void SpliceModel::toggleSingleExit(quint32 cell)
{
    TvWallEntry &output = outputOf(cell);
    if (!output.spliced)
        return;
    if (output.singleExit) {
        output.singleExit = 0;
        ZeroRect(output.singleExitFrame);
    } else {
        output.singleExit = 1;
        output.singleExitFrame = SingleExitFrame(wall().entryAt(cell));
    }
}

QVector<quint32> SpliceModel::clearAll()
{
    QVector<quint32> cleared;
    for (quint32 c = 0; c < cellCount(); ++c) {
        TvWallEntry &output = outputOf(c);
        if (output.spliced) {
            clearSplice(output);
            cleared.append(c);
        }
    }
    return cleared;
}

QVector<quint32> SpliceModel::inputFollowers(quint32 cell) const
{
    QVector<quint32> outputs;
    if (!isSpliced(cell))
        return outputs;
    const WallRect frame = outputOf(cell).spliceFrame;
    for (quint32 c = 0; c < cellCount(); ++c) {
        const TvWallEntry &output = outputOf(c);
        if (output.spliced && !output.singleExit && SameRect(output.spliceFrame, frame))
            outputs.append(wall().entryAt(c).cellOutput);
    }
    return outputs;
}

SpliceModel::Frames SpliceModel::derive()
{
    Frames frames;
    for (quint32 c = 0; c < cellCount(); ++c)
        ClearDerived(outputOf(c));
    for (quint32 s = 0; s < cellCount(); ++s) {
        const TvWallEntry &origin = outputOf(s);
        if (!origin.spliced || origin.spliceOrigin != s)
            continue;
        const std::optional<CellSpan> span = SpliceExtent(wall(), s);
        if (!span)
            continue;
        const WallRect frame = SpliceFrame(wall(), *span);
        frames.splices.append(frame);
        for (quint32 cell : CellsOf(*span, wall().cols)) {
            TvWallEntry &output = outputOf(cell);
            PlaceInSplice(output, frame, *span, int(cell / wall().cols), int(cell % wall().cols));
            if (output.singleExit) {
                output.singleExitFrame = SingleExitFrame(wall().entryAt(cell));
                frames.singleExits.append(output.singleExitFrame);
            }
        }
    }
    return frames;
}
