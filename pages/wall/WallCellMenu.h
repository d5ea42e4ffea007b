#pragma once

#include <QString>

class MyTableWidget;
class QMenu;
class QObject;

// The splicing grid's context menu for one cell, built from the device
// model; its entries call the grid's slots. The grid owns the menu.
QMenu *BuildWallCellMenu(MyTableWidget *grid, quint32 cell, bool selectionSpansCells);

// The tool tip of a clicked cell: its splice, input, output and bezels.
QString WallCellSummary(quint32 cell);

// The number a choice entry carries in its object name ("Input-3" gives 3);
// -1 when there is none.
int WallChoiceOf(const QObject *entry);
