#include "support/ComboChoice.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest>

namespace {
constexpr int PopupTimeoutMs = 2000;
}

bool ChooseComboEntry(QComboBox *box, int index)
{
    if (!box || !box->isEnabled() || index < 0 || index >= box->count())
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    if (!QTest::qWaitForWindowExposed(view->window(), PopupTimeoutMs))
        return false;
    // The open list takes the highlighted entry on Return; a mouse release
    // this soon after opening would be taken as the end of the opening click.
    view->setCurrentIndex(box->model()->index(index, box->modelColumn(), box->rootModelIndex()));
    QTest::keyClick(view, Qt::Key_Return);
    return !view->isVisible();
}
