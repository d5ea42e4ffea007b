#pragma once

#ifdef KXR_HAVE_SIMULATOR

#include "tools/devsim/SimDeviceModel.h"

#include <QStringList>

// What the program's device model says differently from the simulated
// device after a full read: counts, routing, the audio switch, every input's
// and output's signal record, the pairing flags and the TV wall. One line per
// field that differs ("output 3 format: program 10, device 12"), so a test
// shows every difference at once; empty when they agree.
QStringList DeviceStateDifferences(const SimDeviceModel &sim);

#endif
