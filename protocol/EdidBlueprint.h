#pragma once

#include "protocol/EdidInfo.h"

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

// What an EDID is to say, field by field, and the 256 bytes that say it: a
// version 1.3 base block (identity, one detailed preferred timing, range
// limits, the monitor name) and, when asked for, a CTA-861 extension with
// video, audio, speaker and HDMI vendor blocks. Both checksums are set.
// Timings and audio formats take the decoder's types, so that what one EDID
// says can be carried into another.

struct EdidBlueprint
{
    QByteArray maker = "KXR"; // three capital letters
    quint16 product = 0;
    quint32 serial = 0;
    quint8 week = 1;
    quint16 year = 2024;
    QByteArray name; // at most 13 characters
    quint8 widthCm = 0;
    quint8 heightCm = 0;
    EdidDetailedTiming preferred;
    // Established timings I, II and the manufacturer's byte (bytes 35-37).
    quint8 established[3] = {};
    // Standard timings, two bytes each (at most eight); the rest unused.
    QByteArray standard;
    // Display range limits.
    quint8 minVHz = 24;
    quint8 maxVHz = 75;
    quint8 minHKHz = 15;
    quint8 maxHKHz = 80;
    quint16 maxClockMHz = 170; // rounded up to 10 MHz in the descriptor

    bool cta = false;
    QVector<quint8> vics; // the order kept; bit 7 not used
    quint8 nativeVic = 0; // 0: none flagged native
    // Format code, channels, sample rates, and the bit depths (LPCM) or the
    // maximum bit rate (formats 2-8) of each.
    QVector<EdidAudioFormat> audio;
    quint8 speakers = 0; // speaker allocation byte 1 (0: no block)
    bool ycbcr444 = false;
    bool ycbcr422 = false;
    bool hdmi = false; // an HDMI vendor-specific block
    quint16 physicalAddress = 0x1000;
    quint8 deepColour = 0;  // the HDMI block's byte 6 (DC_48, DC_36, DC_30, DC_Y444 bits)
    quint16 maxTmdsMHz = 0; // 0: not stated; above 340 adds an HDMI Forum block
};

constexpr int EdidBlueprintBytes = 256;

// The 256-byte image; without a CTA extension the second half is zero.
QByteArray BuildEdidImage(const EdidBlueprint &blueprint);
