#pragma once

#include "protocol/DeviceState.h"

#include <QPoint>
#include <QRect>
#include <QRectF>

#include <optional>

// The splicing grid's cell arithmetic, free of widgets: the rubber band, the
// cells under it, the cell under a click, a splice's extent and its frames.
namespace WallGeometry {
constexpr int FrameInset = 3;       // a splice frame sits this far inside its cells
constexpr int SingleExitInset = 9;  // the dotted frame of a display taken out of its splice
constexpr double BandMinSide = 4.0; // a smaller band is a click, and stays hidden
} // namespace WallGeometry

// A rectangle of cells, bounds included.
struct CellSpan
{
    int firstRow = 0;
    int lastRow = 0;
    int firstCol = 0;
    int lastCol = 0;

    int rowCount() const { return lastRow - firstRow + 1; }
    int colCount() const { return lastCol - firstCol + 1; }
    // More than one cell.
    bool multiple() const { return (lastCol - firstCol) + (lastRow - firstRow) != 0; }
    bool operator==(const CellSpan &other) const
    {
        return firstRow == other.firstRow && lastRow == other.lastRow && firstCol == other.firstCol
            && lastCol == other.lastCol;
    }
};

struct CellPosition
{
    int row = 0;
    int col = 0;
};

// A mouse position held inside the viewport (right and bottom edges
// included).
QPoint ClampToViewport(const QPoint &pos, const QRect &viewport);

// The band between the press point and the current point.
QRectF RubberBand(const QPoint &press, const QPoint &current);
// Hidden unless both sides exceed the click tolerance.
bool RubberBandHidden(const QRectF &band);

// The cells the band touches; a band inside one cell selects that cell.
CellSpan CellsUnderBand(const QRectF &band, int cellWidth, int cellHeight, int rows, int cols);

// The cell under a viewport position (right-click), within the grid.
CellPosition CellUnder(const QPoint &pos, const QSize &viewport, int rows, int cols);

// The outer frame of a splice over the span, inset inside its cells.
WallRect SpliceFrame(const TvWallState &wall, const CellSpan &span);
// The dotted inner frame of a cell whose display left its splice.
WallRect SingleExitFrame(const TvWallEntry &cell);

// The cells of the splice whose top-left cell is origin: as far down and
// right from the origin as the cells' outputs belong to that splice. None
// when the origin cell itself is not such a cell.
std::optional<CellSpan> SpliceExtent(const TvWallState &wall, quint32 origin);

// Cell indices of the span, row by row.
QVector<quint32> CellsOf(const CellSpan &span, quint32 cols);

bool SameRect(const WallRect &a, const WallRect &b);
QRectF ToRectF(const WallRect &rect);
// Whether a drawn frame is the model's rectangle (compared rounded).
bool FrameIs(const QRectF &frame, const WallRect &rect);
