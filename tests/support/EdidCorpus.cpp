#include "support/EdidCorpus.h"

#include <QFile>
#include <QStringList>
#include <QTextStream>

namespace {
QString Join(const QList<EdidVideoFormat> &formats)
{
    QStringList names;
    for (const EdidVideoFormat &f : formats)
        names << EdidFormatName(f);
    return names.join(QLatin1Char(' '));
}

QString Audio(const EdidInfo &info)
{
    QStringList out;
    for (const EdidCtaBlock &cta : info.cta) {
        for (const EdidAudioFormat &a : cta.audio)
            out << QStringLiteral("%1:%2:%3:%4")
                       .arg(a.name)
                       .arg(a.channels)
                       .arg(a.sampleRates, 2, 16, QLatin1Char('0'))
                       .arg(a.formatCode == 1 ? a.bitDepths : a.maxBitrateKbps);
    }
    return out.join(QLatin1Char(' '));
}

QString Hdmi(const EdidHdmiVsdb &h)
{
    QString out = QStringLiteral("%1.%2.%3.%4 %5")
                      .arg(h.physicalAddress >> 12)
                      .arg((h.physicalAddress >> 8) & 0xF)
                      .arg((h.physicalAddress >> 4) & 0xF)
                      .arg(h.physicalAddress & 0xF)
                      .arg(h.maxTmdsMHz);
    for (auto [flag, bits] : {std::pair<bool, int>{h.deepColour30, 30}, {h.deepColour36, 36}, {h.deepColour48, 48}})
        out += flag ? QStringLiteral(" %1").arg(bits) : QString();
    return out;
}
} // namespace

QString EdidCorpusDir()
{
    return QStringLiteral(KXR_SOURCE_DIR "/tests/edid-corpus");
}

QMap<QString, QMap<QString, QString>> EdidCorpusExpectations(const QString &path)
{
    QMap<QString, QMap<QString, QString>> all;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return all;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList parts = in.readLine().split(QLatin1Char('\t'));
        if (parts.size() == 3)
            all[parts.at(0)][parts.at(1)] = parts.at(2);
    }
    return all;
}

QString DecodedEdidField(const EdidInfo &info, const QString &field)
{
    const EdidBaseBlock &b = info.base;
    QStringList list;
    if (field == QLatin1String("manufacturer"))
        return b.manufacturer;
    if (field == QLatin1String("product"))
        return QString::number(b.productCode);
    if (field == QLatin1String("serial"))
        return QString::number(b.serialNumber);
    if (field == QLatin1String("made"))
        return b.modelYear ? QStringLiteral("model %1").arg(b.year)
                           : QStringLiteral("week %1 of %2").arg(b.week).arg(b.year);
    if (field == QLatin1String("version"))
        return QStringLiteral("%1.%2").arg(b.version).arg(b.revision);
    if (field == QLatin1String("name"))
        return b.monitorName;
    if (field == QLatin1String("serialtext"))
        return b.serialText;
    if (field == QLatin1String("valid"))
        return EdidIsValid(info) ? QStringLiteral("yes") : QStringLiteral("no");
    if (field == QLatin1String("preferred") && !b.detailedTimings.isEmpty())
        return QStringLiteral("%1 %2")
            .arg(EdidFormatName(b.detailedTimings.first().format))
            .arg(b.detailedTimings.first().pixelClockKHz);
    if (field == QLatin1String("established"))
        return Join(b.establishedTimings);
    if (field == QLatin1String("standard"))
        return Join(b.standardTimings);
    if (field == QLatin1String("range") && b.rangeLimits.present) {
        const EdidRangeLimits &r = b.rangeLimits;
        return QStringLiteral("%1-%2 Hz %3-%4 kHz %5 MHz")
            .arg(r.minVRateHz)
            .arg(r.maxVRateHz)
            .arg(r.minHRateKHz)
            .arg(r.maxHRateKHz)
            .arg(r.maxPixelClockMHz);
    }
    if (field == QLatin1String("audio"))
        return Audio(info);
    for (const EdidCtaBlock &cta : info.cta) {
        if (field == QLatin1String("speakers") && cta.speakerAllocationPresent)
            return QString::number(cta.speakerAllocation, 16);
        if (field == QLatin1String("hdmi") && cta.hdmi.present)
            return Hdmi(cta.hdmi);
        if (field == QLatin1String("hdmiforum") && cta.hdmiForum.present)
            return QString::number(cta.hdmiForum.maxTmdsCharacterRateMHz);
        if (field == QLatin1String("hdr") && cta.hdr.present)
            return QString::number(cta.hdr.eotfs, 16);
    }
    if (field == QLatin1String("dtds")) {
        for (const EdidDetailedTiming &t : b.detailedTimings)
            list << EdidFormatName(t.format);
        for (const EdidCtaBlock &cta : info.cta)
            for (const EdidDetailedTiming &t : cta.detailedTimings)
                list << EdidFormatName(t.format);
    } else if (field == QLatin1String("vics")) {
        for (const EdidCtaBlock &cta : info.cta)
            for (const EdidVic &v : cta.vics)
                list << QStringLiteral("%1%2=%3")
                            .arg(v.vic)
                            .arg(v.native ? QStringLiteral("*") : QString())
                            .arg(v.known ? EdidFormatName(v.format) : QStringLiteral("?"));
    } else if (field == QLatin1String("formats")) {
        for (const EdidAnnouncedFormat &f : info.formats)
            list << EdidFormatName(f.format);
    } else if (field == QLatin1String("checksums")) {
        for (bool ok : info.checksumValid)
            list << (ok ? QStringLiteral("ok") : QStringLiteral("bad"));
    }
    return list.join(QLatin1Char(' '));
}
