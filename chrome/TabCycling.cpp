#include "chrome/TabCycling.h"

#include "chrome/TabOrder.h"

#include <QShortcut>
#include <QTabWidget>

int NextCycledTab(const QTabWidget *tabs, int step)
{
    const int count = tabs->count();
    const int current = tabs->currentIndex();
    for (int i = 1; i < count; ++i) {
        const int index = ((current + step * i) % count + count) % count;
        if (tabs->isTabEnabled(index) && tabs->isTabVisible(index))
            return index;
    }
    return current;
}

void InstallTabCycling(QTabWidget *tabs)
{
    const struct
    {
        QKeySequence keys;
        int step;
    } cycles[] = {{QKeySequence(Qt::CTRL + Qt::Key_Tab), 1},
                  {QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Backtab), -1},
                  {QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Tab), -1}};
    for (const auto &cycle : cycles) {
        auto *shortcut = new QShortcut(cycle.keys, tabs);
        shortcut->setContext(Qt::WindowShortcut);
        const int step = cycle.step;
        QObject::connect(shortcut, &QShortcut::activated, tabs,
                         [tabs, step] { tabs->setCurrentIndex(NextCycledTab(tabs, step)); });
    }
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [tabs](int index) {
        if (QWidget *page = tabs->widget(index))
            OrderTabsByPosition(page);
    });
}
