#pragma once

#include <QByteArray>
#include <QString>

// Byte and text conversions shared by the debug console, the user command
// lines and the reply-timeout messages.

// The value of a hexadecimal digit of either case, or -1.
int HexDigitValue(QChar c);

// "7B 7B 01": two upper-case digits per byte, one space between bytes.
QString BytesToHexText(const QByteArray &bytes);

// Spaces are skipped; every other character must start a pair of hex digits.
// Anything else, a lone digit at the end included, gives an empty result.
QByteArray HexTextToByteArray(const QString &text);

// Latin-1 bytes of the text, with "\n" and "\r" escapes; any other
// backslash is itself. A character above U+00FF, or U+0000, gives an empty
// result.
QByteArray TextToBytes(const QString &text);
