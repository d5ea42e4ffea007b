#pragma once

#include <QByteArray>
#include <QString>

// The files kxrctl reads and writes, checked before anything is sent: a
// directory or a device named as a file is refused with the reason, as is a
// file it may not read or write. "-" is standard input or output.

// Reads at most maxBytes of path.
bool ReadInputFile(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error);
// Whether path can take the output (it is written later, whole).
bool CheckOutputFile(const QString &path, QString *error);
