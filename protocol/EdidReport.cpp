#include "protocol/EdidReport.h"

#include <QJsonArray>

namespace {
constexpr const char *Rates[] = {"32", "44.1", "48", "88.2", "96", "176.4", "192"};
constexpr const char *Depths[] = {"16", "20", "24"};
constexpr const char *Interfaces[] = {"undefined", "DVI", "HDMI-a", "HDMI-b", "MDDI", "DisplayPort"};
constexpr const char *Eotfs[] = {"SDR", "HDR", "SMPTE ST 2084", "HLG"};
constexpr double KHzPerMHz = 1000.0;

QString Address(quint16 pa)
{
    return QStringLiteral("%1.%2.%3.%4").arg(pa >> 12).arg((pa >> 8) & 0xF).arg((pa >> 4) & 0xF).arg(pa & 0xF);
}

QString Depth(quint8 depths)
{
    QStringList out;
    for (int i = 0; i < 3; ++i) {
        if (depths & (1 << i))
            out << QString::fromLatin1(Depths[i]);
    }
    return out.join(QLatin1Char(' '));
}

QString TimingText(const EdidDetailedTiming &t)
{
    return QStringLiteral("%1x%2%3 %4 Hz, %5 MHz, blanking %6/%7, sync %8")
        .arg(t.hActive)
        .arg(t.format.height)
        .arg(t.interlaced ? QStringLiteral("i") : QString())
        .arg(t.refreshHz, 0, 'f', 2)
        .arg(t.pixelClockKHz / KHzPerMHz, 0, 'f', 2)
        .arg(t.hBlank)
        .arg(t.vBlank)
        .arg(t.sync == EdidSync::DigitalSeparate
                 ? QStringLiteral("%1H %2V").arg(t.hSyncPositive ? '+' : '-').arg(t.vSyncPositive ? '+' : '-')
                 : (t.sync == EdidSync::DigitalComposite ? QStringLiteral("digital composite")
                                                         : QStringLiteral("analogue")));
}

QString AudioText(const EdidAudioFormat &a)
{
    QString text =
        QStringLiteral("%1, %2 channels, %3 kHz").arg(a.name).arg(a.channels).arg(EdidSampleRatesText(a.sampleRates));
    if (a.bitDepths)
        text += QStringLiteral(", %1 bit").arg(Depth(a.bitDepths));
    if (a.maxBitrateKbps)
        text += QStringLiteral(", up to %1 kbit/s").arg(a.maxBitrateKbps);
    return text;
}

QJsonObject TimingJson(const EdidDetailedTiming &t)
{
    return QJsonObject{{QStringLiteral("format"), EdidFormatName(t.format)},
                       {QStringLiteral("pixelClockKHz"), qint64(t.pixelClockKHz)},
                       {QStringLiteral("hActive"), t.hActive},
                       {QStringLiteral("hBlank"), t.hBlank},
                       {QStringLiteral("vActive"), t.vActive},
                       {QStringLiteral("vBlank"), t.vBlank},
                       {QStringLiteral("interlaced"), t.interlaced},
                       {QStringLiteral("refreshHz"), t.refreshHz}};
}

QJsonArray FormatNames(const QList<EdidVideoFormat> &formats)
{
    QJsonArray out;
    for (const EdidVideoFormat &f : formats)
        out.append(EdidFormatName(f));
    return out;
}
} // namespace

QString EdidSampleRatesText(quint8 rates)
{
    QStringList out;
    for (int i = 0; i < 7; ++i) {
        if (rates & (1 << i))
            out << QString::fromLatin1(Rates[i]);
    }
    return out.join(QLatin1Char(' '));
}

QString EdidMessageText(const EdidMessage &message)
{
    const QString kind = message.severity == EdidSeverity::Error ? QStringLiteral("error") : QStringLiteral("warning");
    const QString where = message.block < 0 ? QString()
        : message.block == 0                ? QStringLiteral("base block: ")
                                            : QStringLiteral("block %1: ").arg(message.block);
    return QStringLiteral("%1: %2%3").arg(kind, where, message.text);
}

