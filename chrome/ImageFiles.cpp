#include "chrome/ImageFiles.h"

#include <QFileInfo>
#include <QFutureWatcher>
#include <QImage>
#include <QThreadPool>
#include <QtConcurrent>

namespace {
constexpr char RewrittenSuffix[] = "png";

QImage LoadAndRewrite(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QImage();
    QImage image;
    if (!image.load(path))
        return QImage();
    // No format given: the writer is chosen by the suffix of the path.
    if (info.completeSuffix() == QLatin1String(RewrittenSuffix))
        image.save(path);
    return image;
}

// One thread: two rewrites of one file never overlap, and results come back
// in the order they were asked for.
QThreadPool &PictureThread()
{
    static QThreadPool pool;
    static const bool oneThread = (pool.setMaxThreadCount(1), true);
    Q_UNUSED(oneThread)
    return pool;
}
} // namespace

void RewritePngInPlace(const QString &path)
{
    if (QFileInfo(path).completeSuffix() == QLatin1String(RewrittenSuffix))
        LoadAndRewrite(path);
}

QPixmap RewrittenPicture(const QString &path)
{
    const QImage image = LoadAndRewrite(path);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

void WaitForPictures()
{
    PictureThread().waitForDone();
}

void ShowRewrittenPicture(const QString &path, const QStringList &alsoRewritten, QObject *receiver,
                          std::function<void(const QPixmap &)> show)
{
    auto *watcher = new QFutureWatcher<QImage>(receiver);
    QObject::connect(watcher, &QFutureWatcher<QImage>::finished, receiver, [watcher, show = std::move(show)] {
        const QImage image = watcher->result();
        watcher->deleteLater();
        if (!image.isNull())
            show(QPixmap::fromImage(image));
    });
    watcher->setFuture(QtConcurrent::run(&PictureThread(), [path, alsoRewritten] {
        for (const QString &other : alsoRewritten)
            RewritePngInPlace(other);
        return LoadAndRewrite(path);
    }));
}
