#pragma once

#include <QStringList>

class QTextStream;

// The whole of kxrctl for one command line: reads it, runs the command and
// returns the exit status. The window's settings (beside the program) give
// the default TCP port and serial line settings; nothing is written.
int RunKxrctl(const QStringList &arguments, QTextStream &out, QTextStream &err);
