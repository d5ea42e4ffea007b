#include "protocol/EdidDecoder.h"

#include "protocol/EdidCtaDecoder.h"
#include "protocol/EdidTiming.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int BlockBytes = 128;
constexpr quint8 Header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int HeaderBytes = 8;
constexpr int ManufacturerOffset = 8;
constexpr int ProductOffset = 10;
constexpr int SerialOffset = 12;
constexpr int WeekOffset = 16;
constexpr int YearOffset = 17;
constexpr int VersionOffset = 18;
constexpr int RevisionOffset = 19;
constexpr int InputOffset = 20;
constexpr int WidthOffset = 21;
constexpr int HeightOffset = 22;
constexpr int GammaOffset = 23;
constexpr int FeaturesOffset = 24;
constexpr int EstablishedOffset = 35;
constexpr int StandardOffset = 38;
constexpr int StandardCount = 8;
constexpr int DescriptorOffset = 54;
constexpr int DescriptorCount = 4;
constexpr int ExtensionCountOffset = 126;
constexpr int YearBase = 1990;
constexpr quint8 ModelYearWeek = 0xFF;
constexpr int MaxWeek = 54;
constexpr quint8 DigitalBit = 0x80;
constexpr quint8 GammaNotGiven = 0xFF;
constexpr double GammaBase = 100.0;
constexpr quint8 PreferredNativeBit = 0x02;
constexpr quint8 ContinuousBit = 0x01;
constexpr int LetterBits = 5;
constexpr int LetterMask = 0x1F;
constexpr int MaxLetter = 26;
constexpr int FirstRevision14 = 4;

// Display descriptor tags and layout.
constexpr int TagOffset = 3;
constexpr int TextOffset = 5;
constexpr int TextBytes = 13;
constexpr quint8 TagSerial = 0xFF;
constexpr quint8 TagDataString = 0xFE;
constexpr quint8 TagRangeLimits = 0xFD;
constexpr quint8 TagName = 0xFC;
constexpr quint8 TagDummy = 0x10;
constexpr quint8 LastManufacturerTag = 0x0F;
constexpr int RangeOffsetsByte = 4;
constexpr int RangeAdd = 255;
constexpr int PixelClockUnitMHz = 10;
constexpr quint8 ExtensionCta = 0x02;
constexpr quint8 ExtensionBlockMap = 0xF0;

struct EstablishedBit
{
    int byte;
    int bit;
    EdidVideoFormat format;
};

// Bytes 35-37 of the base block: the VESA established timings.
constexpr EstablishedBit Established[] = {
    {0, 7, {720, 400, 70, false}},   {0, 6, {720, 400, 88, false}},  {0, 5, {640, 480, 60, false}},
    {0, 4, {640, 480, 67, false}},   {0, 3, {640, 480, 72, false}},  {0, 2, {640, 480, 75, false}},
    {0, 1, {800, 600, 56, false}},   {0, 0, {800, 600, 60, false}},  {1, 7, {800, 600, 72, false}},
    {1, 6, {800, 600, 75, false}},   {1, 5, {832, 624, 75, false}},  {1, 4, {1024, 768, 87, true}},
    {1, 3, {1024, 768, 60, false}},  {1, 2, {1024, 768, 70, false}}, {1, 1, {1024, 768, 75, false}},
    {1, 0, {1280, 1024, 75, false}}, {2, 7, {1152, 870, 75, false}},
};

class Decoder
{
public:
    Decoder(const quint8 *data, int size, EdidInfo *info)
        : m_data(data)
        , m_size(size)
        , m_info(info)
    { }
    void run();

private:
    void error(int block, const QString &text) { add(EdidSeverity::Error, block, text); }
    void warn(int block, const QString &text) { add(EdidSeverity::Warning, block, text); }
    void add(EdidSeverity severity, int block, const QString &text);
    void identity();
    void basicParameters();
    void timings();
    void descriptors();
    void descriptor(int index, const quint8 *d);
    void rangeLimits(const quint8 *d);
    QString text(const quint8 *d, int index);
    void baseRules();
    void extensions();
    void collectFormats();
    void formatRules();

