#include "tools/edidcorpus/CorpusEdid.h"

namespace {
constexpr int BlockBytes = 128;
constexpr int DescriptorBytes = 18;
constexpr int FirstDescriptor = 54;
constexpr int DescriptorSlots = 4;
constexpr int FirstStandard = 38;
constexpr int StandardSlots = 8;
constexpr int ExtensionCount = 126;
constexpr int Checksum = 127;
constexpr int CtaHeaderBytes = 4;
constexpr int TextBytes = 13;
constexpr quint8 CtaTag = 0x02;

void SetChecksum(QByteArray &bytes, int block)
{
    int sum = 0;
    for (int i = 0; i < BlockBytes - 1; ++i)
        sum += quint8(bytes.at(block * BlockBytes + i));
    bytes[block * BlockBytes + Checksum] = char((256 - (sum & 0xFF)) & 0xFF);
}

QByteArray Dtd(const CorpusTiming &t, quint8 flags)
{
    QByteArray d(DescriptorBytes, '\0');
    const quint32 clock = t.pixelClockKHz / 10;
    d[0] = char(clock & 0xFF);
    d[1] = char(clock >> 8);
    d[2] = char(t.hActive & 0xFF);
    d[3] = char(t.hBlank & 0xFF);
    d[4] = char(((t.hActive >> 8) << 4) | (t.hBlank >> 8));
    d[5] = char(t.vActive & 0xFF);
    d[6] = char(t.vBlank & 0xFF);
    d[7] = char(((t.vActive >> 8) << 4) | (t.vBlank >> 8));
    d[8] = char(t.hSyncOffset & 0xFF);
    d[9] = char(t.hSyncWidth & 0xFF);
    d[10] = char(((t.vSyncOffset & 0x0F) << 4) | (t.vSyncWidth & 0x0F));
    d[11] = char(((t.hSyncOffset >> 8) << 6) | ((t.hSyncWidth >> 8) << 4) | ((t.vSyncOffset >> 4) << 2)
                 | (t.vSyncWidth >> 4));
    // A 16:9 picture of 527 x 296 mm.
    d[12] = char(0x0F);
    d[13] = char(0x28);
    d[14] = char(0x21);
    d[17] = char(flags | (t.interlaced ? 0x80 : 0x00));
    return d;
}
} // namespace

CorpusEdid::CorpusEdid(const QString &name, quint8 revision)
    : m_name(name)
    , m_bytes(BlockBytes, '\0')
{
    const quint8 header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    for (int i = 0; i < 8; ++i)
        m_bytes[i] = char(header[i]);
    m_bytes[18] = 1;
    m_bytes[19] = char(revision);
    m_bytes[23] = char(120); // gamma 2.2
    for (int i = 0; i < StandardSlots; ++i) {
        m_bytes[FirstStandard + 2 * i] = 1;
        m_bytes[FirstStandard + 2 * i + 1] = 1;
    }
    // Dummy descriptors fill the slots that are not written.
    for (int i = 0; i < DescriptorSlots; ++i)
        m_bytes[FirstDescriptor + i * DescriptorBytes + 3] = char(0x10);
    m_expect[QStringLiteral("version")] = QStringLiteral("1.%1").arg(revision);
    m_expect[QStringLiteral("valid")] = QStringLiteral("yes");
}

void CorpusEdid::append(const QString &key, const QString &value, const QString &separator)
{
    QString &slot = m_expect[key];
    slot = slot.isEmpty() ? value : slot + separator + value;
}

void CorpusEdid::identity(const char *pnp, quint16 product, quint32 serial, quint8 week, quint16 year)
{
    const quint16 id = quint16(((pnp[0] - 'A' + 1) << 10) | ((pnp[1] - 'A' + 1) << 5) | (pnp[2] - 'A' + 1));
    m_bytes[8] = char(id >> 8);
    m_bytes[9] = char(id & 0xFF);
    m_bytes[10] = char(product & 0xFF);
    m_bytes[11] = char(product >> 8);
    for (int i = 0; i < 4; ++i)
        m_bytes[12 + i] = char((serial >> (8 * i)) & 0xFF);
    m_bytes[16] = char(week);
    m_bytes[17] = char(year - 1990);
    m_expect[QStringLiteral("manufacturer")] = QString::fromLatin1(pnp, 3);
    m_expect[QStringLiteral("product")] = QString::number(product);
    m_expect[QStringLiteral("serial")] = QString::number(serial);
    m_expect[QStringLiteral("made")] =
        week == 0xFF ? QStringLiteral("model %1").arg(year) : QStringLiteral("week %1 of %2").arg(week).arg(year);
}

