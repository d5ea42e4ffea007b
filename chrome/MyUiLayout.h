#pragma once

#include <QWidget>

// Places one widget relative to another of the same parent. Pages keep one
// instance; it holds no data.
//
// A relation code's high hexadecimal digit is the horizontal rule and its
// low digit the vertical one:
//   1  before the reference (left of it / above it), dx or dy apart
//   2  aligned with the reference (left edges / top edges), dx or dy unused
//   4  after the reference (right of it / below it), dx or dy apart
// 0x88 moves the widget to (dx, dy) in its parent; any other code only
// resizes the widget.
class MyUiLayout : public QWidget
{
    Q_OBJECT

public:
    enum Relation : int {
        LeftAbove = 0x11,
        LeftTopAligned = 0x12,
        LeftBelow = 0x14,
        LeftAlignedAbove = 0x21,
        SameOrigin = 0x22,
        LeftAlignedBelow = 0x24,
        RightAbove = 0x41,
        RightTopAligned = 0x42,
        RightBelow = 0x44,
        Absolute = 0x88,
    };

    explicit MyUiLayout(QWidget *parent = nullptr);

    // Moves the widget by the relation (from the reference's geometry in the
    // parent's coordinates), then resizes it to width by height. A missing
    // reference only resizes, except for Absolute.
    static void place(QWidget *widget, const QWidget *reference, int relation, int dx, int dy, int width, int height);
};
