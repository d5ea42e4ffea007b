#include "tools/devsim/SimEdid.h"

#include <cstring>

namespace {

constexpr quint8 Header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
// "KXR" in the three 5-bit letters of the manufacturer field.
constexpr quint8 Manufacturer[] = {0x2F, 0x12};
constexpr int ProductOffset = 10;
constexpr int SerialOffset = 12;
constexpr quint16 InputProductBase = 0x2000;
constexpr quint16 OutputProductBase = 0x1000;
// Week, year since 1990, version 1.3, digital input, 60 x 34 cm, gamma 2.2,
// features, colour points.
constexpr quint8 Basics[] = {0x01, 0x22, 0x01, 0x03, 0x80, 0x3C, 0x22, 0x78, 0x0A,
                             0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54,
                             0x21, 0x08, 0x00};
constexpr int BasicsOffset = 16;
constexpr int StandardTimingsOffset = 38;
constexpr int StandardTimingsBytes = 16;
constexpr quint8 UnusedTiming = 0x01;
// 1920x1080 at 60 Hz, 148.5 MHz.
constexpr quint8 Timing1080p[] = {0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                                  0x2C, 0x45, 0x00, 0x56, 0x50, 0x21, 0x00, 0x00, 0x1E};
constexpr int FirstDescriptor = 54;
constexpr int DescriptorBytes = 18;
constexpr quint8 NameTag = 0xFC;
constexpr quint8 RangeLimits[] = {0x00, 0x00, 0x00, 0xFD, 0x00, 0x38, 0x4B, 0x1E, 0x51,
                                  0x11, 0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
constexpr quint8 DummyTag = 0x10;
constexpr int ExtensionCountOffset = 126;
constexpr quint8 CeaTag = 0x02;
constexpr quint8 CeaRevision = 0x03;
constexpr quint8 CeaNoDataBlocks = 0x04;
constexpr quint8 NameEnd = 0x0A;
constexpr quint8 NamePad = 0x20;
constexpr int NameChars = 13;

void sealBlock(quint8 *block)
{
    quint32 sum = 0;
    for (int i = 0; i < SimEdid::BlockBytes - 1; ++i)
        sum += block[i];
    block[SimEdid::BlockBytes - 1] = quint8((0x100 - (sum & 0xFF)) & 0xFF);
}

} // namespace

QByteArray MakeSimEdid(int port, bool inputSide)
{
    quint8 edid[SimEdid::TotalBytes] = {};
    quint8 *base = edid;
    std::memcpy(base, Header, sizeof Header);
    std::memcpy(base + sizeof Header, Manufacturer, sizeof Manufacturer);
    const quint16 product = quint16((inputSide ? InputProductBase : OutputProductBase) + port);
    base[ProductOffset] = quint8(product & 0xFF);
    base[ProductOffset + 1] = quint8(product >> 8);
    base[SerialOffset] = quint8(port + 1);
    std::memcpy(base + BasicsOffset, Basics, sizeof Basics);
    std::memset(base + StandardTimingsOffset, UnusedTiming, StandardTimingsBytes);
    std::memcpy(base + FirstDescriptor, Timing1080p, sizeof Timing1080p);

    quint8 *name = base + FirstDescriptor + DescriptorBytes;
    name[3] = NameTag;
    const QByteArray text = QByteArray(inputSide ? "KXR IN " : "KXR OUT ") + QByteArray::number(port + 1);
    int i = 0;
    for (; i < NameChars && i < text.size(); ++i)
        name[5 + i] = quint8(text[i]);
    if (i < NameChars)
        name[5 + i++] = NameEnd;
    for (; i < NameChars; ++i)
        name[5 + i] = NamePad;

    std::memcpy(base + FirstDescriptor + 2 * DescriptorBytes, RangeLimits, sizeof RangeLimits);
    base[FirstDescriptor + 3 * DescriptorBytes + 3] = DummyTag;
    base[ExtensionCountOffset] = 1;
    sealBlock(base);

    quint8 *extension = edid + SimEdid::BlockBytes;
    extension[0] = CeaTag;
    extension[1] = CeaRevision;
    extension[2] = CeaNoDataBlocks;
    sealBlock(extension);
    return QByteArray(reinterpret_cast<const char *>(edid), SimEdid::TotalBytes);
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
