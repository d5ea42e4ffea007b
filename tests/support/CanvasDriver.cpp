#include "support/CanvasDriver.h"

#include "pages/wall/MyCustomScene.h"
#include "pages/wall/MyCustomView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QtTest>

namespace CanvasDriver {

namespace {

void Send(MyCustomView *view, QEvent::Type type, const QPoint &at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QWidget *viewport = view->viewport();
    const QPoint pos = ViewPoint(view, at);
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

} // namespace

QPoint ViewPoint(const MyCustomView *view, const QPoint &scenePoint)
{
    return view->mapFromScene(scenePoint);
}

void Press(MyCustomView *view, const QPoint &at)
{
    Send(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void MoveHeld(MyCustomView *view, const QPoint &to)
{
    Send(view, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
}

void Release(MyCustomView *view, const QPoint &at)
{
    Send(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void Click(MyCustomView *view, const QPoint &at)
{
    Press(view, at);
    Release(view, at);
}

void Drag(MyCustomView *view, const QPoint &from, const QPoint &to, int steps)
{
    Press(view, from);
    for (int s = 1; s <= steps; ++s)
        MoveHeld(view, from + (to - from) * s / steps);
    Release(view, to);
}

QMenu *RightClick(MyCustomView *view, const QPoint &at)
{
    Send(view, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
    QWidget *viewport = view->viewport();
    const QPoint pos = ViewPoint(view, at);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &menuEvent);
    Send(view, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
    return view->customScene()->contextMenu();
}

} // namespace CanvasDriver
