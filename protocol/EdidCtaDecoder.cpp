#include "protocol/EdidCtaDecoder.h"

#include "protocol/EdidTiming.h"
#include "protocol/EdidVicTable.h"

namespace {
constexpr int ChecksumOffset = 127;
constexpr int RevisionOffset = 1;
constexpr int DtdOffsetByte = 2;
constexpr int FlagsOffset = 3;
constexpr int DataBlocksOffset = 4;
constexpr int TagShift = 5;
constexpr int LengthMask = 0x1F;

enum DataBlockTag { TagAudio = 1, TagVideo = 2, TagVendor = 3, TagSpeaker = 4, TagExtended = 7 };
constexpr quint8 ExtendedHdrStatic = 6;
constexpr quint8 ExtendedHdmiForumScdb = 0x79;

constexpr quint32 OuiHdmi = 0x000C03;
constexpr quint32 OuiHdmiForum = 0xC45DD8;
constexpr int OuiBytes = 3;
constexpr int TmdsUnitMHz = 5;
constexpr int HdmiMaxTmdsMHz = 340;
constexpr int HdmiMinimumPayload = 5; // OUI and physical address
constexpr int HdmiForumMinimumPayload = 7;

constexpr int SadBytes = 3;
constexpr int AudioLpcm = 1;
constexpr int AudioLastBitrate = 8;
constexpr int AudioExtended = 15;
constexpr int BitrateUnitKbps = 8;
constexpr int SpeakerPayload = 3;

// Short video descriptors: 1-64 with bit 7 are native VICs 1-64, 65-127
// and 193-253 plain VICs; 0, 128, 254 and 255 are reserved.
constexpr int NativeBit = 0x80;
constexpr int LastNativeCapable = 64;
constexpr int FirstHighVic = 193;

constexpr const char *AudioNames[] = {"reserved", "LPCM", "AC-3",   "MPEG-1", "MP3", "MPEG-2", "AAC-LC",  "DTS",
                                      "ATRAC",    "DSD",  "E-AC-3", "DTS-HD", "MLP", "DST",    "WMA-Pro", "extended"};

struct Speaker
{
    int bit;
    const char *name;
};
constexpr Speaker Speakers[] = {
    {0, "FL/FR"},        {1, "LFE1"},       {2, "FC"},      {3, "BL/BR"},      {4, "BC"},
    {5, "FLc/FRc"},      {6, "RLC/RRC"},    {7, "FLw/FRw"}, {8, "TpFL/TpFR"},  {9, "TpC"},
    {10, "TpFC"},        {11, "LS/RS"},     {12, "LFE2"},   {13, "TpBC"},      {14, "SiL/SiR"},
    {15, "TpSiL/TpSiR"}, {16, "TpBL/TpBR"}, {17, "BtFC"},   {18, "BtFL/BtFR"}, {19, "TpLS/TpRS"},
};

class CtaDecoder
{
public:
    CtaDecoder(const quint8 *block, int index, QList<EdidMessage> *messages)
        : m_b(block)
        , m_index(index)
        , m_messages(messages)
    {
        m_cta.block = index;
    }
    EdidCtaBlock run();

private:
    void error(const QString &text) { m_messages->append({EdidSeverity::Error, m_index, text}); }
    void warn(const QString &text) { m_messages->append({EdidSeverity::Warning, m_index, text}); }
    void dataBlocks(int end);
    void dataBlock(int tag, const quint8 *p, int length);
    void video(const quint8 *p, int length);
    void audio(const quint8 *p, int length);
    void speakers(const quint8 *p, int length);
    void vendor(const quint8 *p, int length);
    void hdmi(const quint8 *p, int length);
    void hdmiForum(const quint8 *p, int length);
    void extended(const quint8 *p, int length);
    void detailedTimings(int from);

