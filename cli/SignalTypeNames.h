#pragma once

// Names of the signal types the device reports, by type code.
inline constexpr const char *SignalTypeNames[] = {
    "Fiber", "SDI", "HDBST", "DVI", "CVBS", "YPbPr", "VGA", "HDMI", "HDMI-1.4", "HDMI-2.2",
};
inline constexpr unsigned SignalTypeCount = sizeof SignalTypeNames / sizeof SignalTypeNames[0];
