#pragma once

#include <QSize>

class QWidget;

// Windows are sized and placed within the top-left 1920 by 1080 area of the
// primary screen, so a larger screen shows them as on a full-HD one.
constexpr int CappedScreenWidth = 1920;
constexpr int CappedScreenHeight = 1080;

// min(screen width, 1920) by min(screen height, 1080) of the primary screen
// (1920 by 1080 when there is no screen at all).
QSize CappedScreenSize();

// Moves a window to the centre of the capped area.
void CentreInCappedScreen(QWidget *window);
