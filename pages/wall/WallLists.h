#pragma once

#include <QtGlobal>

// The fixed choices of the splicing grid's menu.
namespace WallLists {

struct AngleChoice
{
    const char *text;
    quint8 value; // what the device stores for a splice's screen angle
};

// Three, not four: the device does not turn a splice by 180 degrees.
constexpr AngleChoice ScreenAngles[] = {
    {"0", 0},
    {"90", 1},
    {"270", 2},
};
constexpr int ScreenAngleCount = int(sizeof ScreenAngles / sizeof ScreenAngles[0]);

} // namespace WallLists
