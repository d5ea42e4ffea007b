#include "chrome/BorderHitTest.h"

BorderRegion HitTestBorder(QPoint posInWindow, QSize windowSize)
{
    const int x = posInWindow.x();
    const int y = posInWindow.y();
    const int width = windowSize.width();
    const int height = windowSize.height();

    const bool left = x >= 1 && x <= ResizeBorderWidth;
    const bool right = x >= width - ResizeBorderWidth && x <= width - 1;
    const bool top = y >= 1 && y <= ResizeBorderWidth;
    const bool bottom = y >= height - ResizeBorderWidth && y <= height - 1;

    // Later rules override earlier ones, so on a window narrower than two
    // borders the right and bottom sides win.
    BorderRegion region = BorderRegion::Inside;
    if (left)
        region = BorderRegion::Left;
    if (right)
        region = BorderRegion::Right;
    if (top)
        region = BorderRegion::Top;
    if (bottom)
        region = BorderRegion::Bottom;
    if (left && top)
        region = BorderRegion::TopLeft;
    if (right && top)
        region = BorderRegion::TopRight;
    if (left && bottom)
        region = BorderRegion::BottomLeft;
    if (right && bottom)
        return BorderRegion::BottomRight;
    return region;
}

Qt::Edges BorderEdges(BorderRegion region)
{
    switch (region) {
    case BorderRegion::Inside:
        return {};
    case BorderRegion::Left:
        return Qt::LeftEdge;
    case BorderRegion::Right:
        return Qt::RightEdge;
    case BorderRegion::Top:
        return Qt::TopEdge;
    case BorderRegion::Bottom:
        return Qt::BottomEdge;
    case BorderRegion::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case BorderRegion::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case BorderRegion::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case BorderRegion::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    }
    return {};
}

Qt::CursorShape BorderCursor(BorderRegion region)
{
    switch (region) {
    case BorderRegion::Inside:
        return Qt::ArrowCursor;
    case BorderRegion::Left:
    case BorderRegion::Right:
        return Qt::SizeHorCursor;
    case BorderRegion::Top:
    case BorderRegion::Bottom:
        return Qt::SizeVerCursor;
    case BorderRegion::TopLeft:
    case BorderRegion::BottomRight:
        return Qt::SizeFDiagCursor;
    case BorderRegion::TopRight:
    case BorderRegion::BottomLeft:
        return Qt::SizeBDiagCursor;
    }
    return Qt::ArrowCursor;
}
