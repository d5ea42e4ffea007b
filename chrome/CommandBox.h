#pragma once

#include <QString>

class QComboBox;

// A combo box whose choice is sent to the device acts only on a deliberate
// pick. Qt's boxes report a wheel notch, an arrow key or a typed letter as
// activated(), exactly like a pick from the list, so a box that sends on
// activated() (or on every change) re-routes outputs when the operator only
// scrolls the page past it. A guarded box
// - takes focus only from a click or Tab, never from the wheel;
// - without focus passes the wheel on (the page scrolls under it);
// - with focus lets the wheel and the arrow keys browse the entries without
//   sending; Enter sends the shown entry, Escape or leaving the box shows the
//   sent one again;
// - ignores typed letters (Qt would select and report the matching entry);
// - sends a pick from its opened list as before.
// A non-empty objectName names the box (tests find it by that name).
void GuardCommandBox(QComboBox *box, const QString &objectName = QString());