    const quint8 *m_data;
    int m_size;
    EdidInfo *m_info;
    EdidBaseBlock &base() { return m_info->base; }
    int m_names = 0;
    bool m_firstIsTiming = false;
};

void Decoder::add(EdidSeverity severity, int block, const QString &text)
{
    m_info->messages.append({severity, block, text});
}

void Decoder::run()
{
    m_info->size = m_size;
    if (m_size < BlockBytes) {
        error(-1, QStringLiteral("truncated: %1 bytes, a base block needs %2").arg(m_size).arg(BlockBytes));
        return;
    }
    m_info->headerValid = std::equal(Header, Header + HeaderBytes, m_data);
    if (!m_info->headerValid)
        error(0, QStringLiteral("the header is not 00 FF FF FF FF FF FF 00"));
    identity();
    basicParameters();
    timings();
    descriptors();
    baseRules();
    extensions();
    collectFormats();
    formatRules();
    // Errors first, each kind in the order found.
    std::stable_sort(m_info->messages.begin(), m_info->messages.end(), [](const EdidMessage &a, const EdidMessage &b) {
        return a.severity == EdidSeverity::Error && b.severity != EdidSeverity::Error;
    });
}

void Decoder::identity()
{
    const quint16 id = quint16((m_data[ManufacturerOffset] << 8) | m_data[ManufacturerOffset + 1]);
    QString pnp;
    bool letters = (id & 0x8000) == 0;
    for (int shift = 2 * LetterBits; shift >= 0; shift -= LetterBits) {
        const int code = (id >> shift) & LetterMask;
        letters = letters && code >= 1 && code <= MaxLetter;
        pnp.append(QChar(code >= 1 && code <= MaxLetter ? char('A' + code - 1) : '?'));
    }
    base().manufacturer = pnp;
    if (!letters)
        error(0, QStringLiteral("manufacturer id 0x%1 is not three letters").arg(id, 4, 16, QLatin1Char('0')));
    base().productCode = quint16(m_data[ProductOffset] | (m_data[ProductOffset + 1] << 8));
    base().serialNumber = quint32(m_data[SerialOffset]) | (quint32(m_data[SerialOffset + 1]) << 8)
        | (quint32(m_data[SerialOffset + 2]) << 16) | (quint32(m_data[SerialOffset + 3]) << 24);
    base().week = m_data[WeekOffset];
    base().year = quint16(YearBase + m_data[YearOffset]);
    base().version = m_data[VersionOffset];
    base().revision = m_data[RevisionOffset];
    base().modelYear = base().week == ModelYearWeek;
    if (base().modelYear && base().revision < FirstRevision14)
        error(0, QStringLiteral("week 255 (model year) needs EDID 1.4"));
    else if (!base().modelYear && base().week > MaxWeek)
        error(0, QStringLiteral("week %1 is out of range").arg(base().week));

    if (base().version != 1)
        error(0, QStringLiteral("version %1.%2: only EDID 1.x is known").arg(base().version).arg(base().revision));
    else if (base().revision < 3)
        warn(0, QStringLiteral("EDID 1.%1 is older than 1.3").arg(base().revision));
    else if (base().revision > FirstRevision14)
        warn(0, QStringLiteral("EDID 1.%1 is newer than 1.4; decoded as 1.4").arg(base().revision));
}

void Decoder::basicParameters()
{
    const quint8 input = m_data[InputOffset];
    base().digital = (input & DigitalBit) != 0;
    if (base().digital && base().revision >= FirstRevision14) {
        static constexpr quint8 Depths[] = {0, 6, 8, 10, 12, 14, 16, 0};
        base().bitsPerColour = Depths[(input >> 4) & 0x07];
        base().digitalInterface = input & 0x0F;
        if (((input >> 4) & 0x07) == 0x07)
            error(0, QStringLiteral("colour bit depth code 7 is reserved"));
        if (base().digitalInterface > 5)
            error(0, QStringLiteral("digital interface code %1 is reserved").arg(base().digitalInterface));
    }
    base().widthCm = m_data[WidthOffset];
    base().heightCm = m_data[HeightOffset];
    const quint8 gamma = m_data[GammaOffset];
    base().gamma = gamma == GammaNotGiven ? 0.0 : (gamma + GammaBase) / GammaBase;
    base().features = m_data[FeaturesOffset];
    base().preferredTimingIsNative = (base().features & PreferredNativeBit) != 0;
    base().continuousFrequency = (base().features & ContinuousBit) != 0;
    base().extensionCount = m_data[ExtensionCountOffset];
}

