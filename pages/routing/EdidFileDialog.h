#pragma once

#include <QString>

#include <functional>

class QWidget;

// The file dialogs of the EDID dialog: binary files ("Bin File(*.bin)")
// offered in the program's "/UserDefaultEDID/" folder. An empty result
// means the operator cancelled.
enum class EdidFileAction { Open, Save };

QString AskEdidFile(QWidget *parent, EdidFileAction action);

// While a hook is set it answers instead of a dialog (tests); an empty
// function removes it.
using EdidFileHook = std::function<QString(EdidFileAction action)>;
void SetEdidFileHook(EdidFileHook hook);
