#include "app/AppPaths.h"

#include <QCoreApplication>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

QString AppDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    return QCoreApplication::applicationDirPath();
}

QString AppPath(const QString &relative)
{
    return AppDir() + relative;
}

void SetAppDirOverride(const QString &dir)
{
    overrideDir() = dir;
}
