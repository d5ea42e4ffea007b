#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// The multiview canvas of an output: its read and write, and the per-window
// acknowledgements of audio, layer, geometry and visibility. Returns false
// for other codes.
bool HandleMultiviewCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies);
