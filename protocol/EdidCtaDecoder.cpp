#include "protocol/EdidCtaDecoder.h"

namespace {
constexpr int RevisionOffset = 1;
constexpr int DtdOffsetByte = 2;
constexpr int FlagsOffset = 3;
} // namespace

EdidCtaBlock DecodeCtaBlock(const quint8 *block, int index, QList<EdidMessage> *messages)
{
    EdidCtaBlock cta;
    cta.block = index;
    cta.revision = block[RevisionOffset];
    const quint8 flags = block[FlagsOffset];
    cta.underscan = (flags & 0x80) != 0;
    cta.basicAudio = (flags & 0x40) != 0;
    cta.ycbcr444 = (flags & 0x20) != 0;
    cta.ycbcr422 = (flags & 0x10) != 0;
    cta.nativeDetailedCount = flags & 0x0F;
    Q_UNUSED(DtdOffsetByte);
    Q_UNUSED(messages);
    return cta;
}
