#pragma once

#include <QByteArray>
#include <QString>

// The check an EDID image passes before it is written into an input, shared
// by the EDID dialog and kxrctl. An image is the 256 bytes of a base block
// and one optional extension block; a shorter file is padded with zeros.
enum class EdidCheck {
    Valid = 0,
    NotEdid = 1,        // the fixed header 00 FF FF FF FF FF FF 00 is missing
    ChecksumFailed = 2, // a block's bytes do not sum to 0 modulo 256
};

// image must hold 256 bytes.
EdidCheck CheckEdid(const quint8 *image);

// The 256-byte image of a file's first bytes (at most 256), zero-padded.
// opened tells whether the file could be read; a file that cannot be read
// gives an image of zeros, which fails the check.
QByteArray EdidImageFromFile(const QString &path, bool *opened = nullptr);
// The same for bytes already in memory.
QByteArray EdidImageFromBytes(const QByteArray &bytes);

// The message shown for a failed check (empty for a valid image).
QString EdidCheckMessage(EdidCheck result);
