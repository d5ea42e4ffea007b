#include "protocol/EdidTiming.h"

#include <cmath>

namespace {
constexpr quint32 PixelClockUnitKHz = 10;
constexpr int InterlacedBit = 0x80;
constexpr int SyncTypeShift = 3;
constexpr int SyncTypeMask = 0x03;
constexpr int SyncDigitalComposite = 2;
constexpr int SyncDigitalSeparate = 3;
constexpr int VSyncPositiveBit = 0x04;
constexpr int HSyncPositiveBit = 0x02;
constexpr double KHz = 1000.0;

constexpr int StandardWidthBase = 31;
constexpr int StandardWidthUnit = 8;
constexpr int StandardRateBase = 60;
constexpr int StandardRateMask = 0x3F;
constexpr int AspectShift = 6;

quint16 Join(quint8 low, quint8 high, int shift, int mask)
{
    return quint16(low | (((high >> shift) & mask) << 8));
}

// Aspect codes 0-3: 16:10 (1:1 before 1.3), 4:3, 5:4, 16:9.
quint16 StandardHeight(int width, int aspect, quint8 revision)
{
    switch (aspect) {
    case 0:
        return revision < 3 ? quint16(width) : quint16(width * 10 / 16);
    case 1:
        return quint16(width * 3 / 4);
    case 2:
        return quint16(width * 4 / 5);
    default:
        return quint16(width * 9 / 16);
    }
}
} // namespace

bool EdidIsDetailedTiming(const quint8 *d)
{
    return d[0] != 0 || d[1] != 0;
}

EdidDetailedTiming DecodeDetailedTiming(const quint8 *d, QString *problem)
{
    EdidDetailedTiming t;
    t.pixelClockKHz = quint32(d[0] | (d[1] << 8)) * PixelClockUnitKHz;
    t.hActive = Join(d[2], d[4], 4, 0x0F);
    t.hBlank = Join(d[3], d[4], 0, 0x0F);
    t.vActive = Join(d[5], d[7], 4, 0x0F);
    t.vBlank = Join(d[6], d[7], 0, 0x0F);
    t.hSyncOffset = quint16(d[8] | (((d[11] >> 6) & 0x03) << 8));
    t.hSyncWidth = quint16(d[9] | (((d[11] >> 4) & 0x03) << 8));
    t.vSyncOffset = quint16(((d[10] >> 4) & 0x0F) | (((d[11] >> 2) & 0x03) << 4));
    t.vSyncWidth = quint16((d[10] & 0x0F) | ((d[11] & 0x03) << 4));
    t.hSizeMm = Join(d[12], d[14], 4, 0x0F);
    t.vSizeMm = Join(d[13], d[14], 0, 0x0F);
    t.hBorder = d[15];
    t.vBorder = d[16];
    const quint8 flags = d[17];
    t.interlaced = (flags & InterlacedBit) != 0;
    const int syncType = (flags >> SyncTypeShift) & SyncTypeMask;
    t.sync = syncType == SyncDigitalSeparate
        ? EdidSync::DigitalSeparate
        : (syncType == SyncDigitalComposite ? EdidSync::DigitalComposite : EdidSync::Analog);
    t.vSyncPositive = t.sync == EdidSync::DigitalSeparate && (flags & VSyncPositiveBit) != 0;
    t.hSyncPositive = t.sync != EdidSync::Analog && (flags & HSyncPositiveBit) != 0;

    const double hTotal = double(t.hActive) + t.hBlank;
    // An interlaced timing gives one field's lines; fields alternate an
    // extra half line.
    const double vTotal = double(t.vActive) + t.vBlank + (t.interlaced ? 0.5 : 0.0);
    if (hTotal > 0 && vTotal > 0)
        t.refreshHz = t.pixelClockKHz * KHz / (hTotal * vTotal);
    t.format.width = t.hActive;
    t.format.height = quint16(t.interlaced ? t.vActive * 2 : t.vActive);
    t.format.rateHz = quint16(std::lround(t.refreshHz));
    t.format.interlaced = t.interlaced;

    if (problem) {
        problem->clear();
        if (t.hActive == 0 || t.vActive == 0)
            *problem = QStringLiteral("zero active size %1x%2").arg(t.hActive).arg(t.vActive);
        else if (t.hBlank == 0 || t.vBlank == 0)
            *problem = QStringLiteral("zero blanking %1/%2").arg(t.hBlank).arg(t.vBlank);
        else if (t.hSyncOffset + t.hSyncWidth > t.hBlank)
            *problem = QStringLiteral("horizontal sync (offset %1, width %2) past the blanking of %3")
                           .arg(t.hSyncOffset)
                           .arg(t.hSyncWidth)
                           .arg(t.hBlank);
        else if (t.vSyncOffset + t.vSyncWidth > t.vBlank)
            *problem = QStringLiteral("vertical sync (offset %1, width %2) past the blanking of %3")
                           .arg(t.vSyncOffset)
                           .arg(t.vSyncWidth)
                           .arg(t.vBlank);
    }
    return t;
}

bool DecodeStandardTiming(quint8 first, quint8 second, quint8 revision, EdidVideoFormat *format)
{
    if ((first == 0x01 && second == 0x01) || (first == 0x00 && second == 0x00) || (first == 0x20 && second == 0x20))
        return false;
    const int width = (first + StandardWidthBase) * StandardWidthUnit;
    format->width = quint16(width);
    format->height = StandardHeight(width, second >> AspectShift, revision);
    format->rateHz = quint16((second & StandardRateMask) + StandardRateBase);
    format->interlaced = false;
    return true;
}
