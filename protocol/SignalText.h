#pragma once

#include <QString>
#include <QtGlobal>

// How a signal the device reports is written, for the window's pages and
// for kxrctl alike.
namespace SignalTypes {
constexpr int Count = 10;
// The names of the signal type codes, by code.
inline constexpr const char *Names[Count] = {"Fiber", "SDI", "HDBST", "DVI",      "CVBS",
                                             "YPbPr", "VGA", "HDMI",  "HDMI-1.4", "HDMI-2.2"};
} // namespace SignalTypes

// The name of a signal type code; codes past the list read as the number.
QString SignalTypeName(quint32 code);

// "1920x1080p60", or "1920x1080i50" for an interlaced timing; empty unless
// width, height and rate are all non-zero.
QString TimingText(quint32 width, quint32 height, bool interlaced, quint32 rate);
