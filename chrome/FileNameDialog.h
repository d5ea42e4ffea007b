#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's file-name dialogs. A hook, while set, answers instead of the
// dialog, so that tests and screenshot drivers never wait on one.

enum class FileDialogKind { Open, Save };

// The chosen file name, or an empty text when the operator cancelled.
QString AskOpenFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter);
// A name typed without a suffix gets the filter's first one ("out1" with
// "Bin File(*.bin)" is saved as out1.bin), so that the open dialog, which
// lists only that suffix, finds the file again.
QString AskSaveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter);
QString WithDefaultSuffix(const QString &name, const QString &filter);

using FileDialogHook = std::function<QString(FileDialogKind kind, const QString &caption, const QString &directory,
                                             const QString &filter)>;
// An empty function removes the hook.
void SetFileDialogHook(FileDialogHook hook);
