#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

enum class SimLink { Tcp, Pty, Udp };
enum class SimDirection { In, Out };

// One frame that crossed a link, with the time since the simulator started.
struct SimTrafficEntry
{
    qint64 atNs = 0;
    SimLink link = SimLink::Tcp;
    SimDirection direction = SimDirection::In;
    QByteArray bytes;
    QString peer; // address:port, or the pty path
    QString note; // "muted", "dropped" or empty
};

// The log line of one frame: time of day, link, peer, direction, hex bytes.
QString SimTrafficLine(const SimTrafficEntry &entry);
QString SimLinkName(SimLink link);
