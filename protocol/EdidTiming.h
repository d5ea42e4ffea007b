#pragma once

#include "protocol/EdidInfo.h"

// The 18-byte descriptors and the two-byte standard timings of an EDID,
// shared by the base block and the CTA-861 extensions.

constexpr int EdidDescriptorBytes = 18;

// True when the 18 bytes at d hold a detailed timing (a non-zero pixel
// clock) rather than a display descriptor; d must hold 18 bytes.
bool EdidIsDetailedTiming(const quint8 *d);

// Decodes a detailed timing descriptor (18 bytes at d). The text of what
// makes it unusable (a zero active size, sync past the blanking) goes to
// problem; an empty text means it is sound.
EdidDetailedTiming DecodeDetailedTiming(const quint8 *d, QString *problem);

// Decodes a standard timing (two bytes); false for an unused slot (01 01,
// 00 00 or 20 20). revision: the EDID revision, which decides what aspect
// code 0 means (1:1 before 1.3, 16:10 from 1.3 on).
bool DecodeStandardTiming(quint8 first, quint8 second, quint8 revision, EdidVideoFormat *format);
