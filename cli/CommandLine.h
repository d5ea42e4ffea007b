#pragma once

#include "cli/CliRequest.h"

#include <QString>
#include <QStringList>

// The result of reading kxrctl's command line: a request, or a usage error
// with its message (exit status 2). Nothing here touches a file or a link.
struct CommandLine
{
    bool ok = false;
    CliRequest request;
    QString error;
};

// Where the link comes from when the command line names none, in this
// order: KXRCTL_TCP, KXRCTL_SERIAL, the window's last address. The caller
// reads them; the parser only chooses.
struct LinkDefaults
{
    quint16 tcpPort = 0; // the window's port, used when --tcp gives none
    QString envTcp;
    QString envSerial;
    QString windowHost; // empty: the window has no settings file
};

// arguments[0] is the program.
CommandLine ParseCommandLine(const QStringList &arguments, const LinkDefaults &defaults);
CommandLine ParseCommandLine(const QStringList &arguments, quint16 defaultTcpPort);
