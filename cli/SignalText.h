#pragma once

#include <QString>
#include <QtGlobal>

struct InputInfo;
struct OutputInfo;

// How kxrctl writes what the device model holds.

// "1920x1080p60" ("i" for an interlaced timing); empty when the width, the
// height or the rate is 0, as the window leaves the field empty.
QString TimingText(quint32 width, quint32 height, bool interlaced, quint32 rate);
// The timing an input receives and the one it passes on.
QString InputSignalText(const InputInfo &input);
QString InputOutgoingText(const InputInfo &input);
// The timing an output receives from its source.
QString OutputSignalText(const OutputInfo &output);

// "HDMI", or "type N" for a code without a name.
QString SignalTypeName(quint32 type);
// "Embedded" or "L/R", or "select N".
QString AudioSelectName(quint32 select);
QString OnOff(bool on);
