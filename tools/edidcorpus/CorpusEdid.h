#pragma once

#include "tools/edidcorpus/CorpusTiming.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Writes an EDID field by field and records, beside the bytes, what each
// field says in the form the corpus test compares (the expectations). It
// encodes from the EDID and CTA-861 layouts alone and shares no code with
// the program's decoder.
class CorpusEdid
{
public:
    explicit CorpusEdid(const QString &name, quint8 revision);

    // Base block.
    void identity(const char *pnp, quint16 product, quint32 serial, quint8 week, quint16 year);
    void input(quint8 byte20);
    void screen(quint8 widthCm, quint8 heightCm);
    void features(quint8 byte24);
    void established(quint8 b35, quint8 b36, quint8 b37, const QStringList &names);
    void standard(quint16 width, int aspect, int rateHz, const QString &name);
    void timing(const CorpusTiming &t, quint8 flags = 0x1E); // next free descriptor slot
    void text(quint8 tag, const QString &text);
    void rangeLimits(int minV, int maxV, int minH, int maxH, int maxClockMHz, quint8 offsets = 0);

    // One CTA-861 extension block; the calls below fill it in order.
    void cta(quint8 revision, quint8 flags);
    void vics(const QList<quint8> &codes, const QString &expected);
    void audio(const QList<quint8> &sads, const QString &expected);
    void speakers(quint8 b0, quint8 b1, quint8 b2);
    void hdmi(quint16 physicalAddress, quint8 flags, quint8 tmds5MHz, const QString &expected);
    void hdmiForum(quint8 tmds5MHz, quint8 flags, quint8 dc420);
    void hdr(quint8 eotfs, quint8 types, quint8 maxLum, quint8 avgLum, quint8 minLum);
    void rawDataBlock(const QByteArray &block);
    void ctaTiming(const CorpusTiming &t);

    // The finished bytes: checksums set, the CTA block's offsets written.
    QByteArray bytes();
    // A deliberate fault, made after the checksums: the bytes as a function.
    QByteArray &raw() { return m_bytes; }

    QString name() const { return m_name; }
    QMap<QString, QString> &expect() { return m_expect; }

private:
    void append(const QString &key, const QString &value, const QString &separator = QStringLiteral(" "));
    void announce(const QString &format);
    void descriptor(const QByteArray &d);

    QString m_name;
    QByteArray m_bytes;
    QMap<QString, QString> m_expect;
    QStringList m_est, m_std, m_dtd, m_vic;
    int m_descriptors = 0;
    int m_standards = 0;
    QByteArray m_dataBlocks;
    QByteArray m_ctaTimings;
    bool m_hasCta = false;
    bool m_finished = false;
};
