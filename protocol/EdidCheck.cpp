#include "protocol/EdidCheck.h"

#include "app/LanguageTable.h"
#include "protocol/DeviceState.h"

#include <QFile>

namespace {

constexpr quint8 Header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int BlockBytes = 128;
constexpr int ExtensionCountOffset = 126;
constexpr quint8 OneExtension = 1;
constexpr int ImageBytes = int(DeviceLimits::EdidBytes);

// The bytes of a block, its checksum byte included, sum to 0 modulo 256.
bool BlockBalances(const quint8 *block)
{
    quint32 sum = 0;
    for (int i = 0; i < BlockBytes; ++i)
        sum += block[i];
    return (sum & 0xFF) == 0;
}

} // namespace

EdidCheck CheckEdid(const quint8 *image)
{
    for (int i = 0; i < int(sizeof Header); ++i) {
        if (image[i] != Header[i])
            return EdidCheck::NotEdid;
    }
    if (!BlockBalances(image))
        return EdidCheck::ChecksumFailed;
    // Only an image that announces exactly one extension has its second
    // block checked; any other count passes on the base block alone.
    if (image[ExtensionCountOffset] != OneExtension)
        return EdidCheck::Valid;
    return BlockBalances(image + BlockBytes) ? EdidCheck::Valid : EdidCheck::ChecksumFailed;
}

QByteArray EdidImageFromBytes(const QByteArray &bytes)
{
    QByteArray image = bytes.left(ImageBytes);
    image.append(QByteArray(ImageBytes - image.size(), '\0'));
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
