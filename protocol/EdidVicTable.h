#pragma once

#include "protocol/EdidInfo.h"

// CTA-861 video identification codes: the active size, field or frame
// rate and scan of VICs 1-127 and 193-219. Pixel-repeated formats give the
// width as sent (1440 for the 720-pixel 480i). Rates are the integer ones
// (VIC 16 is both 60 and 59.94 Hz).

enum class EdidAspect : quint8 { A4x3, A16x9, A64x27, A256x135 };

struct EdidVicEntry
{
    quint8 vic;
    quint16 width;
    quint16 height;
    quint16 rateHz;
    bool interlaced;
    EdidAspect aspect;
};

// The entry of a VIC; nullptr for a code the table does not hold.
const EdidVicEntry *FindVic(int vic);
