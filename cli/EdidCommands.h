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

// Connects, identifies, and reads the 256-byte EDID of the display on an
// output (from 1) block by block; image holds it when this returns Ok.
ExitCode ReadOutputEdid(CliSession &session, quint32 output, QByteArray *image);
