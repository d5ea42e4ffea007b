#pragma once

#include <QString>
#include <QtGlobal>

// The limits a window's numbers must keep before the page stores and sends
// them: inside the output, no side below the smallest window, and a crop
// inside the source picture.
struct WindowNumbers
{
    quint32 x = 0;
    quint32 y = 0;
    quint32 w = 0;
    quint32 h = 0;
    quint32 cropX = 0;
    quint32 cropY = 0;
    quint32 cropW = 0;
    quint32 cropH = 0;
};

// The checks in the order they are made; Passed when all hold.
enum class WindowCheck { Passed, XPlusWidth, MinWidth, YPlusHeight, MinHeight, CropHorizontal, CropVertical };

// The first check the numbers fail on an output of width x height whose
// smallest window side is unit (width / 20, for the height too).
WindowCheck CheckWindowNumbers(const WindowNumbers &numbers, quint32 width, quint32 height, quint32 unit);

// The message of a failed check, from the current language's texts.
QString WindowCheckMessage(WindowCheck check, quint32 width, quint32 height, quint32 unit);
