#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// Switching, routing reads, the LR input and the layout presets. Returns
// false when the code is not one of these.
bool HandleRoutingCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies);

// The routing report 0x11: one byte per output, the input that feeds it.
QByteArray SimRoutingReport(const SimDeviceModel &model);
