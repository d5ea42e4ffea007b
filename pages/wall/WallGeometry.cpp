#include "pages/wall/WallGeometry.h"

#include <QSize>
#include <QVector>
#include <QtMath>

#include <algorithm>

namespace {

// The entry of the output shown by cell (row, col).
const TvWallEntry &OutputOfCell(const TvWallState &wall, int row, int col)
{
    const quint32 cell = quint32(row) * wall.cols + quint32(col);
    return wall.entryAt(wall.entryAt(cell).cellOutput);
}

const TvWallEntry &Cell(const TvWallState &wall, int row, int col)
{
    return wall.entryAt(quint32(row) * wall.cols + quint32(col));
}

bool InSplice(const TvWallState &wall, int row, int col, quint32 origin)
{
    const TvWallEntry &output = OutputOfCell(wall, row, col);
    return output.spliced && output.spliceOrigin == origin;
}

} // namespace

QPoint ClampToViewport(const QPoint &pos, const QRect &viewport)
{
    const int width = viewport.right() - viewport.left() + 1;
    const int height = viewport.bottom() - viewport.top() + 1;
    return QPoint(qBound(0, pos.x(), qMax(0, width)), qBound(0, pos.y(), qMax(0, height)));
}

QRectF RubberBand(const QPoint &press, const QPoint &current)
{
    return QRectF(qMin(press.x(), current.x()), qMin(press.y(), current.y()), qAbs(current.x() - press.x()),
                  qAbs(current.y() - press.y()));
}

bool RubberBandHidden(const QRectF &band)
{
    return !(band.width() > WallGeometry::BandMinSide && band.height() > WallGeometry::BandMinSide);
}

CellSpan CellsUnderBand(const QRectF &band, int cellWidth, int cellHeight, int rows, int cols)
{
    CellSpan span;
    if (cellWidth <= 0 || cellHeight <= 0 || rows <= 0 || cols <= 0)
        return span;
    const QPoint topLeft(qRound(band.x()), qRound(band.y()));
    const QPoint bottomRight(qRound(band.x() + band.width()), qRound(band.y() + band.height()));
    const auto rowOf = [&](int y) { return qBound(0, y / cellHeight, rows - 1); };
    const auto colOf = [&](int x) { return qBound(0, x / cellWidth, cols - 1); };
    span.firstRow = rowOf(qMin(topLeft.y(), bottomRight.y()));
    span.lastRow = rowOf(qMax(topLeft.y(), bottomRight.y()));
    span.firstCol = colOf(qMin(topLeft.x(), bottomRight.x()));
    span.lastCol = colOf(qMax(topLeft.x(), bottomRight.x()));
    return span;
}

CellPosition CellUnder(const QPoint &pos, const QSize &viewport, int rows, int cols)
{
    CellPosition cell;
    if (rows <= 0 || cols <= 0)
        return cell;
    const int cellWidth = viewport.width() / cols;
    const int cellHeight = viewport.height() / rows;
    if (cellWidth > 0)
        cell.col = qBound(0, pos.x() / cellWidth, cols - 1);
    if (cellHeight > 0)
        cell.row = qBound(0, pos.y() / cellHeight, rows - 1);
    return cell;
}

WallRect SpliceFrame(const TvWallState &wall, const CellSpan &span)
{
    const TvWallEntry &first = Cell(wall, span.firstRow, span.firstCol);
    const TvWallEntry &last = Cell(wall, span.lastRow, span.lastCol);
    WallRect frame;
    frame.x = first.cellX + WallGeometry::FrameInset;
    frame.y = first.cellY + WallGeometry::FrameInset;
    frame.w = qAbs(last.cellX + last.cellWidth - frame.x - WallGeometry::FrameInset);
    frame.h = qAbs(last.cellY + last.cellHeight - frame.y - WallGeometry::FrameInset);
    return frame;
}

WallRect SingleExitFrame(const TvWallEntry &cell)
{
    constexpr int inset = WallGeometry::SingleExitInset;
    return WallRect{cell.cellX + inset, cell.cellY + inset, cell.cellWidth - 2 * inset, cell.cellHeight - 2 * inset};
}

std::optional<CellSpan> SpliceExtent(const TvWallState &wall, quint32 origin)
{
    const quint32 cells = qMin(wall.cellCount, DeviceLimits::Channels);
    if (wall.cols == 0 || origin >= cells)
        return std::nullopt;
    const int rows = int(cells / wall.cols);
    const int cols = int(wall.cols);
    CellSpan span;
    span.firstRow = int(origin / wall.cols);
    span.firstCol = int(origin % wall.cols);
    if (span.firstRow >= rows || !InSplice(wall, span.firstRow, span.firstCol, origin))
        return std::nullopt;
    span.lastRow = span.firstRow;
    while (span.lastRow + 1 < rows && InSplice(wall, span.lastRow + 1, span.firstCol, origin))
        ++span.lastRow;
    span.lastCol = span.firstCol;
    while (span.lastCol + 1 < cols && InSplice(wall, span.firstRow, span.lastCol + 1, origin))
        ++span.lastCol;
    return span;
}

QVector<quint32> CellsOf(const CellSpan &span, quint32 cols)
{
    QVector<quint32> cells;
    for (int row = span.firstRow; row <= span.lastRow; ++row)
        for (int col = span.firstCol; col <= span.lastCol; ++col)
            cells.append(quint32(row) * cols + quint32(col));
    return cells;
}

bool SameRect(const WallRect &a, const WallRect &b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

QRectF ToRectF(const WallRect &rect)
{
    return QRectF(rect.x, rect.y, rect.w, rect.h);
}

bool FrameIs(const QRectF &frame, const WallRect &rect)
{
    return qRound(frame.x()) == rect.x && qRound(frame.y()) == rect.y && qRound(frame.width()) == rect.w
        && qRound(frame.height()) == rect.h;
}
