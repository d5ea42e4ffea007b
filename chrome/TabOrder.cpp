#include "chrome/TabOrder.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QVector>
#include <QWidget>

#include <algorithm>

namespace {

struct Placed
{
    QWidget *widget;
    QRect rect; // in root's coordinates
};

bool TakesTab(const QWidget *widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy() && !widget->isWindow();
}

// The editor inside a box belongs to the box.
bool InsideCombinedControl(const QWidget *widget, const QWidget *root)
{
    for (const QWidget *up = widget->parentWidget(); up && up != root; up = up->parentWidget()) {
        if (qobject_cast<const QComboBox *>(up) || qobject_cast<const QAbstractSpinBox *>(up))
            return true;
    }
    return false;
}

// Lines of controls, top to bottom: a control joins the line whose first
// control's height holds its vertical centre.
QVector<QVector<Placed>> Lines(QVector<Placed> placed)
{
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed &a, const Placed &b) { return a.rect.top() < b.rect.top(); });
    QVector<QVector<Placed>> lines;
    for (const Placed &p : qAsConst(placed)) {
        if (lines.isEmpty() || p.rect.center().y() > lines.last().first().rect.bottom())
            lines.append(QVector<Placed>());
        lines.last().append(p);
    }
    for (QVector<Placed> &line : lines)
        std::stable_sort(line.begin(), line.end(),
                         [](const Placed &a, const Placed &b) { return a.rect.left() < b.rect.left(); });
    return lines;
}

} // namespace

void OrderTabsByPosition(QWidget *root)
{
    if (!root)
        return;
    QVector<Placed> placed;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (!TakesTab(widget) || widget->window() != root->window() || InsideCombinedControl(widget, root))
            continue;
        placed.append({widget, QRect(widget->mapTo(root, QPoint(0, 0)), widget->size())});
    }
    QWidget *previous = nullptr;
    for (const QVector<Placed> &line : Lines(placed)) {
        for (const Placed &p : line) {
            if (previous)
                QWidget::setTabOrder(previous, p.widget);
            previous = p.widget;
        }
    }
}
