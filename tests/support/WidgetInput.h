#pragma once

#include <QString>

class QComboBox;
class QLineEdit;

// Operator input on real widgets.

// Moves a combo box to the entry with the arrow keys and picks it with
// Enter, so that activated() fires as after a choice from its list.
void ChooseEntry(QComboBox *box, int index);

// Replaces a line edit's text by typing it (texts beyond ASCII, which the
// test keyboard lacks, are pasted).
void TypeText(QLineEdit *edit, const QString &text);
