#pragma once

#include "protocol/SignalText.h"

#include <QString>
#include <QtGlobal>

struct InputInfo;
struct OutputInfo;

// How kxrctl writes what the device model holds (signal type names and
// timings are the window's own, from the protocol layer).

// The timing an input receives and the one it passes on.
QString InputSignalText(const InputInfo &input);
QString InputOutgoingText(const InputInfo &input);
// The timing an output receives from its source.
QString OutputSignalText(const OutputInfo &output);

// "Embedded" or "L/R", or "select N".
QString AudioSelectName(quint32 select);
QString OnOff(bool on);
