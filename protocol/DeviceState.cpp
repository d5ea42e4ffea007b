#include "protocol/DeviceState.h"

#include <cstring>
#include <type_traits>

// Snapshots of the model are taken by plain copies (tests, reset), so it must
// stay a block of plain values.
static_assert(std::is_trivially_copyable<DeviceState>::value, "DeviceState must stay plain data");

namespace {

template<typename T>
void ZeroFill(T &value)
{
    std::memset(static_cast<void *>(&value), 0, sizeof value);
}

} // namespace

quint32 ClampChannel(quint32 i)
{
    return i < DeviceLimits::Channels ? i : DeviceLimits::Channels - 1;
}

quint32 ClampMultiview(quint32 i)
{
    return i < DeviceLimits::MultiviewRecords ? i : DeviceLimits::MultiviewRecords - 1;
}

quint32 ClampWindow(quint32 w)
{
    return w < DeviceLimits::MultiviewWindows ? w : DeviceLimits::MultiviewWindows - 1;
}

MultiviewWindow &MultiviewRecord::windowAt(quint32 w)
{
    return m_windows[ClampWindow(w)];
}

const MultiviewWindow &MultiviewRecord::windowAt(quint32 w) const
{
    return m_windows[ClampWindow(w)];
}

void TvWallEntry::clearGeometryAndSplice()
{
    cellX = cellY = cellWidth = cellHeight = 0;
    spliced = singleExit = 0;
    ZeroFill(singleExitFrame);
    bezelLeft = bezelRight = bezelUp = bezelBottom = 0;
    ZeroFill(spliceFrame);
    spliceOrigin = 0;
    spliceRow = spliceColumn = 0;
    spliceRows = spliceColumns = 0;
    syncLock = 0;
    screenAngle = 0;
}

TvWallEntry &TvWallState::entryAt(quint32 i)
{
    return m_entries[ClampChannel(i)];
}

const TvWallEntry &TvWallState::entryAt(quint32 i) const
{
    return m_entries[ClampChannel(i)];
}

DeviceState::DeviceState()
{
    ZeroFill(*this);
    mvFeature = 1;
}

InputInfo &DeviceState::inputAt(quint32 i)
{
    return m_input[ClampChannel(i)];
}

const InputInfo &DeviceState::inputAt(quint32 i) const
{
    return m_input[ClampChannel(i)];
}

OutputInfo &DeviceState::outputAt(quint32 i)
{
    return m_output[ClampChannel(i)];
}

const OutputInfo &DeviceState::outputAt(quint32 i) const
{
    return m_output[ClampChannel(i)];
}

quint32 &DeviceState::routingAt(quint32 i)
{
    return m_routing[ClampChannel(i)];
}

quint32 DeviceState::routingAt(quint32 i) const
{
    return m_routing[ClampChannel(i)];
}

TvWallEntry &DeviceState::wallEntry(quint32 i)
{
    return tvWall.entryAt(i);
}

const TvWallEntry &DeviceState::wallEntry(quint32 i) const
{
    return tvWall.entryAt(i);
}

MultiviewRecord &DeviceState::multiviewAt(quint32 i)
{
    return m_multiview[ClampMultiview(i)];
}

const MultiviewRecord &DeviceState::multiviewAt(quint32 i) const
{
    return m_multiview[ClampMultiview(i)];
}

DeviceState &Device()
{
    static DeviceState device;
    return device;
}

void ResetDeviceState()
{
    DeviceState &device = Device();
    DeviceState kept;
    std::memcpy(static_cast<void *>(&kept), &device, sizeof device);

    ZeroFill(device);
    device.mvFeature = kept.mvFeature;
    std::memcpy(device.edidReadBuffer, kept.edidReadBuffer, sizeof device.edidReadBuffer);
    std::memcpy(device.edidWriteBuffer, kept.edidWriteBuffer, sizeof device.edidWriteBuffer);
    device.edidReadOffset = kept.edidReadOffset;
    device.edidWriteOffset = kept.edidWriteOffset;
    device.edidReadBusy = kept.edidReadBusy;
    device.edidWriteBusy = kept.edidWriteBusy;
    std::memcpy(static_cast<void *>(&device.multiPanel), &kept.multiPanel, sizeof device.multiPanel);
    device.multiPanelFeature = kept.multiPanelFeature;
    std::memcpy(device.moduleSearchRecord, kept.moduleSearchRecord, sizeof device.moduleSearchRecord);
    std::memcpy(device.moduleConfigRecord, kept.moduleConfigRecord, sizeof device.moduleConfigRecord);
    std::memcpy(device.moduleMac, kept.moduleMac, sizeof device.moduleMac);
}

void ClearDeviceStateForTests()
{
    ZeroFill(Device());
    Device().mvFeature = 1;
}
