#pragma once

#include <QPoint>
#include <QString>

class MyTableWidget;
class QAction;
class QMenu;

// Drives the TV wall's splicing grid with mouse events, as an operator
// does: drags over displays, clicks them, opens the context menu and picks
// its entries. Positions are in the grid's viewport.
namespace WallGridDriver {

QPoint CellCentre(const MyTableWidget *grid, int row, int col);

// Left press at from, one move to to, release at to.
void Drag(MyTableWidget *grid, const QPoint &from, const QPoint &to);
// Drags from the centre of the first cell to the centre of the last.
void SelectCells(MyTableWidget *grid, int firstRow, int firstCol, int lastRow, int lastCol);
void LeftClick(MyTableWidget *grid, int row, int col);
// Right press and release on the cell; returns the menu it opened (null
// when none).
QMenu *RightClick(MyTableWidget *grid, int row, int col);

// The entry of the menu or of one of its sub-menus with this text, or with
// this object name.
QAction *EntryByText(QMenu *menu, const QString &text);
QAction *EntryByName(QMenu *menu, const QString &objectName);
// Picks an entry: a click on it where the menu shows it, otherwise (an
// entry of a sub-menu) it is triggered. False when it is disabled.
bool Choose(QMenu *menu, QAction *entry);

// Right-clicks the cell and picks the entry with this text (or object
// name); false when there is no such enabled entry.
bool ChooseOnCell(MyTableWidget *grid, int row, int col, const QString &textOrName);

} // namespace WallGridDriver
