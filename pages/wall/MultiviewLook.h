#pragma once

#include <QColor>
#include <QFont>

// Colours and text sizes of the multiview canvas, from the configuration
// (a value that is not a colour gives the built-in one).
namespace MultiviewLook {

QColor SceneBackground();
QColor WindowColour(int k); // window 1 … 4 for k = 0 … 3
QColor WindowNumberColour();
QColor HandleColour();
QColor AuxLineColour();
QColor AuxCoordinateColour();
QColor MouseRectColour();
QFont WindowNumberFont();
QFont AuxCoordinateFont();

} // namespace MultiviewLook
