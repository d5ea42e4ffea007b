#include "protocol/EdidCompatibility.h"

#include "app/LanguageTable.h"
#include "protocol/DeviceState.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr quint32 OutputBase = 1; // outputs are counted from 1 in texts

auto rankOf(const EdidVideoFormat &f)
{
    return std::make_tuple(quint32(f.width) * f.height, !f.interlaced, f.rateHz);
}

bool lists(const EdidInfo &info, const EdidVideoFormat &format)
{
    for (const EdidAnnouncedFormat &known : info.formats)
        if (known.format == format)
            return true;
    return false;
}

QList<EdidAudioFormat> audioOf(const EdidInfo &info)
{
    QList<EdidAudioFormat> all;
    for (const EdidCtaBlock &cta : info.cta)
        all += cta.audio;
    return all;
}

bool takesAudio(const QList<EdidAudioFormat> &accepted, const EdidAudioFormat &wanted)
{
    for (const EdidAudioFormat &a : accepted)
        if (a.formatCode == wanted.formatCode && a.extendedCode == wanted.extendedCode && a.channels >= wanted.channels)
            return true;
    return false;
}

} // namespace

QList<quint32> OutputsFedBy(const DeviceState &device, quint32 input)
{
    QList<quint32> outputs;
    for (quint32 o = 0; o < device.outputCount && o < DeviceLimits::Channels; ++o)
        if (device.routingAt(o) == input)
            outputs.append(o);
    return outputs;
}

QList<quint32> SpliceMembers(const DeviceState &device, quint32 output)
{
    const TvWallState &wall = device.tvWall;
    const quint32 cells = qMin<quint32>(wall.cellCount, DeviceLimits::Channels);
    if (output >= DeviceLimits::Channels || !device.wallEntry(output).spliced)
        return {output};
    const quint32 origin = device.wallEntry(output).spliceOrigin;
    QList<quint32> members;
    for (quint32 c = 0; c < cells; ++c) {
        const quint32 shown = wall.entryAt(c).cellOutput;
        if (shown >= DeviceLimits::Channels || members.contains(shown))
            continue;
        const TvWallEntry &entry = device.wallEntry(shown);
        if (entry.spliced && entry.spliceOrigin == origin)
            members.append(shown);
    }
    // An output on no cell of the wall splices with nothing, whatever its
    // flag says.
    if (!members.contains(output))
        return {output};
    std::sort(members.begin(), members.end());
    return members;
}

bool EdidFormatBelow(const EdidVideoFormat &a, const EdidVideoFormat &b)
{
    return rankOf(a) < rankOf(b);
}

EdidVideoFormat EdidBestFormat(const EdidInfo &info)
{
    EdidVideoFormat best;
    for (const EdidAnnouncedFormat &known : info.formats)
        if (EdidFormatBelow(best, known.format))
            best = known.format;
    return best;
}

QList<EdidGap> FindEdidGaps(const EdidInfo &announced, const QList<EdidDisplay> &displays)
{
    QList<EdidGap> gaps;
    for (const EdidDisplay &display : displays) {
        if (!display.info.headerValid) {
            EdidGap gap;
            gap.kind = EdidGapKind::Unreadable;
            gap.output = display.output;
            gaps.append(gap);
        }
    }
    for (const EdidAnnouncedFormat &wanted : announced.formats) {
        for (const EdidDisplay &display : displays) {
            if (!display.info.headerValid || lists(display.info, wanted.format))
                continue;
            EdidGap gap;
            gap.output = display.output;
            gap.format = wanted.format;
            gap.best = EdidBestFormat(display.info);
            gap.topsOut = EdidFormatBelow(gap.best, wanted.format) && gap.best.width > 0;
            gaps.append(gap);
        }
    }
    for (const EdidAudioFormat &wanted : audioOf(announced)) {
        for (const EdidDisplay &display : displays) {
            if (!display.info.headerValid || takesAudio(audioOf(display.info), wanted))
                continue;
            EdidGap gap;
            gap.kind = EdidGapKind::Audio;
            gap.output = display.output;
            gap.audio = wanted;
            gaps.append(gap);
        }
    }
    return gaps;
}

QString DescribeEdidGap(const EdidGap &gap)
{
    const quint32 output = gap.output + OutputBase;
    switch (gap.kind) {
    case EdidGapKind::Unreadable:
        return SMSG_EdidGapUnreadable.arg(output);
    case EdidGapKind::Audio:
        return SMSG_EdidGapAudio.arg(gap.audio.name).arg(gap.audio.channels).arg(output);
    case EdidGapKind::Video:
        break;
    }
    const QString format = EdidFormatName(gap.format);
    if (gap.topsOut)
        return SMSG_EdidGapTopsOut.arg(format).arg(output).arg(EdidFormatName(gap.best));
    return SMSG_EdidGapMissing.arg(format).arg(output);
}
