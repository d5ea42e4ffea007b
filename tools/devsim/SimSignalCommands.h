#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// Signal information, input pairing, audio select, signal type and format,
// and the feature switches of command 0x49. Returns false for other codes.
bool HandleSignalCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies);

// The signal information answer 0x7F of an input or an output.
QByteArray SimSignalInfo(const SimDeviceModel &model, int channel, bool input);
