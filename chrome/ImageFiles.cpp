#include "chrome/ImageFiles.h"

#include <QFileInfo>
#include <QImage>

namespace {
constexpr char RewrittenSuffix[] = "png";
}

void RewritePngInPlace(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.completeSuffix() != QLatin1String(RewrittenSuffix))
        return;
    QImage image;
    if (!image.load(path))
        return;
    // No format given: the writer is chosen by the suffix of the path.
    image.save(path);
}

QPixmap PictureFromFile(const QString &path)
{
    const QImage image(path);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}