void CorpusEdid::input(quint8 byte20)
{
    m_bytes[20] = char(byte20);
}

void CorpusEdid::screen(quint8 widthCm, quint8 heightCm)
{
    m_bytes[21] = char(widthCm);
    m_bytes[22] = char(heightCm);
}

void CorpusEdid::features(quint8 byte24)
{
    m_bytes[24] = char(byte24);
}

void CorpusEdid::established(quint8 b35, quint8 b36, quint8 b37, const QStringList &names)
{
    m_bytes[35] = char(b35);
    m_bytes[36] = char(b36);
    m_bytes[37] = char(b37);
    m_est = names;
    m_expect[QStringLiteral("established")] = names.join(QLatin1Char(' '));
}

void CorpusEdid::standard(quint16 width, int aspect, int rateHz, const QString &name)
{
    m_bytes[FirstStandard + 2 * m_standards] = char(width / 8 - 31);
    m_bytes[FirstStandard + 2 * m_standards + 1] = char((aspect << 6) | (rateHz - 60));
    ++m_standards;
    m_std << name;
    append(QStringLiteral("standard"), name);
}

void CorpusEdid::descriptor(const QByteArray &d)
{
    m_bytes.replace(FirstDescriptor + m_descriptors * DescriptorBytes, DescriptorBytes, d);
    ++m_descriptors;
}

void CorpusEdid::timing(const CorpusTiming &t, quint8 flags)
{
    if (m_dtd.isEmpty())
        m_expect[QStringLiteral("preferred")] = QStringLiteral("%1 %2").arg(QLatin1String(t.name)).arg(t.pixelClockKHz);
    descriptor(Dtd(t, flags));
    m_dtd << QLatin1String(t.name);
    append(QStringLiteral("dtds"), QLatin1String(t.name));
}

void CorpusEdid::text(quint8 tag, const QString &text)
{
    QByteArray d(DescriptorBytes, '\0');
    d[3] = char(tag);
    QByteArray body = text.toLatin1().left(TextBytes);
    if (body.size() < TextBytes)
        body.append('\n');
    body.append(QByteArray(TextBytes - body.size(), ' '));
    d.replace(5, TextBytes, body);
    descriptor(d);
    m_expect[tag == 0xFC ? QStringLiteral("name") : QStringLiteral("serialtext")] = text;
}

void CorpusEdid::rangeLimits(int minV, int maxV, int minH, int maxH, int maxClockMHz, quint8 offsets)
{
    QByteArray d(DescriptorBytes, '\0');
    d[3] = char(0xFD);
    d[4] = char(offsets);
    d[5] = char(minV - ((offsets & 1) ? 255 : 0));
    d[6] = char(maxV - ((offsets & 2) ? 255 : 0));
    d[7] = char(minH - ((offsets & 4) ? 255 : 0));
    d[8] = char(maxH - ((offsets & 8) ? 255 : 0));
    d[9] = char(maxClockMHz / 10);
    d[10] = 0x01; // range limits only
    d[11] = 0x0A;
    for (int i = 12; i < DescriptorBytes; ++i)
        d[i] = 0x20;
    descriptor(d);
    m_expect[QStringLiteral("range")] =
        QStringLiteral("%1-%2 Hz %3-%4 kHz %5 MHz").arg(minV).arg(maxV).arg(minH).arg(maxH).arg(maxClockMHz);
}

void CorpusEdid::cta(quint8 revision, quint8 flags)
{
    m_hasCta = true;
    m_bytes.append(QByteArray(BlockBytes, '\0'));
    m_bytes[BlockBytes] = char(CtaTag);
    m_bytes[BlockBytes + 1] = char(revision);
    m_bytes[BlockBytes + 3] = char(flags);
    m_bytes[ExtensionCount] = 1;
}