    const quint8 *m_b;
    int m_index;
    QList<EdidMessage> *m_messages;
    EdidCtaBlock m_cta;
};

EdidCtaBlock CtaDecoder::run()
{
    m_cta.revision = m_b[RevisionOffset];
    if (m_cta.revision < 1 || m_cta.revision > 3)
        warn(QStringLiteral("CTA revision %1 is not 1 to 3").arg(m_cta.revision));
    if (m_cta.revision >= 2) {
        const quint8 flags = m_b[FlagsOffset];
        m_cta.underscan = (flags & 0x80) != 0;
        m_cta.basicAudio = (flags & 0x40) != 0;
        m_cta.ycbcr444 = (flags & 0x20) != 0;
        m_cta.ycbcr422 = (flags & 0x10) != 0;
        m_cta.nativeDetailedCount = flags & 0x0F;
    }
    const int d = m_b[DtdOffsetByte];
    if (d == 0)
        return m_cta; // neither data blocks nor detailed timings
    if (d < DataBlocksOffset || d > ChecksumOffset) {
        error(QStringLiteral("detailed timing offset %1 is outside 4-127").arg(d));
        return m_cta;
    }
    if (m_cta.revision >= 3)
        dataBlocks(d);
    else if (d > DataBlocksOffset)
        warn(QStringLiteral("CTA revision %1 has no data blocks; bytes 4-%2 skipped").arg(m_cta.revision).arg(d - 1));
    detailedTimings(d);
    return m_cta;
}

void CtaDecoder::dataBlocks(int end)
{
    int at = DataBlocksOffset;
    while (at < end) {
        const int tag = m_b[at] >> TagShift;
        const int length = m_b[at] & LengthMask;
        if (at + 1 + length > end) {
            error(QStringLiteral("data block at byte %1 (tag %2, %3 bytes) overruns the data block area ending at %4")
                      .arg(at)
                      .arg(tag)
                      .arg(length)
                      .arg(end));
            return;
        }
        dataBlock(tag, m_b + at + 1, length);
        at += 1 + length;
    }
}

void CtaDecoder::dataBlock(int tag, const quint8 *p, int length)
{
    switch (tag) {
    case TagAudio:
        audio(p, length);
        break;
    case TagVideo:
        video(p, length);
        break;
    case TagVendor:
        vendor(p, length);
        break;
    case TagSpeaker:
        speakers(p, length);
        break;
    case TagExtended:
        extended(p, length);
        break;
    default:
        break;
    }
}

void CtaDecoder::video(const quint8 *p, int length)
{
    for (int i = 0; i < length; ++i) {
        const int code = p[i];
        EdidVic vic;
        if (code == 0 || code == NativeBit || code >= 254) {
            warn(QStringLiteral("video data block: reserved code %1").arg(code));
            continue;
        }
        const bool lowNative = (code & NativeBit) != 0 && (code & ~NativeBit) <= LastNativeCapable;
        vic.native = lowNative;
        vic.vic = quint8(lowNative ? code & ~NativeBit : code);
        if (const EdidVicEntry *entry = FindVic(vic.vic)) {
            vic.known = true;
            vic.format = {entry->width, entry->height, entry->rateHz, entry->interlaced};
        } else if (vic.vic < FirstHighVic) {
            warn(QStringLiteral("video data block: VIC %1 is unknown").arg(vic.vic));
        }
        m_cta.vics.append(vic);
    }
}

void CtaDecoder::audio(const quint8 *p, int length)
{
    if (length % SadBytes != 0)
        error(QStringLiteral("audio data block length %1 is not a multiple of 3").arg(length));
    for (int i = 0; i + SadBytes <= length; i += SadBytes) {
        EdidAudioFormat format;
        format.formatCode = quint8((p[i] >> 3) & 0x0F);
        format.channels = quint8((p[i] & 0x07) + 1);
        format.sampleRates = p[i + 1] & 0x7F;
        format.name = QString::fromLatin1(AudioNames[format.formatCode]);
        if (format.formatCode == AudioLpcm)
            format.bitDepths = p[i + 2] & 0x07;
        else if (format.formatCode <= AudioLastBitrate)
            format.maxBitrateKbps = quint16(p[i + 2] * BitrateUnitKbps);
        else if (format.formatCode == AudioExtended)
            format.extendedCode = quint8(p[i + 2] >> 3);
        if (format.formatCode == 0)
            error(QStringLiteral("audio data block: format code 0 is reserved"));
        if (format.sampleRates == 0)
            warn(QStringLiteral("audio data block: %1 without a sample rate").arg(format.name));
        if (format.formatCode == AudioLpcm && format.bitDepths == 0)
            warn(QStringLiteral("audio data block: LPCM without a bit depth"));
        m_cta.audio.append(format);
    }
}

void CtaDecoder::speakers(const quint8 *p, int length)
{
    if (length < SpeakerPayload) {
        error(QStringLiteral("speaker allocation block of %1 bytes, 3 needed").arg(length));
        return;
    }
    m_cta.speakerAllocationPresent = true;
    m_cta.speakerAllocation = quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16);
    for (const Speaker &speaker : Speakers) {
        if (m_cta.speakerAllocation & (1u << speaker.bit))
            m_cta.speakers.append(QString::fromLatin1(speaker.name));
    }
}

