#pragma once

#include "cli/ExitCode.h"

#include <QByteArray>
#include <QString>

class CliSession;

// edid show OUT|FILE [--json]: decodes an EDID read from an output's display
// (as edid read does) or from a file and prints what it says.
// edid check FILE: prints the decoder's errors and warnings; exit status 0
// for a valid EDID, 5 for an invalid one.
ExitCode RunEdidShow(CliSession &session);
ExitCode RunEdidCheck(CliSession &session);

// The bytes of an EDID file, at most the 256 blocks an EDID can have; false
// with a message when it cannot be read.
bool ReadEdidBytes(const QString &path, QByteArray *bytes, QString *error);

// True when the argument of edid show names an output (digits only); a
// file whose name is a number is given as ./NAME.
bool EdidShowNamesOutput(const QString &argument);
