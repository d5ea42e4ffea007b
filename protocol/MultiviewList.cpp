#include "protocol/MultiviewList.h"

#include "protocol/DeviceState.h"

using namespace MultiviewList;

namespace {

constexpr quint32 CapableKinds[] = {1, 4, 9};

bool joinList(DeviceState &device, quint32 output, quint32 kind)
{
    const quint32 listed = qMin(device.multiviewCount, DeviceLimits::MultiviewRecords);
    for (quint32 r = 0; r < listed; ++r) {
        MultiviewRecord &record = device.multiviewAt(r);
        if (record.output == output) {
            record.kind = kind;
            return false;
        }
    }
    MultiviewRecord &record = device.multiviewAt(device.multiviewCount);
    record.kind = kind;
    record.output = output;
    device.multiviewCount = (device.multiviewCount + 1) % CountWrap;
    return true;
}

// Records 0-3 are parked in 4-7, reset, and the ones still in use come back
// to the front in their order.
void closeUp(DeviceState &device)
{
    for (quint32 r = 0; r < KeptRecords; ++r) {
        device.multiviewAt(r + KeptRecords) = device.multiviewAt(r);
        ResetMultiviewRecord(device.multiviewAt(r));
    }
    quint32 placed = 0;
    for (quint32 r = KeptRecords; r < DeviceLimits::MultiviewRecords && placed < device.multiviewCount; ++r) {
        const MultiviewRecord &parked = device.multiviewAt(r);
        if (parked.output != FreeMark)
            device.multiviewAt(placed++) = parked;
    }
}

bool leaveList(DeviceState &device, quint32 output)
{
    bool freed = false;
    for (quint32 r = 0; r < KeptRecords; ++r) {
        MultiviewRecord &record = device.multiviewAt(r);
        if (record.output != output)
            continue;
        record.kind = FreeMark;
        record.output = FreeMark;
        if (device.multiviewCount > 0)
            --device.multiviewCount;
        freed = true;
    }
    closeUp(device);
    return freed;
}

} // namespace

bool MultiviewCapableKind(quint32 kind)
{
    for (quint32 capable : CapableKinds)
        if (kind == capable)
            return true;
    return false;
}

bool InMultiviewMode(const OutputInfo &output)
{
    return (output.pos3 & ModeBit) != 0;
}

void ResetMultiviewRecord(MultiviewRecord &record)
{
    record.kind = FreeMark;
    record.output = FreeMark;
    record.width = DefaultWidth;
    record.height = DefaultHeight;
    record.unit = DefaultWidth / UnitDivisor;
    record.windowCount = 0;
    record.audioSource = 0;
    for (quint32 w = 0; w < DeviceLimits::MultiviewWindows; ++w) {
        MultiviewWindow &window = record.windowAt(w);
        window.slot = quint8(w);
        window.visible = 0;
        window.layer = quint8(w);
        window.x = window.y = window.w = window.h = 0;
        window.cropX = window.cropY = 0;
        window.cropW = window.cropH = DefaultCropSize;
    }
}

bool ResetMultiviewList(DeviceState &device)
{
    for (quint32 r = 0; r < KeptRecords; ++r)
        ResetMultiviewRecord(device.multiviewAt(r));
    const bool wasListed = device.multiviewCount != 0;
    device.multiviewCount = 0;
    return wasListed;
}

bool UpdateMultiviewList(DeviceState &device, quint32 output)
{
    const quint32 o = ClampChannel(output);
    const OutputInfo &info = device.outputAt(o);
    if (!MultiviewCapableKind(info.pos2) || o % GroupSize != 0)
        return false;
    if (InMultiviewMode(info))
        return joinList(device, o, info.pos2);
    return leaveList(device, o);
}