void CorpusEdid::vics(const QList<quint8> &codes, const QString &expected)
{
    QByteArray block(1, char((2 << 5) | codes.size()));
    for (quint8 code : codes)
        block.append(char(code));
    m_dataBlocks.append(block);
    append(QStringLiteral("vics"), expected);
    for (const QString &vic : expected.split(QLatin1Char(' ')))
        m_vic << vic.section(QLatin1Char('='), 1);
}

void CorpusEdid::audio(const QList<quint8> &sads, const QString &expected)
{
    QByteArray block(1, char((1 << 5) | sads.size()));
    for (quint8 b : sads)
        block.append(char(b));
    m_dataBlocks.append(block);
    append(QStringLiteral("audio"), expected);
}

void CorpusEdid::speakers(quint8 b0, quint8 b1, quint8 b2)
{
    m_dataBlocks.append(char((4 << 5) | 3));
    m_dataBlocks.append(char(b0));
    m_dataBlocks.append(char(b1));
    m_dataBlocks.append(char(b2));
    m_expect[QStringLiteral("speakers")] = QString::number(b0 | (b1 << 8) | (b2 << 16), 16);
}

void CorpusEdid::hdmi(quint16 physicalAddress, quint8 flags, quint8 tmds5MHz, const QString &expected)
{
    QByteArray block;
    block.append(char(0x03)).append(char(0x0C)).append(char(0x00));
    block.append(char(physicalAddress >> 8)).append(char(physicalAddress & 0xFF));
    block.append(char(flags)).append(char(tmds5MHz));
    block.prepend(char((3 << 5) | block.size()));
    m_dataBlocks.append(block);
    m_expect[QStringLiteral("hdmi")] = expected;
}

void CorpusEdid::hdmiForum(quint8 tmds5MHz, quint8 flags, quint8 dc420)
{
    QByteArray block;
    block.append(char(0xD8)).append(char(0x5D)).append(char(0xC4));
    block.append(char(1)).append(char(tmds5MHz)).append(char(flags)).append(char(dc420));
    block.prepend(char((3 << 5) | block.size()));
    m_dataBlocks.append(block);
    m_expect[QStringLiteral("hdmiforum")] = QString::number(tmds5MHz * 5);
}

void CorpusEdid::hdr(quint8 eotfs, quint8 types, quint8 maxLum, quint8 avgLum, quint8 minLum)
{
    QByteArray block;
    block.append(char(0x06)).append(char(eotfs)).append(char(types));
    block.append(char(maxLum)).append(char(avgLum)).append(char(minLum));
    block.prepend(char((7 << 5) | block.size()));
    m_dataBlocks.append(block);
    m_expect[QStringLiteral("hdr")] = QString::number(eotfs, 16);
}

void CorpusEdid::rawDataBlock(const QByteArray &block)
{
    m_dataBlocks.append(block);
}

void CorpusEdid::ctaTiming(const CorpusTiming &t)
{
    m_ctaTimings.append(Dtd(t, 0x1E));
    m_dtd << QLatin1String(t.name);
    append(QStringLiteral("dtds"), QLatin1String(t.name));
}

void CorpusEdid::announce(const QString &format)
{
    QStringList list = m_expect.value(QStringLiteral("formats")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!list.contains(format))
        append(QStringLiteral("formats"), format);
}

QByteArray CorpusEdid::bytes()
{
    if (m_finished)
        return m_bytes;
    m_finished = true;
    if (m_hasCta) {
        const int d = CtaHeaderBytes + m_dataBlocks.size();
        m_bytes[BlockBytes + 2] = char(d);
        m_bytes.replace(BlockBytes + CtaHeaderBytes, m_dataBlocks.size(), m_dataBlocks);
        m_bytes.replace(BlockBytes + d, m_ctaTimings.size(), m_ctaTimings);
        SetChecksum(m_bytes, 1);
    }
    SetChecksum(m_bytes, 0);
    m_expect[QStringLiteral("checksums")] = m_hasCta ? QStringLiteral("ok ok") : QStringLiteral("ok");
    // Every format announced, in the decoder's order: established,
    // standard, detailed (base block, then CTA), VICs; each once.
    for (const QStringList *list : {&m_est, &m_std, &m_dtd, &m_vic}) {
        for (const QString &format : *list) {
            if (!format.isEmpty() && format != QLatin1String("?"))
                announce(format);
        }
    }
    return m_bytes;
}