void Decoder::timings()
{
    for (const EstablishedBit &bit : Established) {
        if (m_data[EstablishedOffset + bit.byte] & (1 << bit.bit))
            base().establishedTimings.append(bit.format);
    }
    for (int i = 0; i < StandardCount; ++i) {
        EdidVideoFormat format;
        const quint8 first = m_data[StandardOffset + 2 * i];
        const quint8 second = m_data[StandardOffset + 2 * i + 1];
        if (DecodeStandardTiming(first, second, base().revision, &format))
            base().standardTimings.append(format);
        else if (first == 0x00 && second == 0x00)
            warn(0, QStringLiteral("standard timing %1 is 00 00; an unused slot is 01 01").arg(i + 1));
    }
}

void Decoder::descriptors()
{
    for (int i = 0; i < DescriptorCount; ++i)
        descriptor(i, m_data + DescriptorOffset + i * EdidDescriptorBytes);
}

QString Decoder::text(const quint8 *d, int index)
{
    // Up to 13 characters, ended by a line feed, padded with spaces.
    QString out;
    int i = 0;
    for (; i < TextBytes && d[TextOffset + i] != 0x0A; ++i)
        out.append(QChar(d[TextOffset + i] >= 0x20 && d[TextOffset + i] < 0x7F ? char(d[TextOffset + i]) : '?'));
    bool padded = true;
    for (int j = i + 1; j < TextBytes; ++j)
        padded = padded && d[TextOffset + j] == 0x20;
    if (!padded)
        warn(0, QStringLiteral("descriptor %1: text not padded with spaces after its line feed").arg(index + 1));
    return out.trimmed();
}

void Decoder::descriptor(int index, const quint8 *d)
{
    if (index == 0)
        m_firstIsTiming = EdidIsDetailedTiming(d);
    if (EdidIsDetailedTiming(d)) {
        QString problem;
        const EdidDetailedTiming timing = DecodeDetailedTiming(d, &problem);
        if (!problem.isEmpty())
            error(0, QStringLiteral("detailed timing %1: %2").arg(index + 1).arg(problem));
        base().detailedTimings.append(timing);
        return;
    }
    if (d[2] != 0)
        warn(0, QStringLiteral("descriptor %1: byte 2 is not 0").arg(index + 1));
    const quint8 tag = d[TagOffset];
    switch (tag) {
    case TagName:
        base().monitorName = text(d, index);
        ++m_names;
        break;
    case TagSerial:
        base().serialText = text(d, index);
        break;
    case TagDataString:
        base().dataStrings.append(text(d, index));
        break;
    case TagRangeLimits:
        if (base().rangeLimits.present)
            error(0, QStringLiteral("more than one range limits descriptor"));
        rangeLimits(d);
        break;
    default:
        if (tag > LastManufacturerTag && tag != TagDummy && tag < 0xF7)
            warn(
                0,
                QStringLiteral("descriptor %1: tag 0x%2 is reserved").arg(index + 1).arg(tag, 2, 16, QLatin1Char('0')));
        break;
    }
}

