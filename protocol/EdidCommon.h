#pragma once

#include "protocol/EdidInfo.h"

#include <QByteArray>
#include <QList>

// The EDID a group of displays can all live with: it announces only the
// video formats every one of them lists, and only the audio each of them
// takes, so that a source fed with it picks nothing one of them lacks.

struct CommonEdid
{
    bool valid = false;             // false: a display without an EDID, or no common format at all
    QList<EdidVideoFormat> formats; // every display lists these
    QList<EdidAudioFormat> audio;   // every display takes these
    // Common formats the image could not carry (no VIC, no established or
    // standard timing, no detailed timing to copy): they stay unannounced.
    QList<EdidVideoFormat> left;
    QByteArray image; // 256 bytes: base block and a CTA extension
};

// The video formats of the first display that every other one lists too, in
// the first display's order.
QList<EdidVideoFormat> CommonVideoFormats(const QList<EdidInfo> &displays);

// Per audio format the first display takes: the fewest channels and the
// sample rates, bit depths and bit rate all of them take; a format some
// display lacks, or with no rate in common, is left out.
QList<EdidAudioFormat> CommonAudioFormats(const QList<EdidInfo> &displays);

// Builds the common EDID of the displays (each as decoded). Its preferred
// timing is the most demanding common progressive format that a display
// describes in detail (an interlaced one only when there is no other).
CommonEdid BuildCommonEdid(const QList<EdidInfo> &displays);
