#include "tools/devsim/SimMultiviewOptions.h"

#include <QStringList>

namespace {

constexpr int AutoBase = 0;
constexpr int MaxSide = 0xFFFF;
constexpr quint8 MultiviewMode = 1;
constexpr int Half = 2;
const QString NoGroups = QStringLiteral("none");

bool ReadNumber(const QString &text, int minimum, int maximum, int &value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, AutoBase);
    if (!ok || v < minimum || v > maximum)
        return false;
    value = v;
    return true;
}

void LayOut(SimMultiview &view, int width, int height, int windows)
{
    view.width = quint16(width);
    view.height = quint16(height);
    view.windowCount = quint8(windows);
    const int w0 = width / Half;
    const int h0 = height / Half;
    for (int w = 0; w < SimLimits::Windows; ++w) {
        SimWindow &window = view.windows[w];
        window.x = quint16((w % Half) * w0);
        window.y = quint16((w / Half) * h0);
        window.w = quint16(w0);
        window.h = quint16(h0);
    }
}

} // namespace

bool ReadSimMultiviewGroups(const QString &text, int outputs, QVector<int> &leaders)
{
    leaders.clear();
    if (text.trimmed() == NoGroups)
        return true;
    const QStringList items = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (items.isEmpty())
        return false;
    for (const QString &item : items) {
        int output = 0;
        if (!ReadNumber(item, 1, outputs, output) || (output - 1) % SimLimits::GroupSize != 0)
            return false;
        leaders.append(output - 1);
    }
    return true;
}

bool ReadSimCanvasSize(const QString &text, int &width, int &height)
{
    const QStringList sides = text.split(QLatin1Char('x'));
    return sides.size() == 2 && ReadNumber(sides[0], 1, MaxSide, width) && ReadNumber(sides[1], 1, MaxSide, height);
}

void ApplySimMultiviewOptions(const SimModelOptions &options, SimDeviceModel &model)
{
    if (options.multiviewGroupsSet) {
        for (int o = 0; o < SimLimits::Channels; o += SimLimits::GroupSize)
            model.outputs[o].mode = 0;
        for (int leader : options.multiviewGroups)
            if (model.validOutput(leader))
                model.outputs[leader].mode = MultiviewMode;
    }
    const int windows = qBound(0, options.multiviewWindows, int(SimLimits::Windows));
    for (SimMultiview &view : model.multiview)
        LayOut(view, options.multiviewWidth, options.multiviewHeight, windows);
}