void Decoder::rangeLimits(const quint8 *d)
{
    EdidRangeLimits &r = base().rangeLimits;
    r.present = true;
    const quint8 offsets = base().revision >= FirstRevision14 ? d[RangeOffsetsByte] : 0;
    r.minVRateHz = quint16(d[5] + ((offsets & 0x01) ? RangeAdd : 0));
    r.maxVRateHz = quint16(d[6] + ((offsets & 0x02) ? RangeAdd : 0));
    r.minHRateKHz = quint16(d[7] + ((offsets & 0x04) ? RangeAdd : 0));
    r.maxHRateKHz = quint16(d[8] + ((offsets & 0x08) ? RangeAdd : 0));
    r.maxPixelClockMHz = quint16(d[9] * PixelClockUnitMHz);
    r.timingSupport = d[10];
    if (base().revision < FirstRevision14 && d[RangeOffsetsByte] != 0)
        warn(0, QStringLiteral("range limits: byte 4 must be 0 before EDID 1.4"));
    if (r.minVRateHz > r.maxVRateHz)
        error(0,
              QStringLiteral("range limits: vertical minimum %1 Hz above maximum %2 Hz")
                  .arg(r.minVRateHz)
                  .arg(r.maxVRateHz));
    if (r.minHRateKHz > r.maxHRateKHz)
        error(0,
              QStringLiteral("range limits: horizontal minimum %1 kHz above maximum %2 kHz")
                  .arg(r.minHRateKHz)
                  .arg(r.maxHRateKHz));
    if (r.minVRateHz == 0 || r.minHRateKHz == 0)
        error(0, QStringLiteral("range limits: a minimum rate of 0"));
    if (r.maxPixelClockMHz == 0)
        error(0, QStringLiteral("range limits: no maximum pixel clock"));
}

void Decoder::baseRules()
{
    const bool v14 = base().version == 1 && base().revision >= FirstRevision14;
    if (!m_firstIsTiming)
        error(0, QStringLiteral("the first descriptor is not a detailed timing (no preferred timing)"));
    if (!v14) {
        if (m_names == 0)
            error(0, QStringLiteral("EDID 1.3 needs a monitor name descriptor"));
        if (!base().rangeLimits.present)
            error(0, QStringLiteral("EDID 1.3 needs a range limits descriptor"));
        if (!base().preferredTimingIsNative)
            warn(0, QStringLiteral("EDID 1.3 requires the preferred timing mode bit"));
    } else if (base().continuousFrequency && !base().rangeLimits.present) {
        error(0, QStringLiteral("continuous frequency without a range limits descriptor"));
    }
    if (m_names > 1)
        warn(0, QStringLiteral("more than one monitor name descriptor"));
    const EdidRangeLimits &r = base().rangeLimits;
    if (r.present && !base().detailedTimings.isEmpty()) {
        const EdidDetailedTiming &t = base().detailedTimings.first();
        const double hRateKHz = (t.hActive + t.hBlank) > 0 ? t.pixelClockKHz / double(t.hActive + t.hBlank) : 0.0;
        if (t.format.rateHz < r.minVRateHz || t.format.rateHz > r.maxVRateHz)
            warn(0,
                 QStringLiteral("the preferred timing's %1 Hz is outside the range limits %2-%3 Hz")
                     .arg(t.format.rateHz)
                     .arg(r.minVRateHz)
                     .arg(r.maxVRateHz));
        if (std::lround(hRateKHz) < r.minHRateKHz || std::lround(hRateKHz) > r.maxHRateKHz)
            warn(0,
                 QStringLiteral("the preferred timing's %1 kHz is outside the range limits %2-%3 kHz")
                     .arg(std::lround(hRateKHz))
                     .arg(r.minHRateKHz)
                     .arg(r.maxHRateKHz));
        if (r.maxPixelClockMHz > 0 && t.pixelClockKHz > quint32(r.maxPixelClockMHz) * 1000)
            warn(0,
                 QStringLiteral("the preferred timing's pixel clock is above the range limit of %1 MHz")
                     .arg(r.maxPixelClockMHz));
    }
}

bool BlockBalances(const quint8 *block)
{
    int sum = 0;
    for (int i = 0; i < BlockBytes; ++i)
        sum += block[i];
    return (sum & 0xFF) == 0;
}

bool AllBytes(const quint8 *from, int count, quint8 value)
{
    return std::all_of(from, from + count, [value](quint8 b) { return b == value; });
}

