#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// Every picture is loaded and saved back before it is shown, so that a file
// written by another tool is stored in the program's own encoding. Only a
// file whose complete suffix is exactly "png" is touched ("LOGO.PNG" and
// "a.b.png" are left as they are); a missing or unreadable file is ignored.
void RewritePngInPlace(const QString &path);

// Rewrites the file as above and returns its picture, the image just saved
// (a file that is not rewritten is read as it is); a null pixmap when it is
// missing or unreadable. The file is decoded once, and past Qt's pixmap
// cache: QPixmap(path) keeps a copy under the file's date, which the rewrite
// renews before every use, so each logo, dialog and connection added a copy
// until the cache's 10 MB were full.
QPixmap RewrittenPicture(const QString &path);

// The same as RewrittenPicture for `path`, after RewritePngInPlace for each
// of `alsoRewritten`, done on the pictures' own thread so that the GUI thread
// never waits for the disk: `show` gets the picture later, on `receiver`'s
// thread, and not at all when the receiver is gone by then or the picture is
// null. Requests run one at a time in the order made, so the last one asked
// is the last one shown.
void ShowRewrittenPicture(const QString &path, const QStringList &alsoRewritten, QObject *receiver,
                          std::function<void(const QPixmap &)> show);
// Returns when every rewrite asked for so far is done (before the folder
// the pictures live in goes away).
void WaitForPictures();
