#include "tools/devsim/SimEdid.h"

#include <cstring>

namespace {

constexpr quint8 Header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int ManufacturerOffset = 8;
constexpr int ProductOffset = 10;
constexpr int SerialOffset = 12;
// Week, year since 1990, version 1.3, digital input, 60 x 34 cm, gamma 2.2,
// features, colour points, established timings.
constexpr quint8 Basics[] = {0x01, 0x22, 0x01, 0x03, 0x80, 0x3C, 0x22, 0x78, 0x0A, 0xEE, 0x91,
                             0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54, 0x21, 0x08, 0x00};
constexpr int BasicsOffset = 16;
constexpr int SizeCmOffset = 21;
constexpr int StandardTimingsOffset = 38;
constexpr int StandardTimingsBytes = 16;
constexpr quint8 UnusedTiming = 0x01;
constexpr int FirstDescriptor = 54;
constexpr int DescriptorBytes = 18;
constexpr quint8 NameTag = 0xFC;
constexpr quint8 RangeLimits[] = {0x00, 0x00, 0x00, 0xFD, 0x00, 0x17, 0x4C, 0x1E, 0x8C,
                                  0x1E, 0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
constexpr quint8 DummyTag = 0x10;
constexpr int ExtensionCountOffset = 126;
constexpr quint8 NameEnd = 0x0A;
constexpr quint8 NamePad = 0x20;
constexpr int NameChars = 13;
constexpr quint8 SeparateSyncPositive = 0x1E;

// A CEA-861 extension as a television sends it: video modes 1080p60
// (native), 2160p30 and 720p60; two-channel PCM audio; the HDMI vendor
// block with physical address 1.0.0.0; front left and right speakers.
constexpr quint8 CeaHeader[] = {0x02, 0x03, 0x00, 0xF1};
constexpr quint8 CeaDataBlocks[] = {0x43, 0x90, 0x5F, 0x04,             // video
                                    0x23, 0x09, 0x07, 0x07,             // audio
                                    0x65, 0x03, 0x0C, 0x00, 0x10, 0x00, // HDMI
                                    0x83, 0x01, 0x00, 0x00};            // speakers
constexpr int CeaDtdOffsetByte = 2;

struct Timing
{
    quint32 clock10kHz;
    int hActive, hBlank, hFront, hSync;
    int vActive, vBlank, vFront, vSync;
};

constexpr Timing T2160p30 = {29700, 3840, 560, 176, 88, 2160, 90, 8, 10};
constexpr Timing T1080p60 = {14850, 1920, 280, 88, 44, 1080, 45, 4, 5};
constexpr Timing T1200p60 = {15400, 1920, 160, 48, 32, 1200, 35, 3, 6};
constexpr Timing T1050p60 = {11900, 1680, 160, 48, 32, 1050, 30, 3, 6};
constexpr Timing T720p60 = {7425, 1280, 370, 110, 40, 720, 30, 5, 5};

// The displays on the outputs, in turn: a television with an extension
// block, then monitors and a projector with the base block only.
struct Display
{
    const char *maker; // three letters
    quint16 product;
    const char *name;
    Timing timing;
    int widthCm, heightCm;
    bool extension;
};

constexpr Display Displays[] = {
    {"KXR", 0x1000, "KXR 4K TV", T2160p30, 121, 68, true},  {"KXM", 0x2401, "KXR 24 MON", T1200p60, 52, 32, false},
    {"KXP", 0x0720, "KXR PROJ", T720p60, 0, 0, false},      {"KXM", 0x2201, "KXR 22 MON", T1050p60, 47, 30, false},
    {"KXM", 0x2701, "KXR 27 MON", T1080p60, 60, 34, false},
};
constexpr int DisplayCount = int(sizeof Displays / sizeof Displays[0]);
// The EDID the device itself announces on its inputs.
constexpr Display InputEdid = {"KXR", 0x2000, "KXR IN", T1080p60, 60, 34, true};

void sealBlock(quint8 *block)
{
    quint32 sum = 0;
    for (int i = 0; i < SimEdid::BlockBytes - 1; ++i)
        sum += block[i];
    block[SimEdid::BlockBytes - 1] = quint8((0x100 - (sum & 0xFF)) & 0xFF);
}

void putDetailedTiming(quint8 *d, const Timing &t, int widthMm, int heightMm)
{
    d[0] = quint8(t.clock10kHz & 0xFF);
    d[1] = quint8(t.clock10kHz >> 8);
    d[2] = quint8(t.hActive & 0xFF);
    d[3] = quint8(t.hBlank & 0xFF);
    d[4] = quint8(((t.hActive >> 8) << 4) | (t.hBlank >> 8));
    d[5] = quint8(t.vActive & 0xFF);
    d[6] = quint8(t.vBlank & 0xFF);
    d[7] = quint8(((t.vActive >> 8) << 4) | (t.vBlank >> 8));
    d[8] = quint8(t.hFront & 0xFF);
    d[9] = quint8(t.hSync & 0xFF);
    d[10] = quint8(((t.vFront & 0xF) << 4) | (t.vSync & 0xF));
    d[11] = quint8(((t.hFront >> 8) << 6) | ((t.hSync >> 8) << 4) | ((t.vFront >> 4) << 2) | (t.vSync >> 4));
    d[12] = quint8(widthMm & 0xFF);
    d[13] = quint8(heightMm & 0xFF);
    d[14] = quint8(((widthMm >> 8) << 4) | (heightMm >> 8));
    d[17] = SeparateSyncPositive;
}

void putName(quint8 *d, const QByteArray &text)
{
    d[3] = NameTag;
    int i = 0;
    for (; i < NameChars && i < text.size(); ++i)
        d[5 + i] = quint8(text[i]);
    if (i < NameChars)
        d[5 + i++] = NameEnd;
    for (; i < NameChars; ++i)
        d[5 + i] = NamePad;
}

quint16 manufacturerId(const char *letters)
{
    quint16 id = 0;
    for (int i = 0; i < 3; ++i)
        id = quint16((id << 5) | ((letters[i] - 'A' + 1) & 0x1F));
    return id;
}

void putExtension(quint8 *ext)
{
    std::memcpy(ext, CeaHeader, sizeof CeaHeader);
    std::memcpy(ext + sizeof CeaHeader, CeaDataBlocks, sizeof CeaDataBlocks);
    const int dtd = int(sizeof CeaHeader + sizeof CeaDataBlocks);
    ext[CeaDtdOffsetByte] = quint8(dtd);
    putDetailedTiming(ext + dtd, T1080p60, 1210, 680);
    sealBlock(ext);
}

QByteArray makeEdid(const Display &display, const QByteArray &name, int serial)
{
    quint8 edid[SimEdid::TotalBytes] = {};
    quint8 *base = edid;
    std::memcpy(base, Header, sizeof Header);
    const quint16 maker = manufacturerId(display.maker);
    base[ManufacturerOffset] = quint8(maker >> 8);
    base[ManufacturerOffset + 1] = quint8(maker & 0xFF);
    base[ProductOffset] = quint8(display.product & 0xFF);
    base[ProductOffset + 1] = quint8(display.product >> 8);
    base[SerialOffset] = quint8(serial);
    std::memcpy(base + BasicsOffset, Basics, sizeof Basics);
    base[SizeCmOffset] = quint8(display.widthCm);
    base[SizeCmOffset + 1] = quint8(display.heightCm);
    std::memset(base + StandardTimingsOffset, UnusedTiming, StandardTimingsBytes);
    putDetailedTiming(base + FirstDescriptor, display.timing, display.widthCm * 10, display.heightCm * 10);
    putName(base + FirstDescriptor + DescriptorBytes, name);
    std::memcpy(base + FirstDescriptor + 2 * DescriptorBytes, RangeLimits, sizeof RangeLimits);
    base[FirstDescriptor + 3 * DescriptorBytes + 3] = DummyTag;
    base[ExtensionCountOffset] = display.extension ? 1 : 0;
    sealBlock(base);
    // Without an extension the second half reads as zeros.
    if (display.extension)
        putExtension(edid + SimEdid::BlockBytes);
    return QByteArray(reinterpret_cast<const char *>(edid), SimEdid::TotalBytes);
}

} // namespace

QByteArray MakeSimEdid(int port, bool inputSide)
{
    if (inputSide)
        return makeEdid(InputEdid, QByteArray(InputEdid.name) + ' ' + QByteArray::number(port + 1), port + 1);
    const Display &display = Displays[qAbs(port) % DisplayCount];
    return makeEdid(display, display.name, port + 1);
}

bool SimEdidChecksumsValid(const QByteArray &edid)
{
    if (edid.size() != SimEdid::TotalBytes)
        return false;
    for (int block = 0; block < SimEdid::TotalBytes; block += SimEdid::BlockBytes) {
        quint32 sum = 0;
        for (int i = 0; i < SimEdid::BlockBytes; ++i)
            sum += quint8(edid[block + i]);
        if ((sum & 0xFF) != 0)
            return false;
    }
    return true;
}
