#include "pages/wall/MultiviewGeometry.h"

namespace MultiviewGeometry {

namespace {

constexpr int Half = 2;
constexpr int Quarter = 4;
constexpr int ThreeQuarters = 3;

// The whole output, then its halves and quadrants. The far half of an odd
// side takes the extra pixel, so the regions tile the output exactly.
struct Regions
{
    Rect whole;
    Rect halves[4];    // top, bottom, left, right
    Rect quadrants[4]; // top-left, top-right, bottom-left, bottom-right
};

Regions StandardRegions(Size s)
{
    const int w0 = s.w / Half;
    const int h0 = s.h / Half;
    const int w1 = s.w - w0;
    const int h1 = s.h - h0;
    return {{0, 0, s.w, s.h},
            {{0, 0, s.w, h0}, {0, h0, s.w, h1}, {0, 0, w0, s.h}, {w0, 0, w1, s.h}},
            {{0, 0, w0, h0}, {w0, 0, w1, h0}, {0, h0, w0, h1}, {w0, h0, w1, h1}}};
}

} // namespace

int Unit(int width)
{
    return width / UnitDivisor;
}

int HandleSize(int unit)
{
    return unit / HandleDivisor;
}

int Clamp(int v, int lo, int hi)
{
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return v;
}

Rect Moved(const Rect &window, int dx, int dy, Size scene)
{
    Rect r = window;
    r.x = Clamp(window.x + dx, 0, scene.w - window.w);
    r.y = Clamp(window.y + dy, 0, scene.h - window.h);
    return r;
}

Rect Resized(const Rect &window, Handle handle, int dx, int dy, Size scene, int unit)
{
    const int W = scene.w;
    const int H = scene.h;
    const Rect &o = window;
    Rect r = window;
    // Edges that follow the mouse: the left and top ones move the corner
    // and take the difference from the side, the right and bottom ones only
    // change the side.
    const bool left = handle == Handle::TopLeft || handle == Handle::Left || handle == Handle::BottomLeft;
    const bool right = handle == Handle::TopRight || handle == Handle::Right || handle == Handle::BottomRight;
    const bool top = handle == Handle::TopLeft || handle == Handle::Top || handle == Handle::TopRight;
    const bool bottom = handle == Handle::BottomLeft || handle == Handle::Bottom || handle == Handle::BottomRight;
    if (left) {
        r.x = Clamp(o.x + dx, 0, W - o.w);
        r.w = Clamp(o.w - dx, unit, W - r.x);
    }
    if (right)
        r.w = Clamp(o.w + dx, unit, W - o.x);
    if (top) {
        r.y = Clamp(o.y + dy, 0, H - o.h);
        r.h = Clamp(o.h - dy, unit, H - r.y);
    }
    if (bottom)
        r.h = Clamp(o.h + dy, unit, H - o.y);
    return r;
}

Rect HandleRect(const Rect &window, Handle handle, int size)
{
    const int left = window.x;
    const int centreX = window.x + (window.w - size) / Half;
    const int right = window.x + window.w - size;
    const int topY = window.y;
    const int centreY = window.y + (window.h - size) / Half;
    const int bottomY = window.y + window.h - size;
    static constexpr int Column[HandleCount] = {0, 1, 2, 0, 2, 0, 1, 2};
    static constexpr int Row[HandleCount] = {0, 0, 0, 1, 1, 2, 2, 2};
    const int xs[] = {left, centreX, right};
    const int ys[] = {topY, centreY, bottomY};
    const int h = Clamp(int(handle), 0, HandleCount - 1);
    return {xs[Column[h]], ys[Row[h]], size, size};
}

Rect Normalised(int x0, int y0, int x1, int y1)
{
    return {qMin(x0, x1), qMin(y0, y1), qAbs(x1 - x0), qAbs(y1 - y0)};
}

bool MakesWindow(const Rect &drawn, int unit)
{
    return drawn.w > unit && drawn.h > unit;
}

int NextWindowIndex(const bool *shown, int count)
{
    int index = count;
    for (int k = 0; k < count; ++k) {
        if (!shown[k]) {
            index = k;
            break;
        }
    }
    return index < Windows ? index : NoWindow;
}

void Restack(quint8 *layers, int count, int k, int to)
{
    if (k < 0 || k >= count || to < 0 || to >= Layers)
        return;
    const int old = layers[k];
    for (int j = 0; j < count; ++j) {
        if (j == k)
            continue;
        const int lj = layers[j];
        if (old >= lj && lj >= to)
            layers[j] = quint8(lj + 1);
        else if (old < lj && lj <= to)
            layers[j] = quint8(lj - 1);
    }
    layers[k] = quint8(to);
}

int TopLayer(const quint8 *layers, int count)
{
    int top = 0;
    for (int j = 0; j < count; ++j)
        top = qMax(top, int(layers[j]));
    return top;
}

int TopmostAt(const Rect *windows, const quint8 *layers, const bool *shown, int count, int px, int py)
{
    int found = NoWindow;
    for (int k = 0; k < count; ++k) {
        if (!shown[k] || !windows[k].contains(px, py))
            continue;
        if (found == NoWindow || layers[k] > layers[found])
            found = k;
    }
    return found;
}

bool IsStandardRegion(const Rect &window, Size scene)
{
    const Regions regions = StandardRegions(scene);
    if (window == regions.whole)
        return true;
    for (const Rect &r : regions.halves)
        if (window == r)
            return true;
    for (const Rect &r : regions.quadrants)
        if (window == r)
            return true;
    return false;
}

Rect SmallestRegion(const Rect &window, Size scene)
{
    const Regions regions = StandardRegions(scene);
    for (const Rect &r : regions.quadrants)
        if (r.containsRect(window))
            return r;
    for (const Rect &r : regions.halves)
        if (r.containsRect(window))
            return r;
    return regions.whole;
}

Rect FirstRestore(int k, Size scene)
{
    const int w = scene.w / Quarter;
    const int h = scene.h / Quarter;
    const int farX = ThreeQuarters * scene.w / Quarter;
    const int farY = ThreeQuarters * scene.h / Quarter;
    const bool right = k % Half != 0;
    const bool lower = k / Half != 0;
    return {right ? farX : 0, lower ? farY : 0, w, h};
}

Rect FitIntoScene(const Rect &window, Size scene, int unit)
{
    Rect r;
    r.w = Clamp(window.w, unit, scene.w);
    r.h = Clamp(window.h, unit, scene.h);
    r.x = Clamp(window.x, 0, scene.w - r.w);
    r.y = Clamp(window.y, 0, scene.h - r.h);
    return r;
}

} // namespace MultiviewGeometry