void CtaDecoder::vendor(const quint8 *p, int length)
{
    if (length < OuiBytes) {
        error(QStringLiteral("vendor-specific block of %1 bytes has no OUI").arg(length));
        return;
    }
    const quint32 oui = quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16);
    if (oui == OuiHdmi)
        hdmi(p, length);
    else if (oui == OuiHdmiForum)
        hdmiForum(p, length);
}

void CtaDecoder::hdmi(const quint8 *p, int length)
{
    if (length < HdmiMinimumPayload) {
        error(QStringLiteral("HDMI vendor-specific block of %1 bytes has no physical address").arg(length));
        return;
    }
    if (m_cta.hdmi.present)
        warn(QStringLiteral("more than one HDMI vendor-specific block"));
    EdidHdmiVsdb &h = m_cta.hdmi;
    h.present = true;
    h.physicalAddress = quint16((p[3] << 8) | p[4]);
    if (length > 5) {
        const quint8 flags = p[5];
        h.supportsAi = (flags & 0x80) != 0;
        h.deepColour48 = (flags & 0x40) != 0;
        h.deepColour36 = (flags & 0x20) != 0;
        h.deepColour30 = (flags & 0x10) != 0;
        h.deepColourY444 = (flags & 0x08) != 0;
        h.dviDual = (flags & 0x01) != 0;
        if (h.deepColourY444 && !(h.deepColour30 || h.deepColour36 || h.deepColour48))
            warn(QStringLiteral("HDMI block: deep colour YCbCr 4:4:4 without a deep colour depth"));
    }
    if (length > 6)
        h.maxTmdsMHz = quint16(p[6] * TmdsUnitMHz);
    // Faster links are announced in the HDMI Forum block.
    if (h.maxTmdsMHz > HdmiMaxTmdsMHz)
        warn(
            QStringLiteral("HDMI block: maximum TMDS clock %1 MHz above %2 MHz").arg(h.maxTmdsMHz).arg(HdmiMaxTmdsMHz));
}

void CtaDecoder::hdmiForum(const quint8 *p, int length)
{
    if (length < HdmiForumMinimumPayload) {
        error(QStringLiteral("HDMI Forum block of %1 bytes, 7 needed").arg(length));
        return;
    }
    EdidHdmiForumVsdb &f = m_cta.hdmiForum;
    f.present = true;
    f.version = p[3];
    f.maxTmdsCharacterRateMHz = quint16(p[4] * TmdsUnitMHz);
    f.scdcPresent = (p[5] & 0x80) != 0;
    f.deepColour420_48 = (p[6] & 0x04) != 0;
    f.deepColour420_36 = (p[6] & 0x02) != 0;
    f.deepColour420_30 = (p[6] & 0x01) != 0;
    if (!m_cta.hdmi.present)
        warn(QStringLiteral("HDMI Forum block before or without the HDMI vendor-specific block"));
}

void CtaDecoder::extended(const quint8 *p, int length)
{
    if (length < 1) {
        error(QStringLiteral("extended data block without its tag"));
        return;
    }
    if (p[0] == ExtendedHdrStatic) {
        if (length < 3) {
            error(QStringLiteral("HDR static metadata block of %1 bytes, 3 needed").arg(length));
            return;
        }
        EdidHdrStatic &h = m_cta.hdr;
        h.present = true;
        h.eotfs = p[1] & 0x3F;
        h.metadataTypes = p[2];
        h.maxLuminance = length > 3 ? p[3] : 0;
        h.maxFrameAverage = length > 4 ? p[4] : 0;
        h.minLuminance = length > 5 ? p[5] : 0;
    } else if (p[0] == ExtendedHdmiForumScdb && length >= 3) {
        // The sink capability data block carries the HDMI Forum block's
        // fields after two reserved bytes, in place of the OUI.
        hdmiForum(p, length);
    }
}

void CtaDecoder::detailedTimings(int from)
{
    int at = from;
    int index = 0;
    while (at + EdidDescriptorBytes <= ChecksumOffset && EdidIsDetailedTiming(m_b + at)) {
        QString problem;
        m_cta.detailedTimings.append(DecodeDetailedTiming(m_b + at, &problem));
        ++index;
        if (!problem.isEmpty())
            error(QStringLiteral("detailed timing %1: %2").arg(index).arg(problem));
        at += EdidDescriptorBytes;
    }
    for (int i = at; i < ChecksumOffset; ++i) {
        if (m_b[i] != 0) {
            warn(QStringLiteral("padding after the detailed timings is not zero (byte %1)").arg(i));
            break;
        }
    }
}
} // namespace

EdidCtaBlock DecodeCtaBlock(const quint8 *block, int index, QList<EdidMessage> *messages)
{
    return CtaDecoder(block, index, messages).run();
}
