#pragma once

#include <QString>
#include <QtGlobal>

// The device address of --tcp: HOST, HOST:PORT, [IPV6] or [IPV6]:PORT.
// HOST is a dotted IPv4 address or a host name.
struct HostPort
{
    QString host;
    quint16 port = 0;
};

// False with a message for a malformed address; a missing port takes
// defaultPort.
bool ParseHostPort(const QString &text, quint16 defaultPort, HostPort *result, QString *error);

// A decimal TCP or UDP port, 1 … 65535.
bool ParsePort(const QString &text, quint16 *port);
