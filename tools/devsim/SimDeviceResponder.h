#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// The device's answer to one complete request frame: changes the model and
// returns the frames to send back (none for the commands the program
// follows with a pause, and none for codes the device does not know).
SimReplies RespondToDeviceFrame(SimDeviceModel &model, const QByteArray &frame);
