#include "tools/devsim/SimChannelOptions.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int AutoBase = 0;
constexpr quint8 Dvi = 3;
constexpr quint8 Vga = 6;
constexpr quint8 Hdmi = 7;
constexpr quint32 MaxSide = 0xFFFF;
constexpr quint32 MaxRate = 0xFF;

struct KindDefault
{
    quint8 kind;
    quint8 value;
};

// The type an input or output card starts with, where it is not HDMI.
constexpr KindDefault InputTypes[] = {{4, Dvi}, {5, Vga}};
constexpr KindDefault OutputTypes[] = {{8, Vga}};
// The format index an output card starts with: 1920x1080p60 in that
// card's list (index 10 of the full list otherwise).
constexpr quint8 FullListDefault = 10;
constexpr KindDefault OutputFormats[] = {{3, 1},  {5, 1},  {6, 0},  {7, 1},  {8, 1},
                                         {10, 1}, {11, 1}, {12, 3}, {13, 3}, {14, 3}};
constexpr quint8 TypeFollowingKinds[] = {7, 8};

template<int N>
quint8 DefaultOf(const KindDefault (&table)[N], quint8 kind, quint8 fallback)
{
    for (const KindDefault &entry : table)
        if (entry.kind == kind)
            return entry.value;
    return fallback;
}

void SetInputKind(SimInput &input, quint8 kind)
{
    input.kind = kind;
    input.type = DefaultOf(InputTypes, kind, Hdmi);
}

void SetOutputKind(SimOutput &output, quint8 kind)
{
    output.kind = kind;
    output.type = DefaultOf(OutputTypes, kind, Hdmi);
    output.format = DefaultOf(OutputFormats, kind, FullListDefault);
}

} // namespace

bool ReadSimNumberList(const QString &text, int minimum, int maximum, QVector<int> &values)
{
    values.clear();
    const QStringList items = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &item : items) {
        bool ok = false;
        const int value = item.trimmed().toInt(&ok, AutoBase);
        if (!ok || value < minimum || value > maximum)
            return false;
        values.append(value);
    }
    return !values.isEmpty() && values.size() <= SimLimits::Channels;
}

bool ReadSimTimingList(const QString &text, QVector<SimTiming> &timings)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)x(\\d+)([pi])(\\d+)$"));
    timings.clear();
    const QStringList items = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &item : items) {
        const QRegularExpressionMatch match = pattern.match(item.trimmed());
        if (!match.hasMatch())
            return false;
        const quint32 width = match.captured(1).toUInt();
        const quint32 height = match.captured(2).toUInt();
        const quint32 rate = match.captured(4).toUInt();
        if (width > MaxSide || height > MaxSide || rate > MaxRate)
            return false;
        SimTiming timing;
        timing.width = quint16(width);
        timing.height = quint16(height);
        timing.rate = quint8(rate);
        timing.interlaced = match.captured(3) == QLatin1String("i");
        timings.append(timing);
    }
    return !timings.isEmpty() && timings.size() <= SimLimits::Channels;
}

void ApplySimChannelOptions(const SimModelOptions &options, SimDeviceModel &model)
{
    for (int i = 0; i < options.inputKinds.size() && i < SimLimits::Channels; ++i)
        SetInputKind(model.inputs[i], quint8(options.inputKinds.at(i)));
    for (int i = 0; i < options.inputTypes.size() && i < SimLimits::Channels; ++i)
        model.inputs[i].type = quint8(options.inputTypes.at(i));
    for (int i = 0; i < options.inputTimings.size() && i < SimLimits::Channels; ++i) {
        SimInput &input = model.inputs[i];
        const SimTiming &timing = options.inputTimings.at(i);
        input.width = timing.width;
        input.height = timing.height;
        input.rate = timing.rate;
        input.interlaced = timing.interlaced;
        // What the input passes on is what comes in.
        input.outWidth = timing.width;
        input.outHeight = timing.height;
        input.outRate = timing.rate;
        input.outInterlaced = timing.interlaced;
    }
    for (int i = 0; i < options.outputKinds.size() && i < SimLimits::Channels; ++i)
        SetOutputKind(model.outputs[i], quint8(options.outputKinds.at(i)));
    for (int i = 0; i < options.outputTypes.size() && i < SimLimits::Channels; ++i)
        model.outputs[i].type = quint8(options.outputTypes.at(i));
    for (int i = 0; i < options.outputFormats.size() && i < SimLimits::Channels; ++i)
        model.outputs[i].format = quint8(options.outputFormats.at(i));
    for (int i = 0; i < options.outputTimings.size() && i < SimLimits::Channels; ++i) {
        model.outputs[i].ownTiming = true;
        model.outputs[i].timing = options.outputTimings.at(i);
    }
}

void KeepSimBoards(const SimDeviceModel &before, SimDeviceModel &after)
{
    for (int i = 0; i < SimLimits::Channels; ++i) {
        const SimInput &oldInput = before.inputs[i];
        SimInput &input = after.inputs[i];
        SetInputKind(input, oldInput.kind);
        input.width = oldInput.width;
        input.height = oldInput.height;
        input.rate = oldInput.rate;
        input.interlaced = oldInput.interlaced;
        input.outWidth = oldInput.outWidth;
        input.outHeight = oldInput.outHeight;
        input.outRate = oldInput.outRate;
        input.outInterlaced = oldInput.outInterlaced;
        SetOutputKind(after.outputs[i], before.outputs[i].kind);
        after.outputs[i].ownTiming = before.outputs[i].ownTiming;
        after.outputs[i].timing = before.outputs[i].timing;
    }
}

bool SimFormatFollowsType(quint8 outputKind)
{
    for (quint8 kind : TypeFollowingKinds)
        if (kind == outputKind)
            return true;
    return false;
}
