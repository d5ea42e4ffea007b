#pragma once

#include <QPixmap>
#include <QString>

// Every picture is loaded and saved back before it is shown, so that a file
// written by another tool is stored in the program's own encoding. Only a
// file whose complete suffix is exactly "png" is touched ("LOGO.PNG" and
// "a.b.png" are left as they are); a missing or unreadable file is ignored.
void RewritePngInPlace(const QString &path);

// The picture in a file, read from it each time; a null pixmap when it is
// missing or unreadable. QPixmap(path) would keep a copy in Qt's pixmap
// cache under the file's date, which RewritePngInPlace renews before every
// use: each logo, dialog and connection added a copy until the cache's
// 10 MB were full.
QPixmap PictureFromFile(const QString &path);
