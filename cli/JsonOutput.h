#pragma once

#include "cli/ExitCode.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// kxrctl's JSON: every object it prints carries the number of its shape, so
// that a script can tell a changed shape from a changed value. Shapes are
// listed in docs/cli.md; fields are only ever added within one number.
namespace CliJson {
constexpr int Schema = 1;
} // namespace CliJson

// The object with "schema" added, on one line, ending in a newline.
QByteArray JsonLine(QJsonObject object);
// {"error":{"status":N,"message":"…"}} as one line.
QByteArray ErrorJsonLine(ExitCode code, const QString &message);
