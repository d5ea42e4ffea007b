#include "cli/InputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <sys/stat.h>

namespace {

// Why path is no file to read or write, or empty.
QString NotAFile(const QString &path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QString();
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("it is a directory");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("it is a device, not a file");
    return QString();
}

} // namespace

bool ReadInputFile(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error)
{
    QFile file;
    if (path == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read standard input");
            return false;
        }
    } else {
        const QFileInfo info(path);
        QString why = NotAFile(path);
        if (why.isEmpty() && !info.exists())
            why = QStringLiteral("no such file");
        if (why.isEmpty() && !info.isReadable())
            why = QStringLiteral("permission denied");
        file.setFileName(path);
        if (why.isEmpty() && !file.open(QIODevice::ReadOnly))
            why = file.errorString();
        if (!why.isEmpty()) {
            *error = QStringLiteral("cannot read \"%1\": %2").arg(path, why);
            return false;
        }
    }
    *bytes = file.read(maxBytes);
    return true;
}

bool CheckOutputFile(const QString &path, QString *error)
{
    if (path == QLatin1String("-"))
        return true;
    const QFileInfo info(path);
    QString why = NotAFile(path);
    if (why.isEmpty() && !info.absoluteDir().exists())
        why = QStringLiteral("no such directory");
    // A file nobody may write (as in /proc) is refused even for root.
    if (why.isEmpty() && info.exists()
        && (!info.isWritable() || !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther))))
        why = QStringLiteral("permission denied");
    if (why.isEmpty() && !QFileInfo(info.absolutePath()).isWritable())
        why = QStringLiteral("permission denied (its directory)");
    if (why.isEmpty())
        return true;
    *error = QStringLiteral("cannot write \"%1\": %2").arg(path, why);
    return false;
}
