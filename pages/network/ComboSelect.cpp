#include "pages/network/ComboSelect.h"

#include <QComboBox>

void SelectIndexIfPresent(QComboBox *box, int index)
{
    if (index >= 0 && index < box->count())
        box->setCurrentIndex(index);
}

void SelectTextIfPresent(QComboBox *box, const QString &text)
{
    SelectIndexIfPresent(box, box->findText(text));
}

void FillBox(QComboBox *box, const char *const *items, size_t count)
{
    box->clear();
    for (size_t i = 0; i < count; ++i)
        box->addItem(QLatin1String(items[i]));
}

void FillBox(QComboBox *box, const QString *texts, size_t count)
{
    // Refilling keeps the selection, so a language switch changes only the
    // words.
    const int selected = box->currentIndex();
    box->clear();
    for (size_t i = 0; i < count; ++i)
        box->addItem(texts[i]);
    SelectIndexIfPresent(box, selected < 0 ? 0 : selected);
}