QStringList EdidReportLines(const EdidInfo &info)
{
    QStringList out;
    for (const EdidMessage &m : info.messages)
        out << EdidMessageText(m);
    out << (EdidIsValid(info) ? QStringLiteral("valid EDID") : QStringLiteral("invalid EDID"));
    if (info.size < 128)
        return out;
    const EdidBaseBlock &b = info.base;
    out << QStringLiteral("EDID %1.%2, %3 extension block(s)").arg(b.version).arg(b.revision).arg(b.extensionCount);
    out << QStringLiteral("manufacturer %1, product 0x%2, serial %3")
               .arg(b.manufacturer)
               .arg(b.productCode, 4, 16, QLatin1Char('0'))
               .arg(b.serialNumber);
    out << (b.modelYear ? QStringLiteral("model year %1").arg(b.year)
                        : QStringLiteral("made in week %1 of %2").arg(b.week).arg(b.year));
    if (!b.monitorName.isEmpty())
        out << QStringLiteral("name \"%1\"").arg(b.monitorName);
    if (!b.serialText.isEmpty())
        out << QStringLiteral("serial text \"%1\"").arg(b.serialText);
    out << (b.digital
                ? QStringLiteral("digital input%1%2")
                      .arg(b.bitsPerColour ? QStringLiteral(", %1 bits per colour").arg(b.bitsPerColour) : QString())
                      .arg(b.digitalInterface ? QStringLiteral(", %1").arg(
                               Interfaces[b.digitalInterface <= 5 ? b.digitalInterface : 0])
                                              : QString())
                : QStringLiteral("analogue input"));
    out << QStringLiteral("screen %1 x %2 cm").arg(b.widthCm).arg(b.heightCm);
    if (b.rangeLimits.present) {
        const EdidRangeLimits &r = b.rangeLimits;
        out << QStringLiteral("range limits %1-%2 Hz, %3-%4 kHz, up to %5 MHz")
                   .arg(r.minVRateHz)
                   .arg(r.maxVRateHz)
                   .arg(r.minHRateKHz)
                   .arg(r.maxHRateKHz)
                   .arg(r.maxPixelClockMHz);
    }
    for (int i = 0; i < b.detailedTimings.size(); ++i)
        out << QStringLiteral("%1 %2").arg(i == 0 ? QStringLiteral("preferred timing")
                                                  : QStringLiteral("detailed timing"),
                                           TimingText(b.detailedTimings.at(i)));
    QStringList names;
    for (const EdidVideoFormat &f : b.establishedTimings)
        names << EdidFormatName(f);
    if (!names.isEmpty())
        out << QStringLiteral("established timings: %1").arg(names.join(QLatin1Char(' ')));
    names.clear();
    for (const EdidVideoFormat &f : b.standardTimings)
        names << EdidFormatName(f);
    if (!names.isEmpty())
        out << QStringLiteral("standard timings: %1").arg(names.join(QLatin1Char(' ')));
    for (const EdidCtaBlock &c : info.cta) {
        out << QStringLiteral("block %1: CTA-861 revision %2%3%4")
                   .arg(c.block)
                   .arg(c.revision)
                   .arg(c.basicAudio ? QStringLiteral(", basic audio") : QString())
                   .arg(c.underscan ? QStringLiteral(", underscan") : QString());
        QStringList vics;
        for (const EdidVic &v : c.vics)
            vics << QStringLiteral("%1%2 (%3)")
                        .arg(v.vic)
                        .arg(v.native ? QStringLiteral("*") : QString())
                        .arg(v.known ? EdidFormatName(v.format) : QStringLiteral("?"));
        if (!vics.isEmpty())
            out << QStringLiteral("  VICs: %1").arg(vics.join(QLatin1Char(' ')));
        for (const EdidAudioFormat &a : c.audio)
            out << QStringLiteral("  audio %1").arg(AudioText(a));
        if (c.speakerAllocationPresent)
            out << QStringLiteral("  speakers %1").arg(c.speakers.join(QLatin1Char(' ')));
        if (c.hdmi.present) {
            QStringList dc;
            if (c.hdmi.deepColour30)
                dc << QStringLiteral("30");
            if (c.hdmi.deepColour36)
                dc << QStringLiteral("36");
            if (c.hdmi.deepColour48)
                dc << QStringLiteral("48");
            out << QStringLiteral("  HDMI: physical address %1, max TMDS %2 MHz, deep colour %3")
                       .arg(Address(c.hdmi.physicalAddress))
                       .arg(c.hdmi.maxTmdsMHz)
                       .arg(dc.isEmpty() ? QStringLiteral("none") : dc.join(QLatin1Char(' ')) + QStringLiteral(" bit"));
        }
        if (c.hdmiForum.present)
            out << QStringLiteral("  HDMI Forum: version %1, max TMDS character rate %2 MHz, SCDC %3")
                       .arg(c.hdmiForum.version)
                       .arg(c.hdmiForum.maxTmdsCharacterRateMHz)
                       .arg(c.hdmiForum.scdcPresent ? QStringLiteral("yes") : QStringLiteral("no"));
        if (c.hdr.present) {
            QStringList e;
            for (int i = 0; i < 4; ++i)
                if (c.hdr.eotfs & (1 << i))
                    e << QString::fromLatin1(Eotfs[i]);
            out << QStringLiteral("  HDR static metadata: %1").arg(e.join(QStringLiteral(", ")));
        }
        for (const EdidDetailedTiming &t : c.detailedTimings)
            out << QStringLiteral("  detailed timing %1").arg(TimingText(t));
    }
    QStringList formats;
    for (const EdidAnnouncedFormat &f : info.formats)
        formats << EdidFormatName(f.format);
    out << QStringLiteral("formats announced: %1").arg(formats.join(QLatin1Char(' ')));
    return out;
}

