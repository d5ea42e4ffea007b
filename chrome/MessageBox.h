#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's only message boxes: modal, placed at the parent, with the
// message picture as icon.

// Information, Warning and Critical are shown with one "OK" button;
// Question and Destructive are asked with "YES" and "NO".
enum class MessageKind { Information, Question, Warning, Critical, Destructive };

// Shows the text with one "OK" button until the operator closes it. A
// warning or a fault carries the toolkit's warning or critical icon, so that
// it never looks like a plain notice.
void ShowMessage(QWidget *parent, const QString &text, MessageKind kind = MessageKind::Information);

// Asks with the buttons "YES" and "NO"; true only when "YES" was clicked.
bool AskYesNo(QWidget *parent, const QString &text);

// Asks before an action that overwrites or dissolves what the device holds
// (a factory reset, a write of settings, a routing of every output): "NO" is
// the default button, so Enter answers NO, and Escape or closing the box
// answer NO as well; only a click on (or Space over) "YES" goes ahead.
bool ConfirmDestructive(QWidget *parent, const QString &text);

// While a hook is set, every message goes to it instead of a box, and its
// result is the answer of AskYesNo (ignored for ShowMessage). Tests use it
// so that no modal box ever waits for a click. An empty function removes it.
using MessageHook = std::function<bool(MessageKind kind, const QString &text)>;
void SetMessageHook(MessageHook hook);