void Decoder::extensions()
{
    const int whole = m_size / BlockBytes;
    const int announced = base().extensionCount;
    const int decoded = std::min(whole - 1, announced);
    m_info->checksumValid.append(BlockBalances(m_data));
    if (!m_info->checksumValid.first())
        error(0, QStringLiteral("checksum mismatch"));
    if (announced > whole - 1)
        error(-1, QStringLiteral("%1 extension blocks announced, the bytes hold %2").arg(announced).arg(whole - 1));
    if (m_size % BlockBytes != 0 && whole - 1 < announced)
        error(-1, QStringLiteral("block %1 is cut off after %2 bytes").arg(whole).arg(m_size % BlockBytes));
    // Bytes past every announced block (a device image is zero-filled).
    const int tail = announced <= whole - 1 ? m_size - (decoded + 1) * BlockBytes : 0;
    if (tail > 0 && !AllBytes(m_data + m_size - tail, tail, 0x00) && !AllBytes(m_data + m_size - tail, tail, 0xFF))
        warn(-1, QStringLiteral("%1 bytes after the announced blocks are ignored").arg(tail));
    for (int block = 1; block <= decoded; ++block) {
        const quint8 *b = m_data + block * BlockBytes;
        m_info->checksumValid.append(BlockBalances(b));
        m_info->extensionTags.append(b[0]);
        if (!m_info->checksumValid.last())
            error(block, QStringLiteral("checksum mismatch"));
        if (b[0] == ExtensionCta)
            m_info->cta.append(DecodeCtaBlock(b, block, &m_info->messages));
        else if (b[0] != ExtensionBlockMap)
            warn(block, QStringLiteral("extension tag 0x%1 is not decoded").arg(b[0], 2, 16, QLatin1Char('0')));
    }
}

void Decoder::collectFormats()
{
    auto add = [this](const EdidVideoFormat &format, EdidFormatSource source) {
        for (const EdidAnnouncedFormat &known : m_info->formats) {
            if (known.format == format)
                return;
        }
        m_info->formats.append({format, source});
    };
    for (const EdidVideoFormat &f : base().establishedTimings)
        add(f, EdidFormatSource::Established);
    for (const EdidVideoFormat &f : base().standardTimings)
        add(f, EdidFormatSource::Standard);
    for (const EdidDetailedTiming &t : base().detailedTimings)
        add(t.format, EdidFormatSource::Detailed);
    for (const EdidCtaBlock &cta : m_info->cta) {
        for (const EdidDetailedTiming &t : cta.detailedTimings)
            add(t.format, EdidFormatSource::Detailed);
    }
    for (const EdidCtaBlock &cta : m_info->cta) {
        for (const EdidVic &vic : cta.vics) {
            if (vic.known)
                add(vic.format, EdidFormatSource::Vic);
        }
    }
}

void Decoder::formatRules()
{
    if (base().detailedTimings.isEmpty() || !m_firstIsTiming)
        return;
    // A sink with a CTA video data block lists its preferred timing among
    // the other announcements too (as a VIC, most often); a bare monitor
    // commonly gives it once, and is not held to that.
    bool vics = false;
    for (const EdidCtaBlock &cta : m_info->cta)
        vics = vics || !cta.vics.isEmpty();
    if (!vics)
        return;
    const EdidVideoFormat preferred = base().detailedTimings.first().format;
    bool listed = false;
    auto look = [&](const EdidVideoFormat &f) { listed = listed || f == preferred; };
    for (const EdidVideoFormat &f : base().establishedTimings)
        look(f);
    for (const EdidVideoFormat &f : base().standardTimings)
        look(f);
    for (int i = 1; i < base().detailedTimings.size(); ++i)
        look(base().detailedTimings.at(i).format);
    for (const EdidCtaBlock &cta : m_info->cta) {
        for (const EdidVic &vic : cta.vics)
            look(vic.format);
        for (const EdidDetailedTiming &t : cta.detailedTimings)
            look(t.format);
    }
    if (!listed)
        warn(0, QStringLiteral("the preferred timing %1 is listed nowhere else").arg(EdidFormatName(preferred)));
}
} // namespace

EdidInfo DecodeEdid(const QByteArray &bytes)
{
    EdidInfo info;
    Decoder(reinterpret_cast<const quint8 *>(bytes.constData()), bytes.size(), &info).run();
    return info;
}
