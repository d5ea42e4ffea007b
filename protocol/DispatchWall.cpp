// TV wall and multiview replies.
#include "app/LanguageTable.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/DispatchFrame.h"
#include "protocol/DispatchHandlers.h"

namespace {

constexpr quint32 WallHeaderBytes = 4;
constexpr quint32 WallItemBytes = 8;
constexpr quint8 SplicedBit = 0x01;
constexpr quint8 SyncLockBit = 0x02;
constexpr quint8 SingleExitBit = 0x04;
constexpr int AngleShift = 3;
constexpr quint8 AngleMask = 0x03;

constexpr quint32 MvSizeBytes = 6;   // output, direction, width, height
constexpr quint32 MvHeaderBytes = 8; // ... window count, audio source
constexpr quint32 MvWindowBytes = 15;
constexpr quint32 MvMinSide = 100;
constexpr quint32 MvAckHeaderBytes = 4; // output, direction, window count, window
constexpr quint32 MvMaxWindowCount = DeviceLimits::MultiviewWindows;
constexpr quint32 MvGeometryLength = 12;
constexpr quint32 MvCropLength = 8;
constexpr quint32 MvValueLength = 5;
constexpr quint32 MvAudioLength = 3;
constexpr int NotFound = -1;

// The record whose output the reply names, among the multiviews in use.
int FindMultiview(quint32 output)
{
    const DeviceState &device = Device();
    const quint32 used = qMin(device.multiviewCount, DeviceLimits::MultiviewRecords);
    for (quint32 m = 0; m < used; ++m)
        if (device.multiviewAt(m).output == output)
            return int(m);
    return NotFound;
}

void StoreWindow(MultiviewWindow &window, const DispatchFrame &f, quint32 at)
{
    window.slot = f.p(at);
    window.visible = f.p(at + 1);
    window.layer = f.p(at + 2);
    window.x = f.pair(at + 3);
    window.y = f.pair(at + 5);
    window.w = f.pair(at + 7);
    window.h = f.pair(at + 9);
    window.cropX = f.p(at + 11);
    window.cropY = f.p(at + 12);
    window.cropW = f.p(at + 13);
    window.cropH = f.p(at + 14);
}

template<typename T, typename V>
bool Assign(T &field, V value)
{
    if (field == T(value))
        return false;
    field = T(value);
    return true;
}

} // namespace

namespace Dispatch {

void TvWall(const DispatchFrame &f)
{
    const quint32 length = f.length();
    if (length <= WallHeaderBytes || (length - WallHeaderBytes) % WallItemBytes != 0)
        return;
    const quint32 items = (length - WallHeaderBytes) / WallItemBytes;
    if (f.p(0) != items || quint32(f.p(1)) * f.p(2) != items)
        return;
    // The model holds 16 screens; a larger wall would fold onto the last.
    if (items > DeviceLimits::Channels)
        return;

    DeviceState &device = Device();
    TvWallState &wall = device.tvWall;
    for (quint32 i = 0; i < DeviceLimits::Channels; ++i)
        wall.entryAt(i).clearGeometryAndSplice();
    wall.cellCount = f.p(0);
    wall.rows = f.p(1);
    wall.cols = f.p(2);
    wall.mvInputEnable = device.mvFeature ? f.p(3) : 0;
    for (quint32 k = 0; k < items; ++k) {
        const quint32 at = WallHeaderBytes + k * WallItemBytes;
        const quint8 flags = f.p(at);
        const quint32 output = f.p(at + 2);
        wall.entryAt(k).cellOutput = output;
        TvWallEntry &entry = wall.entryAt(output);
        entry.spliced = (flags & SplicedBit) ? 1 : 0;
        entry.syncLock = (flags & SyncLockBit) ? 1 : 0;
        entry.singleExit = (flags & SingleExitBit) ? 1 : 0;
        entry.screenAngle = (flags >> AngleShift) & AngleMask;
        entry.spliceOrigin = f.p(at + 1);
        entry.bezelLeft = f.p(at + 3);
        entry.bezelRight = f.p(at + 4);
        entry.bezelUp = f.p(at + 5);
        entry.bezelBottom = f.p(at + 6);
        entry.input = f.p(at + 7);
    }
    emit Events().SGL_UpdateContent_TvWall(wall.rows, wall.cols);
    StatusItem(Ui_TV_Wall_AppName);
}

void Multiview(const DispatchFrame &f)
{
    if (!f.has(MvSizeBytes) || !(f.p(1) & Dir::ReadFlag))
        return;
    const int m = FindMultiview(f.p(0));
    if (m == NotFound)
        return;
    const quint32 width = f.pair(2);
    const quint32 height = f.pair(4);
    const bool full = width >= MvMinSide && height >= MvMinSide;
    quint32 windows = 0;
    if (full) {
        if (!f.has(MvHeaderBytes))
            return;
        windows = qMin<quint32>(f.p(6), MvMaxWindowCount);
        if (!f.has(MvHeaderBytes + windows * MvWindowBytes))
            return;
    }

    MultiviewRecord &record = Device().multiviewAt(quint32(m));
    record.width = width;
    record.height = height;
    if (full) {
        record.windowCount = quint8(windows);
        record.audioSource = f.p(7);
        for (quint32 w = 0; w < windows; ++w)
            StoreWindow(record.windowAt(w), f, MvHeaderBytes + w * MvWindowBytes);
    }
    emit Events().SGL_RefreshMultiview(quint32(m));
    StatusItem(Ui_Multiview_AppName);
}

void MultiviewWindowAck(const DispatchFrame &f)
{
    if (!f.has(MvAckHeaderBytes))
        return;
    const int m = FindMultiview(f.p(0));
    if (m == NotFound)
        return;
    MultiviewRecord &record = Device().multiviewAt(quint32(m));
    if (f.p(2) > MvMaxWindowCount || f.p(3) >= record.windowCount)
        return;
    MultiviewWindow &window = record.windowAt(f.p(3));
    bool changed = false;
    switch (f.code()) {
    case Cmd::MvGeometry:
        if (!f.has(MvGeometryLength))
            return;
        changed = Assign(window.x, f.pair(4));
        changed = Assign(window.y, f.pair(6)) || changed;
        changed = Assign(window.w, f.pair(8)) || changed;
        changed = Assign(window.h, f.pair(10)) || changed;
        break;
    case Cmd::MvCrop:
        if (!f.has(MvCropLength))
            return;
        changed = Assign(window.cropX, f.p(4));
        changed = Assign(window.cropY, f.p(5)) || changed;
        changed = Assign(window.cropW, f.p(6)) || changed;
        changed = Assign(window.cropH, f.p(7)) || changed;
        break;
    case Cmd::MvLayer:
        if (!f.has(MvValueLength))
            return;
        changed = Assign(window.layer, f.p(4));
        break;
    case Cmd::MvStatus:
        if (!f.has(MvValueLength))
            return;
        changed = Assign(window.visible, f.p(4));
        break;
    default:
        return;
    }
    if (changed)
        emit Events().SGL_RefreshMultiviewWindow(quint32(m), f.p(3), f.code());
}

void MultiviewAudio(const DispatchFrame &f)
{
    if (!f.has(MvAudioLength))
        return;
    const int m = FindMultiview(f.p(0));
    if (m == NotFound)
        return;
    // The answer to the program's own choice repeats it; only a different
    // source is news.
    if (Assign(Device().multiviewAt(quint32(m)).audioSource, f.p(2)))
        emit Events().SGL_RefreshMultiview(quint32(m));
}

} // namespace Dispatch
