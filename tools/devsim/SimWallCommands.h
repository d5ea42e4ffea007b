#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// The TV wall: its read, the whole-wall write and the per-screen writes
// (splice, bezel, angle, sync lock, MV input, panel resolutions). Only the
// read answers; the writes are followed by a pause on the program's side.
// Returns false for other codes.
bool HandleWallCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies);

// The TV wall answer 0x93.
QByteArray SimWallReport(const SimDeviceModel &model);
