#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// The advanced output settings: N+1 backup, no-signal mode, output mode,
// rotation, user resolution and test pattern. Returns false for other
// codes.
bool HandleOutputCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies);
