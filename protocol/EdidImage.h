#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// An EDID image as the program keeps it: 256 bytes, a 128-byte base block
// and room for one extension block. Files hold the raw bytes and nothing
// else. The EDID dialog and kxrctl check images with the same rules.

enum class EdidCheck {
    Valid = 0,
    NotEdid = 1,       // the fixed header 00 FF FF FF FF FF FF 00 is missing
    ChecksumFailed = 2 // a block's bytes do not sum to 0 modulo 256
};

// The header, then the base block's checksum, then - only when the base
// block announces exactly one extension - the extension's checksum.
EdidCheck CheckEdid(const quint8 *image);

// Zeroes the image, then reads at most 256 bytes of the file into it. A
// shorter file leaves the rest zero; a file that cannot be opened leaves
// the image all zero (false).
bool ReadEdidFile(const QString &path, quint8 *image);

// Writes the 256 bytes; false when the file could not be written whole.
bool WriteEdidFile(const QString &path, const quint8 *image);

// Takes the first count bytes of hexadecimal text in the form "00 FF 1A"
// (one pair every three characters) into the image. Pairs past the text or
// the image are left alone; a pair that is not hexadecimal reads as 0.
// Returns the number of bytes taken.
quint32 EdidFromHexText(const QString &text, quint32 count, quint8 *image);

// The 256-byte image of a file's first bytes (at most 256), zero-padded.
// opened tells whether the file could be read; a file that cannot be read
// gives an image of zeros, which fails the check.
QByteArray EdidImageFromFile(const QString &path, bool *opened = nullptr);
// The same for bytes already in memory.
QByteArray EdidImageFromBytes(const QByteArray &bytes);

// The message shown for a failed check (empty for a valid image).
QString EdidCheckMessage(EdidCheck result);
