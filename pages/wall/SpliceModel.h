#pragma once

#include "pages/wall/WallGeometry.h"

#include <QVector>

class DeviceState;

// What splicing does to the TV wall part of the device model. Cell c holds
// the geometry of cell c and the output it shows; the splice state of that
// output lives in the entry of the output. The grid calls these, sends the
// commands for the cells they return and redraws from the model.
class SpliceModel
{
public:
    explicit SpliceModel(DeviceState &device);

    quint32 cellCount() const;
    // The entry of the output cell c shows.
    TvWallEntry &outputOf(quint32 cell);
    const TvWallEntry &outputOf(quint32 cell) const;
    bool isSpliced(quint32 cell) const;
    bool isSingleExit(quint32 cell) const;

    // Lays out rows x cols cells of the given size. Without keepState every
    // cell shows its own output, fed from the routing table, outside any
    // splice; with it the outputs' splice state is kept (the device's
    // reply wrote it).
    void layOut(quint32 rows, quint32 cols, int cellWidth, int cellHeight, bool keepState);

    // Whether the span may become a splice: several cells, none spliced.
    bool canSplice(const CellSpan &span) const;
    // Joins the span into one splice whose origin is its top-left cell and
    // gives every output the top-left output's input. Returns the cells,
    // row by row (empty when refused).
    QVector<quint32> splice(const CellSpan &span);

    // The splice named by the clicked cell's output, when its origin cell
    // still starts a splice.
    std::optional<CellSpan> spliceOf(quint32 cell) const;
    // Cells of that splice, row by row (empty when none).
    QVector<quint32> cellsOfSplice(quint32 cell) const;

    // Dissolves the splice of the clicked cell (every cell whose output has
    // the same frame). Returns the cells it cleared.
    QVector<quint32> cancel(quint32 cell);
    // Takes the cell's display out of its splice or back in; it keeps its
    // membership either way.
    void toggleSingleExit(quint32 cell);
    // Clears every spliced output; returns the cells whose output was
    // spliced.
    QVector<quint32> clearAll();

    // Outputs of the clicked cell's splice that follow its input: all of
    // them but the displays taken out of it.
    QVector<quint32> inputFollowers(quint32 cell) const;

    // Recomputes the derived splice fields (frames, positions, sizes) from
    // the outputs' splice flags and origins. Returns the frames to draw:
    // one per splice, in origin order, and one per single-exit display.
    struct Frames
    {
        QVector<WallRect> splices;
        QVector<WallRect> singleExits;
    };
    Frames derive();

    static void clearSplice(TvWallEntry &output);

private:
    TvWallState &wall();
    const TvWallState &wall() const;

    DeviceState &m_device;
};
