#pragma once

#include <QByteArray>

// Decodes one device frame (serial or TCP) into the device model and tells
// the pages through Events(). Frames that are not valid device frames,
// that are shorter than their handler needs or that fail a handler's check
// are ignored without a message. GUI thread only.
void DispatchDeviceReply(const QByteArray &frame);

// Decodes one datagram of the network module, told apart by its length:
// 36 bytes a search answer, 130 bytes the configuration block, 4 bytes an
// acknowledgement. Anything else is ignored.
void HandleModuleReply(const QByteArray &datagram);
