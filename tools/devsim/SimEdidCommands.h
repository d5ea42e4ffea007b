#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// EDID block transfers (the displays' EDIDs are read, the inputs' written)
// and the inputs' EDID mode. Returns false for other codes.
bool HandleEdidCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies);
