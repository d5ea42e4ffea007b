#pragma once

#include "tools/devsim/SimDeviceModel.h"
#include "tools/devsim/SimRequest.h"

// The network modules' answer to one request datagram: a search is answered
// by every module, the other requests only by the module whose MAC address
// leads the payload. Datagrams that are not well-formed module frames are
// ignored.
SimReplies RespondToModuleDatagram(SimDeviceModel &model, const QByteArray &datagram);
