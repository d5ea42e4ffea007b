#pragma once

#include <QString>

// The text of kxrctl --help (empty topic) or of one command's --help.
QString CliHelpText(const QString &topic);
