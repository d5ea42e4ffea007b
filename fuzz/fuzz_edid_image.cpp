// Feeds arbitrary bytes to the EDID image rules: a file of any length read
// into the 256-byte image and checked, and hexadecimal text of any shape
// (as a read reply shows it) parsed back into the image with any count.
#include "protocol/EdidImage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
constexpr size_t ImageBytes = 256;
constexpr uint8_t Guard = 0xA5;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory when the system offers it: rewriting a file on a disk file
    // system makes every run wait for the disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/fuzz_edid_image-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_edid_image-XXXXXX"));
    static const QString path = dir.filePath(QStringLiteral("fuzz.bin"));
    if (size < 2)
        return 0;

    // The image sits between two guard bytes that nothing may touch.
    uint8_t buffer[ImageBytes + 2];
    std::memset(buffer, Guard, sizeof buffer);
    uint8_t *image = buffer + 1;

    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    ReadEdidFile(path, image);
    const EdidCheck check = CheckEdid(image);
    if (check != EdidCheck::Valid && check != EdidCheck::NotEdid && check != EdidCheck::ChecksumFailed)
        std::abort();

    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const quint32 count = quint32(data[0]) * 2; // 0 to 510: beyond the image too
    if (EdidFromHexText(text, count, image) > ImageBytes)
        std::abort();
    if (buffer[0] != Guard || buffer[ImageBytes + 1] != Guard)
        std::abort();

    // The same bytes as a file already in memory, as kxrctl takes it.
    const QByteArray padded = EdidImageFromBytes(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (padded.size() != int(ImageBytes))
        std::abort();
    (void)EdidCheckMessage(CheckEdid(reinterpret_cast<const quint8 *>(padded.constData())));
    return 0;
}
