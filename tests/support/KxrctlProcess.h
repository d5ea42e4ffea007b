#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// kxrctl run as a real process, as a script runs it: arguments in, exit
// status, standard output and standard error out. The program is the one
// built beside the test executables.
struct KxrctlResult
{
    bool finished = false; // false: killed when the bound ran out
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    qint64 elapsedMs = 0; // start of the process to its exit
};

QString KxrctlPath();

// Runs kxrctl and waits for its end, at most boundMs.
KxrctlResult RunKxrctlProcess(const QStringList &arguments, int boundMs = 30000);

// Reads what a finished process left behind.
KxrctlResult ResultOf(QProcess &process, qint64 elapsedMs);
