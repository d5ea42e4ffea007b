#pragma once

class QComboBox;

// Chooses entry index of a combo box the way an operator does: the list is
// opened and the entry clicked, so the box emits activated(). False when the
// box is disabled, the index is not in the list or the list did not open.
bool ChooseComboEntry(QComboBox *box, int index);
