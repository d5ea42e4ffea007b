#pragma once

#include <QString>

class QLabel;
class QWidget;

// Room for captions that the style sheet draws bold in some state (a
// selected switch, a header): Qt measures a widget in its own font, so a
// caption that turns bold later is clipped ("All Bind Of"). These measure the
// bold weight instead.

// Width of text in the bold weight of widget's font, plus padding on both
// sides.
int BoldTextWidth(const QWidget *widget, const QString &text, int padding);
// Makes the widget at least as wide as its caption in bold.
void ReserveBoldWidth(QWidget *widget, const QString &text, int padding);

// Shows text in the label, cut with "…" when it is wider than the label; the
// whole text is then the label's tool tip.
void SetElidedText(QLabel *label, const QString &text);
