#pragma once

#include "cli/ExitCode.h"

#include <QByteArray>
#include <QString>

class CliSession;

// edid read OUT -o FILE, edid write IN FILE.
ExitCode RunEdidRead(CliSession &session);
ExitCode RunEdidWrite(CliSession &session);

// The checks made before anything is sent: the file to write can be read
// and passes the EDID check (image: its 256 bytes); the file to save lies
// in a directory that exists. False with a message otherwise.
bool PrepareEdidWrite(const QString &path, QByteArray *image, QString *error);
bool PrepareEdidRead(const QString &path, QString *error);
