#pragma once

class QComboBox;

// A row's combo box shows what the device last confirmed. These two keep
// that entry with the box, so that a choice which could not be sent (no
// link) is taken back without the model, which a closed link has emptied.

// Selects index (-1: nothing) and remembers it.
void ShowChoice(QComboBox *box, int index);
// Selects the remembered entry again.
void RestoreChoice(QComboBox *box);
