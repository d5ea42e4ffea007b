#pragma once

#include "protocol/EdidInfo.h"

#include <QByteArray>

// Decodes an EDID: the base block (EDID 1.3 and 1.4) and the CTA-861
// extension blocks, and checks them. The bytes may be of any length and
// content; nothing is read outside them. Blocks past those the base block
// announces are ignored (a 256-byte image from the device or the dialog
// holds a zero-filled second block behind an EDID without extensions).
EdidInfo DecodeEdid(const QByteArray &bytes);
