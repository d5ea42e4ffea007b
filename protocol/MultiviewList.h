#pragma once

#include <QtGlobal>

class DeviceState;
struct MultiviewRecord;
struct OutputInfo;

// The list of multiview outputs the program keeps beside the device's
// output records: the first multiviewCount MultiviewRecords name the outputs
// that show a multiview, in the order they were reported. The signal
// configuration page keeps it current from the output replies; the
// multiview page reads it.
namespace MultiviewList {
constexpr quint32 FreeMark = 255;  // kind and output of a free record
constexpr quint32 KeptRecords = 4; // records reset and searched on a change
constexpr quint32 CountWrap = 5;   // the count runs 0 … 4
constexpr quint32 GroupSize = 4;   // outputs of one output-mode group
constexpr quint32 ModeBit = 0x02;  // bit of OutputInfo.pos3: the group is in multiview mode
constexpr quint32 DefaultWidth = 3840;
constexpr quint32 DefaultHeight = 2160;
constexpr quint32 UnitDivisor = 20; // the smallest window side is width / 20
constexpr quint8 DefaultCropSize = 100;
} // namespace MultiviewList

// Board kinds whose outputs can show a multiview (1, 4 and 9).
bool MultiviewCapableKind(quint32 kind);
// The output's group is in multiview mode.
bool InMultiviewMode(const OutputInfo &output);

// A free record: no output, a 3840 x 2160 canvas, windows stacked in slot
// order, nothing placed, the whole picture shown.
void ResetMultiviewRecord(MultiviewRecord &record);

// What reading every output again starts from: the first four records
// reset and no multiview output. True when the list was not empty.
bool ResetMultiviewList(DeviceState &device);

// Takes in what the device now says about output o (after its signal
// information or its output mode): a multiview-capable group leader in
// multiview mode joins the list or has its record's kind refreshed, one
// that left multiview mode is removed and the list closes up. True when the
// list changed (an output joined or left), so the multiview page must pick
// its selection again.
bool UpdateMultiviewList(DeviceState &device, quint32 output);