QJsonObject EdidReportJson(const EdidInfo &info)
{
    QJsonObject o;
    QJsonArray errors, warnings;
    for (const EdidMessage &m : info.messages)
        (m.severity == EdidSeverity::Error ? errors : warnings).append(EdidMessageText(m));
    o.insert(QStringLiteral("valid"), EdidIsValid(info));
    o.insert(QStringLiteral("errors"), errors);
    o.insert(QStringLiteral("warnings"), warnings);
    o.insert(QStringLiteral("size"), info.size);
    QJsonArray sums;
    for (bool ok : info.checksumValid)
        sums.append(ok);
    o.insert(QStringLiteral("checksums"), sums);
    if (info.size < 128)
        return o;
    const EdidBaseBlock &b = info.base;
    o.insert(QStringLiteral("version"), QStringLiteral("%1.%2").arg(b.version).arg(b.revision));
    o.insert(QStringLiteral("manufacturer"), b.manufacturer);
    o.insert(QStringLiteral("product"), b.productCode);
    o.insert(QStringLiteral("serial"), qint64(b.serialNumber));
    o.insert(QStringLiteral("week"), b.week);
    o.insert(QStringLiteral("year"), b.year);
    o.insert(QStringLiteral("modelYear"), b.modelYear);
    o.insert(QStringLiteral("name"), b.monitorName);
    o.insert(QStringLiteral("serialText"), b.serialText);
    o.insert(QStringLiteral("digital"), b.digital);
    o.insert(QStringLiteral("extensionCount"), b.extensionCount);
    if (b.rangeLimits.present)
        o.insert(QStringLiteral("rangeLimits"),
                 QJsonObject{{QStringLiteral("minVHz"), b.rangeLimits.minVRateHz},
                             {QStringLiteral("maxVHz"), b.rangeLimits.maxVRateHz},
                             {QStringLiteral("minHKHz"), b.rangeLimits.minHRateKHz},
                             {QStringLiteral("maxHKHz"), b.rangeLimits.maxHRateKHz},
                             {QStringLiteral("maxPixelClockMHz"), b.rangeLimits.maxPixelClockMHz}});
    QJsonArray dtds;
    for (const EdidDetailedTiming &t : b.detailedTimings)
        dtds.append(TimingJson(t));
    o.insert(QStringLiteral("detailedTimings"), dtds);
    o.insert(QStringLiteral("establishedTimings"), FormatNames(b.establishedTimings));
    o.insert(QStringLiteral("standardTimings"), FormatNames(b.standardTimings));
    QJsonArray ctas;
    for (const EdidCtaBlock &c : info.cta) {
        QJsonObject j{{QStringLiteral("block"), c.block},
                      {QStringLiteral("revision"), c.revision},
                      {QStringLiteral("basicAudio"), c.basicAudio}};
        QJsonArray vics;
        for (const EdidVic &v : c.vics)
            vics.append(QJsonObject{{QStringLiteral("vic"), v.vic},
                                    {QStringLiteral("native"), v.native},
                                    {QStringLiteral("format"), v.known ? EdidFormatName(v.format) : QString()}});
        j.insert(QStringLiteral("vics"), vics);
        QJsonArray audio;
        for (const EdidAudioFormat &a : c.audio)
            audio.append(QJsonObject{{QStringLiteral("format"), a.name},
                                     {QStringLiteral("channels"), a.channels},
                                     {QStringLiteral("rates"), EdidSampleRatesText(a.sampleRates)},
                                     {QStringLiteral("bitDepths"), Depth(a.bitDepths)},
                                     {QStringLiteral("maxBitrateKbps"), a.maxBitrateKbps}});
        j.insert(QStringLiteral("audio"), audio);
        if (c.speakerAllocationPresent)
            j.insert(QStringLiteral("speakers"), QJsonArray::fromStringList(c.speakers));
        if (c.hdmi.present)
            j.insert(QStringLiteral("hdmi"),
                     QJsonObject{{QStringLiteral("physicalAddress"), Address(c.hdmi.physicalAddress)},
                                 {QStringLiteral("maxTmdsMHz"), c.hdmi.maxTmdsMHz},
                                 {QStringLiteral("deepColour30"), c.hdmi.deepColour30},
                                 {QStringLiteral("deepColour36"), c.hdmi.deepColour36},
                                 {QStringLiteral("deepColour48"), c.hdmi.deepColour48}});
        if (c.hdmiForum.present)
            j.insert(QStringLiteral("hdmiForum"),
                     QJsonObject{{QStringLiteral("version"), c.hdmiForum.version},
                                 {QStringLiteral("maxTmdsCharacterRateMHz"), c.hdmiForum.maxTmdsCharacterRateMHz}});
        if (c.hdr.present)
            j.insert(QStringLiteral("hdrEotfs"), c.hdr.eotfs);
        QJsonArray cdtds;
        for (const EdidDetailedTiming &t : c.detailedTimings)
            cdtds.append(TimingJson(t));
        j.insert(QStringLiteral("detailedTimings"), cdtds);
        ctas.append(j);
    }
    o.insert(QStringLiteral("cta"), ctas);
    QJsonArray formats;
    for (const EdidAnnouncedFormat &f : info.formats)
        formats.append(EdidFormatName(f.format));
    o.insert(QStringLiteral("formats"), formats);
    return o;
}
