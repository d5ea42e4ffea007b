#pragma once

#include <QString>

// Every picture is loaded and saved back before it is shown, so that a file
// written by another tool is stored in the program's own encoding. Only a
// file whose complete suffix is exactly "png" is touched ("LOGO.PNG" and
// "a.b.png" are left as they are); a missing or unreadable file is ignored.
void RewritePngInPlace(const QString &path);
