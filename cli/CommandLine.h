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

// arguments[0] is the program. defaultTcpPort is the port of the window's
// settings, used when --tcp gives none.
CommandLine ParseCommandLine(const QStringList &arguments, quint16 defaultTcpPort);
