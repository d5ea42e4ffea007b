#include "protocol/EdidBlueprint.h"

#include <cstring>

namespace {

constexpr int BlockBytes = 128;

constexpr quint8 Header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int MakerOffset = 8;
constexpr int ProductOffset = 10;
constexpr int SerialOffset = 12;
constexpr int WeekOffset = 16;
constexpr int YearOffset = 17;
constexpr int YearBase = 1990;
constexpr int VersionOffset = 18;
constexpr quint8 Version[] = {0x01, 0x03};
constexpr int InputOffset = 20;
constexpr quint8 DigitalInput = 0x80;
constexpr int SizeOffset = 21;
constexpr int GammaOffset = 23;
constexpr quint8 Gamma22 = 0x78;
constexpr int FeaturesOffset = 24;
constexpr quint8 SrgbRgbColourPreferredTiming = 0x0E;
constexpr int ColourOffset = 25;
// sRGB colour points.
constexpr quint8 Colour[] = {0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54};
constexpr int EstablishedOffset = 35;
constexpr int StandardOffset = 38;
constexpr int StandardBytes = 16;
constexpr quint8 UnusedStandard = 0x01;
constexpr int FirstDescriptor = 54;
constexpr int DescriptorBytes = 18;
constexpr int ExtensionCountOffset = 126;

constexpr quint8 RangeTag = 0xFD;
constexpr quint8 NameTag = 0xFC;
constexpr quint8 DummyTag = 0x10;
constexpr int TagOffset = 3;
constexpr int TextOffset = 5;
constexpr int TextChars = 13;
constexpr quint8 TextEnd = 0x0A;
constexpr quint8 TextPad = 0x20;
constexpr quint8 RangeDefaultGtf = 0x00;
constexpr int ClockStepMHz = 10;
constexpr quint8 SeparateSyncPositive = 0x1E;
constexpr quint8 InterlacedFlag = 0x80;

constexpr quint8 CtaTag = 0x02;
constexpr quint8 CtaRevision = 0x03;
constexpr int CtaHeaderBytes = 4;
constexpr quint8 Underscan = 0x80;
constexpr quint8 BasicAudio = 0x40;
constexpr quint8 Ycbcr444 = 0x20;
constexpr quint8 Ycbcr422 = 0x10;
constexpr quint8 AudioBlock = 1;
constexpr quint8 VideoBlock = 2;
constexpr quint8 VendorBlock = 3;
constexpr quint8 SpeakerBlock = 4;
constexpr quint8 ExtendedBlock = 7;
constexpr quint8 VideoCapability = 0x00;
// Quantisation selectable for RGB and YCbCr, IT formats underscanned, CE
// formats both ways.
constexpr quint8 VideoCapabilityFlags = 0xCB;
constexpr quint8 NativeFlagLastVic = 64;
constexpr quint8 NativeVicFlag = 0x80;
constexpr quint8 HdmiOui[] = {0x03, 0x0C, 0x00};
constexpr quint8 HdmiForumOui[] = {0xD8, 0x5D, 0xC4};
constexpr quint8 HdmiForumVersion = 1;
constexpr quint8 ScdcPresent = 0x80;
constexpr int TmdsStepMHz = 5;
constexpr int HdmiTmdsLimitMHz = 340;
constexpr int BlockPayloadMax = 31;
constexpr quint8 LpcmCode = 1;
constexpr int BitrateStepKbps = 8;

void seal(quint8 *block)
{
    quint32 sum = 0;
    for (int i = 0; i < BlockBytes - 1; ++i)
        sum += block[i];
    block[BlockBytes - 1] = quint8(-sum & 0xFF);
}

quint16 makerId(const QByteArray &letters)
{
    quint16 id = 0;
    for (int i = 0; i < 3; ++i) {
        const char c = i < letters.size() ? letters[i] : 'A';
        id = quint16((id << 5) | ((c - 'A' + 1) & 0x1F));
    }
    return id;
}

void putTiming(quint8 *d, const EdidDetailedTiming &t, int widthMm, int heightMm)
{
    const quint32 clock = t.pixelClockKHz / 10;
    d[0] = quint8(clock & 0xFF);
    d[1] = quint8(clock >> 8);
    d[2] = quint8(t.hActive & 0xFF);
    d[3] = quint8(t.hBlank & 0xFF);
    d[4] = quint8(((t.hActive >> 8) << 4) | (t.hBlank >> 8));
    d[5] = quint8(t.vActive & 0xFF);
    d[6] = quint8(t.vBlank & 0xFF);
    d[7] = quint8(((t.vActive >> 8) << 4) | (t.vBlank >> 8));
    d[8] = quint8(t.hSyncOffset & 0xFF);
    d[9] = quint8(t.hSyncWidth & 0xFF);
    d[10] = quint8(((t.vSyncOffset & 0xF) << 4) | (t.vSyncWidth & 0xF));
    d[11] = quint8(((t.hSyncOffset >> 8) << 6) | ((t.hSyncWidth >> 8) << 4) | ((t.vSyncOffset >> 4) << 2)
                   | (t.vSyncWidth >> 4));
    d[12] = quint8(widthMm & 0xFF);
    d[13] = quint8(heightMm & 0xFF);
    d[14] = quint8(((widthMm >> 8) << 4) | (heightMm >> 8));
    d[17] = quint8(SeparateSyncPositive | (t.interlaced ? InterlacedFlag : 0));
}

void putText(quint8 *d, quint8 tag, const QByteArray &text)
{
    d[TagOffset] = tag;
    int i = 0;
    for (; i < TextChars && i < text.size(); ++i)
        d[TextOffset + i] = quint8(text[i]);
    if (i < TextChars)
        d[TextOffset + i++] = TextEnd;
    for (; i < TextChars; ++i)
        d[TextOffset + i] = TextPad;
}

void putRange(quint8 *d, const EdidBlueprint &b)
{
    d[TagOffset] = RangeTag;
    d[5] = b.minVHz;
    d[6] = b.maxVHz;
    d[7] = b.minHKHz;
    d[8] = b.maxHKHz;
    d[9] = quint8((b.maxClockMHz + ClockStepMHz - 1) / ClockStepMHz);
    d[10] = RangeDefaultGtf;
    d[11] = TextEnd;
    for (int i = 12; i < DescriptorBytes; ++i)
        d[i] = TextPad;
}

void putBase(quint8 *base, const EdidBlueprint &b)
{
    std::memcpy(base, Header, sizeof Header);
    const quint16 maker = makerId(b.maker);
    base[MakerOffset] = quint8(maker >> 8);
    base[MakerOffset + 1] = quint8(maker & 0xFF);
    base[ProductOffset] = quint8(b.product & 0xFF);
    base[ProductOffset + 1] = quint8(b.product >> 8);
    for (int i = 0; i < 4; ++i)
        base[SerialOffset + i] = quint8(b.serial >> (8 * i));
    base[WeekOffset] = b.week;
    base[YearOffset] = quint8(qBound(0, b.year - YearBase, 0xFF));
    std::memcpy(base + VersionOffset, Version, sizeof Version);
    base[InputOffset] = DigitalInput;
    base[SizeOffset] = b.widthCm;
    base[SizeOffset + 1] = b.heightCm;
    base[GammaOffset] = Gamma22;
    base[FeaturesOffset] = SrgbRgbColourPreferredTiming;
    std::memcpy(base + ColourOffset, Colour, sizeof Colour);
    std::memcpy(base + EstablishedOffset, b.established, sizeof b.established);
    std::memset(base + StandardOffset, UnusedStandard, StandardBytes);
    const QByteArray standard = b.standard.left(StandardBytes);
    std::memcpy(base + StandardOffset, standard.constData(), size_t(standard.size()));
    putTiming(base + FirstDescriptor, b.preferred, b.widthCm * 10, b.heightCm * 10);
    putRange(base + FirstDescriptor + DescriptorBytes, b);
    putText(base + FirstDescriptor + 2 * DescriptorBytes, NameTag, b.name);
    base[FirstDescriptor + 3 * DescriptorBytes + TagOffset] = DummyTag;
    base[ExtensionCountOffset] = b.cta ? 1 : 0;
    seal(base);
}

// Appends a data block whose payload is cut to what its header can count.
void appendBlock(QByteArray &blocks, quint8 tag, QByteArray payload)
{
    payload.truncate(BlockPayloadMax);
    blocks.append(char((tag << 5) | payload.size()));
    blocks.append(payload);
}

QByteArray dataBlocks(const EdidBlueprint &b)
{
    QByteArray blocks;
    appendBlock(blocks, ExtendedBlock, QByteArray(1, char(VideoCapability)).append(char(VideoCapabilityFlags)));
    if (!b.vics.isEmpty()) {
        QByteArray svds;
        for (quint8 vic : b.vics)
            svds.append(char(vic == b.nativeVic && vic <= NativeFlagLastVic ? (vic | NativeVicFlag) : vic));
        appendBlock(blocks, VideoBlock, svds);
    }
    if (!b.audio.isEmpty()) {
        QByteArray sads;
        for (const EdidAudioFormat &a : b.audio) {
            sads.append(char(((a.formatCode & 0xF) << 3) | ((qBound(1, int(a.channels), 8) - 1) & 0x7)));
            sads.append(char(a.sampleRates & 0x7F));
            sads.append(char(a.formatCode == LpcmCode ? a.bitDepths : a.maxBitrateKbps / BitrateStepKbps));
        }
        appendBlock(blocks, AudioBlock, sads);
    }
    if (b.hdmi) {
        QByteArray vsdb(reinterpret_cast<const char *>(HdmiOui), sizeof HdmiOui);
        vsdb.append(char(b.physicalAddress >> 8)).append(char(b.physicalAddress & 0xFF));
        vsdb.append(char(b.deepColour));
        vsdb.append(char(qMin<int>(b.maxTmdsMHz, HdmiTmdsLimitMHz) / TmdsStepMHz));
        appendBlock(blocks, VendorBlock, vsdb);
        if (b.maxTmdsMHz > HdmiTmdsLimitMHz) {
            QByteArray forum(reinterpret_cast<const char *>(HdmiForumOui), sizeof HdmiForumOui);
            forum.append(char(HdmiForumVersion)).append(char(b.maxTmdsMHz / TmdsStepMHz));
            forum.append(char(ScdcPresent)).append(char(0));
            appendBlock(blocks, VendorBlock, forum);
        }
    }
    if (b.speakers)
        appendBlock(blocks, SpeakerBlock, QByteArray(1, char(b.speakers)).append(2, char(0)));
    return blocks;
}

void putExtension(quint8 *ext, const EdidBlueprint &b)
{
    ext[0] = CtaTag;
    ext[1] = CtaRevision;
    quint8 flags = Underscan;
    if (!b.audio.isEmpty())
        flags |= BasicAudio;
    if (b.ycbcr444)
        flags |= Ycbcr444;
    if (b.ycbcr422)
        flags |= Ycbcr422;
    // The preferred timing is the one native detailed timing.
    ext[3] = quint8(flags | 1);
    const QByteArray blocks = dataBlocks(b).left(BlockBytes - 1 - CtaHeaderBytes);
    std::memcpy(ext + CtaHeaderBytes, blocks.constData(), size_t(blocks.size()));
    // No detailed timings of its own: they start (and end) right after the
    // data blocks.
    ext[2] = quint8(CtaHeaderBytes + blocks.size());
    seal(ext);
}

} // namespace

QByteArray BuildEdidImage(const EdidBlueprint &blueprint)
{
    quint8 image[EdidBlueprintBytes] = {};
    putBase(image, blueprint);
    if (blueprint.cta)
        putExtension(image + BlockBytes, blueprint);
    return QByteArray(reinterpret_cast<const char *>(image), EdidBlueprintBytes);
}
