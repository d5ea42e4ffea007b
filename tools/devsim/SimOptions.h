#pragma once

#include "tools/devsim/SimDeviceModel.h"

#include <QList>
#include <QString>
#include <QStringList>

// Faults the simulator can play, each decided by a seeded generator so that
// a run can be repeated.
struct SimFaultOptions
{
    double drop = 0.0;        // fraction of replies never sent
    double corrupt = 0.0;     // fraction of replies with a wrong checksum
    double garbage = 0.0;     // fraction of stream replies preceded by noise
    bool split = false;       // stream replies written one byte at a time
    bool splitRandom = false; // stream replies written in pieces of random sizes
    int delayMs = 0;          // every reply held back this long
    double late = 0.0;        // fraction of replies held back a further lateMs
    int lateMs = 0;
    int disconnectAfter = 0;     // a TCP client is dropped after this many frames (0: never)
    int unsolicitedMs = 0;       // routing reports sent unasked at this interval (0: never)
    QList<quint8> mutedCodes;    // device command codes never answered
    QList<quint8> mutedNetCodes; // network-module command codes never answered
    bool lockedRouting = false;  // switches change nothing; they are answered with the unchanged table
    quint32 seed = 1;
};

struct SimOptions
{
    SimModelOptions model;
    SimFaultOptions faults;
    bool tcp = true;
    quint16 tcpPort = 5000; // 0: any free port
    bool pty = true;
    bool udp = true;
    quint16 udpPort = 1901; // 0: any free port
    bool udpAny = false;    // listen on every address instead of 127.0.0.1
    QString udpDevice;      // hear only what arrives through this interface (empty: all)
    bool log = true;        // every frame in and out on standard output
    QString programDir;     // where the program is installed: its settings are pointed here
};

enum class SimParse { Run, Help, Error };

// Reads the command line (arguments[0] is the program). On Help, text holds
// the help; on Error, the message.
SimParse ParseSimOptions(const QStringList &arguments, SimOptions &options, QString &text);
