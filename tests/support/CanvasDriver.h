#pragma once

#include <QPoint>

class MyCustomView;
class QMenu;

// Drives the multiview canvas with mouse events on its view, as an
// operator does. Positions are in the output's pixels (scene coordinates)
// and are mapped to the view's viewport; at a 1920-wide output one view
// pixel is two output pixels.
namespace CanvasDriver {

QPoint ViewPoint(const MyCustomView *view, const QPoint &scenePoint);
void Press(MyCustomView *view, const QPoint &at);
// A move with the left button held, sent as the window system does.
void MoveHeld(MyCustomView *view, const QPoint &to);
void Release(MyCustomView *view, const QPoint &at);
void Click(MyCustomView *view, const QPoint &at);
// Press at from, steps moves on the way to to, release at to.
void Drag(MyCustomView *view, const QPoint &from, const QPoint &to, int steps = 4);
// Press, release, double click, release.
// Right press, the context-menu event the window system sends with it,
// right release; the scene's menu (null when none).
QMenu *RightClick(MyCustomView *view, const QPoint &at);

} // namespace CanvasDriver
