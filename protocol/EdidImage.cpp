#include "protocol/EdidImage.h"

#include "app/LanguageTable.h"
#include "protocol/DeviceState.h"

#include <QFile>

#include <cstring>

namespace {
constexpr quint32 ImageBytes = DeviceLimits::EdidBytes;
constexpr quint32 BlockBytes = 128;
constexpr quint8 Header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr quint32 ExtensionCountOffset = 126;
constexpr quint8 OneExtension = 1;
constexpr int HexStride = 3; // two digits and a space
constexpr int HexDigits = 2;
constexpr int HexBase = 16;

bool blockBalances(const quint8 *block)
{
    quint32 sum = 0;
    for (quint32 i = 0; i < BlockBytes; ++i)
        sum += block[i];
    return (sum & 0xFF) == 0;
}
} // namespace

EdidCheck CheckEdid(const quint8 *image)
{
    if (std::memcmp(image, Header, sizeof Header) != 0)
        return EdidCheck::NotEdid;
    if (!blockBalances(image))
        return EdidCheck::ChecksumFailed;
    if (image[ExtensionCountOffset] != OneExtension)
        return EdidCheck::Valid;
    return blockBalances(image + BlockBytes) ? EdidCheck::Valid : EdidCheck::ChecksumFailed;
}

bool ReadEdidFile(const QString &path, quint8 *image)
{
    std::memset(image, 0, ImageBytes);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 read = file.read(reinterpret_cast<char *>(image), ImageBytes);
    return read >= 0;
}

bool WriteEdidFile(const QString &path, const quint8 *image)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(reinterpret_cast<const char *>(image), ImageBytes) == qint64(ImageBytes);
}

quint32 EdidFromHexText(const QString &text, quint32 count, quint8 *image)
{
    quint32 taken = 0;
    for (quint32 i = 0; i < qMin(count, ImageBytes); ++i) {
        const int at = int(i) * HexStride;
        if (at + HexDigits > text.size())
            break;
        bool ok = false;
        const uint value = text.midRef(at, HexDigits).toUInt(&ok, HexBase);
        image[i] = ok ? quint8(value) : 0;
        ++taken;
    }
    return taken;
}

QByteArray EdidImageFromBytes(const QByteArray &bytes)
{
    QByteArray image = bytes.left(int(ImageBytes));
    image.append(QByteArray(int(ImageBytes) - image.size(), '\0'));
    return image;
}

QByteArray EdidImageFromFile(const QString &path, bool *opened)
{
    QFile file(path);
    const bool readable = file.open(QIODevice::ReadOnly);
    if (opened)
        *opened = readable;
    return EdidImageFromBytes(readable ? file.read(ImageBytes) : QByteArray());
}

QString EdidCheckMessage(EdidCheck result)
{
    switch (result) {
    case EdidCheck::NotEdid:
        return SMSG_NotIsEdidContent;
    case EdidCheck::ChecksumFailed:
        return SMSG_EdidCheckFail;
    case EdidCheck::Valid:
        break;
    }
    return QString();
}
