#include "app/ByteText.h"

int HexDigitValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

QString BytesToHexText(const QByteArray &bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(bytes.size() * 3);
    for (int i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        const auto b = quint8(bytes.at(i));
        text += QLatin1Char(digits[b >> 4]);
        text += QLatin1Char(digits[b & 0x0F]);
    }
    return text;
}

QByteArray HexTextToByteArray(const QString &text)
{
    QByteArray bytes;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char(' '))
            continue;
        const int high = HexDigitValue(text.at(i));
        const int low = i + 1 < text.size() ? HexDigitValue(text.at(i + 1)) : -1;
        if (high < 0 || low < 0)
            return {};
        bytes.append(char((high << 4) | low));
        ++i;
    }
    return bytes;
}

QByteArray TextToBytes(const QString &text)
{
    QByteArray bytes;
    for (int i = 0; i < text.size(); ++i) {
        const ushort u = text.at(i).unicode();
        if (u == 0 || u > 0xFF)
            return {};
        if (u == '\\' && i + 1 < text.size()) {
            const ushort next = text.at(i + 1).unicode();
            if (next == 'n' || next == 'r') {
                bytes.append(next == 'n' ? '\n' : '\r');
                ++i;
                continue;
            }
        }
        bytes.append(char(u));
    }
    return bytes;
}
