#include "chrome/ScreenArea.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

QSize CappedScreenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QSize(CappedScreenWidth, CappedScreenHeight);
    const QRect geometry = screen->geometry();
    return QSize(std::min(geometry.width(), CappedScreenWidth), std::min(geometry.height(), CappedScreenHeight));
}

void CentreInCappedScreen(QWidget *window)
{
    if (!window)
        return;
    const QSize area = CappedScreenSize();
    window->move((area.width() - window->width()) / 2, (area.height() - window->height()) / 2);
}
