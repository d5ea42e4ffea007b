#include "cli/CliMain.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kxrctl"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunKxrctl(QCoreApplication::arguments(), out, err);
}
