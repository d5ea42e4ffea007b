#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's file-name dialogs. A hook, while set, answers instead of the
// dialog, so that tests and screenshot drivers never wait on one.

enum class FileDialogKind { Open, Save };

// The chosen file name, or an empty text when the operator cancelled.
QString AskOpenFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter);
QString AskSaveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filter);

using FileDialogHook = std::function<QString(FileDialogKind kind, const QString &caption, const QString &directory,
                                             const QString &filter)>;
// An empty function removes the hook.
void SetFileDialogHook(FileDialogHook hook);
