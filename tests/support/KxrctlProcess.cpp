#include "support/KxrctlProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>

QString KxrctlPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/kxrctl");
}

KxrctlResult ResultOf(QProcess &process, qint64 elapsedMs)
{
    KxrctlResult result;
    result.finished = process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = result.finished ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.elapsedMs = elapsedMs;
    return result;
}

KxrctlResult RunKxrctlProcess(const QStringList &arguments, int boundMs)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(KxrctlPath(), arguments);
    if (!process.waitForFinished(boundMs)) {
        process.kill();
        process.waitForFinished(boundMs);
    }
    return ResultOf(process, clock.elapsed());
}
