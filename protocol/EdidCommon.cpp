#include "protocol/EdidCommon.h"

#include "protocol/EdidBlueprint.h"
#include "protocol/EdidDecoder.h"
#include "protocol/EdidTiming.h"

#include <tuple>

namespace {

constexpr int EstablishedOffset = 35;
constexpr int EstablishedBytes = 3;
constexpr int BitsPerByte = 8;
constexpr int StandardSlots = 8;
constexpr quint8 StandardRevision = 3;
constexpr int StandardWidthBase = 31;
constexpr int StandardWidthStep = 8;
constexpr int StandardRateBase = 60;
constexpr int StandardRateMax = 63;
constexpr int StandardAspects = 4;
constexpr int StandardAspectShift = 6;
constexpr quint8 LpcmCode = 1;
constexpr quint8 NativeFlagLastVic = 64;
constexpr quint8 HeaderBytes[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int BaseBytes = 128;
constexpr quint8 FirstSpeakerByte = 0xFF;
constexpr quint16 CommonProduct = 0xC0DE;
constexpr char CommonName[] = "KXR COMMON";
// Range limits when no display states any: wide enough for what CTA-861
// formats need.
constexpr quint8 OpenMinV = 23, OpenMaxV = 121, OpenMinH = 15, OpenMaxH = 255;
constexpr quint16 OpenClockMHz = 600;

// Which format each established-timing bit stands for, taken from the
// decoder itself so that both read the bits alike.
struct EstablishedBit
{
    int byte;
    int bit;
    EdidVideoFormat format;
};

QList<EstablishedBit> establishedBits()
{
    static const QList<EstablishedBit> bits = [] {
        QList<EstablishedBit> all;
        for (int byte = 0; byte < EstablishedBytes; ++byte) {
            for (int bit = 0; bit < BitsPerByte; ++bit) {
                QByteArray probe(BaseBytes, '\0');
                probe.replace(0, int(sizeof HeaderBytes), reinterpret_cast<const char *>(HeaderBytes),
                              int(sizeof HeaderBytes));
                probe[EstablishedOffset + byte] = char(1 << bit);
                const EdidInfo info = DecodeEdid(probe);
                if (info.base.establishedTimings.size() == 1)
                    all.append({byte, bit, info.base.establishedTimings.first()});
            }
        }
        return all;
    }();
    return bits;
}

bool contains(const QList<EdidVideoFormat> &formats, const EdidVideoFormat &format)
{
    for (const EdidVideoFormat &f : formats)
        if (f == format)
            return true;
    return false;
}

QList<EdidVideoFormat> formatsOf(const EdidInfo &info)
{
    QList<EdidVideoFormat> formats;
    for (const EdidAnnouncedFormat &known : info.formats)
        formats.append(known.format);
    return formats;
}

QList<EdidAudioFormat> audioOf(const EdidInfo &info)
{
    QList<EdidAudioFormat> all;
    for (const EdidCtaBlock &cta : info.cta)
        all += cta.audio;
    return all;
}

// A detailed timing of the format that one of the displays describes.
bool findTiming(const QList<EdidInfo> &displays, const EdidVideoFormat &format, EdidDetailedTiming *timing)
{
    for (const EdidInfo &info : displays) {
        QList<EdidDetailedTiming> all = info.base.detailedTimings;
        for (const EdidCtaBlock &cta : info.cta)
            all += cta.detailedTimings;
        for (const EdidDetailedTiming &t : all) {
            if (t.format == format) {
                *timing = t;
                return true;
            }
        }
    }
    return false;
}

quint8 findVic(const QList<EdidInfo> &displays, const EdidVideoFormat &format)
{
    for (const EdidInfo &info : displays)
        for (const EdidCtaBlock &cta : info.cta)
            for (const EdidVic &vic : cta.vics)
                if (vic.known && vic.format == format)
                    return vic.vic;
    return 0;
}

// The two bytes of a standard timing for the format, if one can say it.
bool standardTiming(const EdidVideoFormat &format, quint8 *first, quint8 *second)
{
    if (format.interlaced || format.width % StandardWidthStep != 0)
        return false;
    const int code = format.width / StandardWidthStep - StandardWidthBase;
    const int rate = format.rateHz - StandardRateBase;
    if (code < 1 || code > 0xFF || rate < 0 || rate > StandardRateMax)
        return false;
    for (int aspect = 0; aspect < StandardAspects; ++aspect) {
        const quint8 a = quint8(code);
        const quint8 b = quint8((aspect << StandardAspectShift) | rate);
        EdidVideoFormat decoded;
        if (DecodeStandardTiming(a, b, StandardRevision, &decoded) && decoded == format) {
            *first = a;
            *second = b;
            return true;
        }
    }
    return false;
}

void intersectRanges(const QList<EdidInfo> &displays, EdidBlueprint &b)
{
    bool any = false;
    b.minVHz = OpenMinV;
    b.maxVHz = OpenMaxV;
    b.minHKHz = OpenMinH;
    b.maxHKHz = OpenMaxH;
    b.maxClockMHz = OpenClockMHz;
    for (const EdidInfo &info : displays) {
        const EdidRangeLimits &r = info.base.rangeLimits;
        if (!r.present)
            continue;
        if (!any) {
            b.minVHz = b.minHKHz = 0;
            b.maxVHz = b.maxHKHz = 0xFF;
            any = true;
        }
        b.minVHz = quint8(qMax<int>(b.minVHz, r.minVRateHz));
        b.maxVHz = quint8(qMin<int>(b.maxVHz, r.maxVRateHz));
        b.minHKHz = quint8(qMax<int>(b.minHKHz, r.minHRateKHz));
        b.maxHKHz = quint8(qMin<int>(b.maxHKHz, r.maxHRateKHz));
        if (r.maxPixelClockMHz > 0)
            b.maxClockMHz = qMin(b.maxClockMHz, r.maxPixelClockMHz);
    }
}

void intersectCta(const QList<EdidInfo> &displays, EdidBlueprint &b)
{
    bool allHdmi = true;
    bool allSpeakers = true;
    b.ycbcr444 = b.ycbcr422 = true;
    b.deepColour = 0xFF;
    b.speakers = FirstSpeakerByte;
    b.maxTmdsMHz = 0;
    for (const EdidInfo &info : displays) {
        if (info.cta.isEmpty()) {
            allHdmi = allSpeakers = b.ycbcr444 = b.ycbcr422 = false;
            continue;
        }
        const EdidCtaBlock &cta = info.cta.first();
        b.ycbcr444 = b.ycbcr444 && cta.ycbcr444;
        b.ycbcr422 = b.ycbcr422 && cta.ycbcr422;
        allSpeakers = allSpeakers && cta.speakerAllocationPresent;
        b.speakers &= quint8(cta.speakerAllocation & 0xFF);
        allHdmi = allHdmi && cta.hdmi.present;
        const quint8 colour = quint8((cta.hdmi.deepColour48 ? 0x40 : 0) | (cta.hdmi.deepColour36 ? 0x20 : 0)
                                     | (cta.hdmi.deepColour30 ? 0x10 : 0) | (cta.hdmi.deepColourY444 ? 0x08 : 0));
        b.deepColour &= colour;
        const quint16 tmds =
            cta.hdmiForum.maxTmdsCharacterRateMHz ? cta.hdmiForum.maxTmdsCharacterRateMHz : cta.hdmi.maxTmdsMHz;
        if (tmds > 0)
            b.maxTmdsMHz = b.maxTmdsMHz ? qMin(b.maxTmdsMHz, tmds) : tmds;
    }
    b.hdmi = allHdmi;
    if (!allHdmi)
        b.deepColour = 0;
    if (!allSpeakers || b.audio.isEmpty())
        b.speakers = 0;
}

auto preferenceOf(const EdidVideoFormat &f)
{
    return std::make_tuple(!f.interlaced, quint32(f.width) * f.height, f.rateHz);
}

} // namespace

QList<EdidVideoFormat> CommonVideoFormats(const QList<EdidInfo> &displays)
{
    if (displays.isEmpty())
        return {};
    QList<EdidVideoFormat> common = formatsOf(displays.first());
    for (int i = 1; i < displays.size(); ++i) {
        const QList<EdidVideoFormat> other = formatsOf(displays.at(i));
        QList<EdidVideoFormat> kept;
        for (const EdidVideoFormat &f : common)
            if (contains(other, f))
                kept.append(f);
        common = kept;
    }
    return common;
}

QList<EdidAudioFormat> CommonAudioFormats(const QList<EdidInfo> &displays)
{
    QList<EdidAudioFormat> common;
    if (displays.isEmpty())
        return common;
    for (EdidAudioFormat format : audioOf(displays.first())) {
        bool everywhere = true;
        for (int i = 1; i < displays.size() && everywhere; ++i) {
            bool found = false;
            for (const EdidAudioFormat &other : audioOf(displays.at(i))) {
                if (other.formatCode != format.formatCode || other.extendedCode != format.extendedCode)
                    continue;
                found = true;
                format.channels = qMin(format.channels, other.channels);
                format.sampleRates &= other.sampleRates;
                format.bitDepths &= other.bitDepths;
                format.maxBitrateKbps = qMin(format.maxBitrateKbps, other.maxBitrateKbps);
                break;
            }
            everywhere = found;
        }
        if (!everywhere || format.sampleRates == 0 || (format.formatCode == LpcmCode && format.bitDepths == 0))
            continue;
        bool repeat = false;
        for (const EdidAudioFormat &kept : common)
            repeat = repeat || (kept.formatCode == format.formatCode && kept.extendedCode == format.extendedCode);
        if (!repeat)
            common.append(format);
    }
    return common;
}

CommonEdid BuildCommonEdid(const QList<EdidInfo> &displays)
{
    CommonEdid result;
    if (displays.isEmpty())
        return result;
    for (const EdidInfo &info : displays)
        if (!info.headerValid)
            return result;
    result.formats = CommonVideoFormats(displays);
    result.audio = CommonAudioFormats(displays);

    EdidBlueprint b;
    bool havePreferred = false;
    EdidVideoFormat preferred;
    for (const EdidVideoFormat &f : result.formats) {
        EdidDetailedTiming t;
        if (findTiming(displays, f, &t) && (!havePreferred || preferenceOf(preferred) < preferenceOf(f))) {
            b.preferred = t;
            preferred = f;
            havePreferred = true;
        }
    }
    if (!havePreferred)
        return result;

    b.maker = "KXR";
    b.product = CommonProduct;
    b.name = CommonName;
    b.widthCm = displays.first().base.widthCm;
    b.heightCm = displays.first().base.heightCm;
    b.cta = true;
    b.audio = result.audio.toVector();
    const QList<EstablishedBit> bits = establishedBits();
    int standard = 0;
    quint8 standardBytes[2 * StandardSlots] = {};
    for (const EdidVideoFormat &f : result.formats) {
        bool said = f == preferred;
        for (const EstablishedBit &bit : bits) {
            if (bit.format == f) {
                b.established[bit.byte] |= quint8(1 << bit.bit);
                said = true;
            }
        }
        if (const quint8 vic = findVic(displays, f)) {
            b.vics.append(vic);
            said = true;
        }
        if (!said && standard < StandardSlots
            && standardTiming(f, &standardBytes[2 * standard], &standardBytes[2 * standard + 1])) {
            ++standard;
            said = true;
        }
        if (!said)
            result.left.append(f);
    }
    // A native interlaced timing wants a native progressive one beside it:
    // the most demanding progressive VIC that can carry the flag.
    if (preferred.interlaced) {
        EdidVideoFormat best;
        for (const EdidVideoFormat &f : result.formats) {
            const quint8 vic = findVic(displays, f);
            if (!f.interlaced && vic > 0 && vic <= NativeFlagLastVic && preferenceOf(best) < preferenceOf(f)) {
                best = f;
                b.nativeVic = vic;
            }
        }
    }
    b.standard = QByteArray(reinterpret_cast<const char *>(standardBytes), 2 * standard);
    intersectRanges(displays, b);
    intersectCta(displays, b);
    result.image = BuildEdidImage(b);
    result.valid = true;
    return result;
}
