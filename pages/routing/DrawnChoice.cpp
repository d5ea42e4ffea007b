#include "pages/routing/DrawnChoice.h"

#include <QComboBox>
#include <QVariant>

namespace {
constexpr char DrawnIndex[] = "drawnIndex";
}

void ShowChoice(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    box->setProperty(DrawnIndex, box->currentIndex());
}

void RestoreChoice(QComboBox *box)
{
    const QVariant drawn = box->property(DrawnIndex);
    box->setCurrentIndex(drawn.isValid() ? drawn.toInt() : -1);
}
