#pragma once

#include <QPoint>
#include <QSize>
#include <Qt>

// The 5-pixel resize border of the frameless windows. The outermost pixel
// row and column (x or y = 0) count as inside, like the rest of the client
// area.
constexpr int ResizeBorderWidth = 5;

enum class BorderRegion {
    Inside,
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

// Which part of the border a point in window coordinates lies on. Corners
// win over edges.
BorderRegion HitTestBorder(QPoint posInWindow, QSize windowSize);

// The window edges a resize from that region moves (none for Inside).
Qt::Edges BorderEdges(BorderRegion region);

// The pointer shape shown over that region (the arrow for Inside).
Qt::CursorShape BorderCursor(BorderRegion region);
