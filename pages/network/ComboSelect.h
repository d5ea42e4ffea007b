#pragma once

#include <QString>

#include <cstddef>

class QComboBox;

// Selection rules of the module boxes: a value from the block is applied
// only when the box has a matching entry; otherwise the box keeps its
// selection.
void SelectIndexIfPresent(QComboBox *box, int index);
void SelectTextIfPresent(QComboBox *box, const QString &text);

// Fills a box with fixed entries, or with language texts.
void FillBox(QComboBox *box, const char *const *items, size_t count);
void FillBox(QComboBox *box, const QString *texts, size_t count);

template<size_t N>
void FillBox(QComboBox *box, const char *const (&items)[N])
{
    FillBox(box, items, N);
}
