#pragma once

#include <QtGlobal>

// The rules of the multiview canvas, free of widgets: the smallest window,
// the handles, moving and resizing inside the output, the layer stack,
// drawing a new window and the double-click regions. All sizes are pixels
// of the multiview output.
namespace MultiviewGeometry {

constexpr int UnitDivisor = 20;  // the smallest window side is width / 20
constexpr int HandleDivisor = 4; // a handle is a quarter of that
constexpr int Windows = 4;
constexpr int Layers = 4;
constexpr int NoWindow = -1;

// The eight stretch handles, corners and edge midpoints.
enum class Handle { TopLeft, Top, TopRight, Left, Right, BottomLeft, Bottom, BottomRight, Count };
constexpr int HandleCount = int(Handle::Count);

struct Rect
{
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
    bool containsRect(const Rect &r) const { return r.x >= x && r.y >= y && r.x + r.w <= x + w && r.y + r.h <= y + h; }
    bool operator==(const Rect &o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
    bool operator!=(const Rect &o) const { return !(*this == o); }
};

struct Size
{
    int w = 0;
    int h = 0;
};

int Unit(int width);
int HandleSize(int unit);

// lo below lo, hi above hi, otherwise v (lo wins when the bounds cross).
int Clamp(int v, int lo, int hi);

// The window moved by (dx, dy), kept inside the output.
Rect Moved(const Rect &window, int dx, int dy, Size scene);
// The window after one step (dx, dy) of a handle: the dragged edges follow
// the mouse inside the output, and no side gets below unit.
Rect Resized(const Rect &window, Handle handle, int dx, int dy, Size scene, int unit);

// Where handle h of the window sits: a square of side size on the corner or
// edge midpoint, inside the window so that it can be caught at the output's
// edges too.
Rect HandleRect(const Rect &window, Handle handle, int size);

// The rectangle spanned by two points: the smaller corner, absolute sides.
Rect Normalised(int x0, int y0, int x1, int y1);
// A drawn rectangle becomes a window only when both sides exceed unit.
bool MakesWindow(const Rect &drawn, int unit);
// The window a drawing fills: the first hidden one, or the next new one
// when all are shown; NoWindow when that would be a fifth.
int NextWindowIndex(const bool *shown, int count);

// Window k moves to layer to (below Layers); the windows between its old
// and new place close the gap, so the layers stay a permutation.
void Restack(quint8 *layers, int count, int k, int to);
int TopLayer(const quint8 *layers, int count);
// The topmost shown window under the point, NoWindow when none.
int TopmostAt(const Rect *windows, const quint8 *layers, const bool *shown, int count, int px, int py);

// Double-click toggle: the whole output, its halves and its quadrants.
bool IsStandardRegion(const Rect &window, Size scene);
// The smallest region holding the window: a quadrant (top-left, top-right,
// bottom-left, bottom-right tested in that order), else a half (top,
// bottom, left, right), else the whole output.
Rect SmallestRegion(const Rect &window, Size scene);
// Where window k returns to before it was ever toggled: a quarter-size
// rectangle in corner k.
Rect FirstRestore(int k, Size scene);
// A remembered rectangle put back inside the output, sides at least unit.
Rect FitIntoScene(const Rect &window, Size scene, int unit);

} // namespace MultiviewGeometry
