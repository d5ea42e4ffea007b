#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's only message boxes: modal, placed at the parent, with the
// message picture as icon.

// Caution: a question whose safe answer, "NO", is the default button.
enum class MessageKind { Information, Question, Caution };

// Shows the text with one "OK" button until the operator closes it.
void ShowMessage(QWidget *parent, const QString &text);

// Asks with the buttons "YES" and "NO"; true only when "YES" was clicked.
bool AskYesNo(QWidget *parent, const QString &text);

// The same, with "NO" as the default button (Enter answers NO), for a step
// that may leave displays without a picture.
bool AskYesNoDefaultNo(QWidget *parent, const QString &text);

// While a hook is set, every message goes to it instead of a box, and its
// result is the answer of AskYesNo (ignored for ShowMessage). Tests use it
// so that no modal box ever waits for a click. An empty function removes it.
using MessageHook = std::function<bool(MessageKind kind, const QString &text)>;
void SetMessageHook(MessageHook hook);
