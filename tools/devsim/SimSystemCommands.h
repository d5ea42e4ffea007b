#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// Identity, names, front panel, firmware versions, device information, the
// module's AT command, the factory reset and the peripheral port. Returns
// false for other codes.
bool HandleSystemCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies);

// The device-type answer 0x95 that sizes the program's model.
QByteArray SimDeviceTypeReply(const SimDeviceModel &model);
