#pragma once

#include "protocol/EdidInfo.h"

// Decodes one CTA-861 extension block (128 bytes at block, tag 0x02):
// its flags, data blocks and detailed timings. index: the block's place in
// the EDID (1…), used in messages, which are appended to messages.
EdidCtaBlock DecodeCtaBlock(const quint8 *block, int index, QList<EdidMessage> *messages);
