#include "support/WallGridDriver.h"

#include "pages/wall/MyTableWidget.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QtTest>

namespace WallGridDriver {

namespace {

// A move with the left button held. QTest moves only the cursor, which the
// grid does not track, so the event is sent as the window system would.
void MoveHeld(QWidget *viewport, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, viewport->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

QList<QAction *> AllEntries(QMenu *menu)
{
    QList<QAction *> entries;
    for (QAction *action : menu->actions()) {
        entries.append(action);
        if (action->menu())
            entries += AllEntries(action->menu());
    }
    return entries;
}

} // namespace

QPoint CellCentre(const MyTableWidget *grid, int row, int col)
{
    return QPoint(col * grid->cellWidth() + grid->cellWidth() / 2, row * grid->cellHeight() + grid->cellHeight() / 2);
}

void Drag(MyTableWidget *grid, const QPoint &from, const QPoint &to)
{
    QWidget *viewport = grid->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    MoveHeld(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
}

void SelectCells(MyTableWidget *grid, int firstRow, int firstCol, int lastRow, int lastCol)
{
    Drag(grid, CellCentre(grid, firstRow, firstCol), CellCentre(grid, lastRow, lastCol));
}

void LeftClick(MyTableWidget *grid, int row, int col)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(grid, row, col));
}

QMenu *RightClick(MyTableWidget *grid, int row, int col)
{
    const QPoint pos = CellCentre(grid, row, col);
    QTest::mousePress(grid->viewport(), Qt::RightButton, Qt::NoModifier, pos);
    QMenu *menu = grid->contextMenu();
    if (menu && !menu->isVisible())
        QTest::mouseRelease(grid->viewport(), Qt::RightButton, Qt::NoModifier, pos);
    return menu;
}

QAction *EntryByText(QMenu *menu, const QString &text)
{
    for (QAction *action : AllEntries(menu))
        if (action->text() == text)
            return action;
    return nullptr;
}

QAction *EntryByName(QMenu *menu, const QString &objectName)
{
    for (QAction *action : AllEntries(menu))
        if (action->objectName() == objectName)
            return action;
    return nullptr;
}

bool Choose(QMenu *menu, QAction *entry)
{
    if (!menu || !entry || !entry->isEnabled())
        return false;
    if (menu->isVisible() && menu->actions().contains(entry)) {
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(entry).center());
    } else {
        entry->trigger();
        menu->close();
    }
    return true;
}

bool ChooseOnCell(MyTableWidget *grid, int row, int col, const QString &textOrName)
{
    QMenu *menu = RightClick(grid, row, col);
    if (!menu)
        return false;
    QAction *entry = EntryByText(menu, textOrName);
    if (!entry)
        entry = EntryByName(menu, textOrName);
    const bool chosen = Choose(menu, entry);
    if (!chosen)
        menu->close();
    return chosen;
}

} // namespace WallGridDriver
