// Block-by-block EDID transfer: each acknowledged block queues the next
// one until the block at 0xF0.
#include "app/ByteText.h"
#include "app/LanguageTable.h"
#include "protocol/Catalogue.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/DispatchFrame.h"
#include "protocol/DispatchHandlers.h"

#include <cstring>

namespace {

constexpr quint32 EdidHeaderBytes = 3; // port, direction, block offset
constexpr quint8 DirectionMask = Dir::ReadFlag | Dir::InputFlag;
constexpr quint8 WriteAck = Dir::InputFlag;
constexpr quint8 ReadReply = Dir::ReadFlag;
constexpr quint32 LastBlock = DeviceLimits::EdidBytes - DeviceLimits::EdidBlock;

bool OnBlockBoundary(quint32 offset)
{
    return offset % DeviceLimits::EdidBlock == 0;
}

void WriteAcknowledged(const DispatchFrame &f)
{
    DeviceState &device = Device();
    if (!device.edidWriteBusy)
        return;
    const quint32 offset = f.p(2);
    if (!OnBlockBoundary(offset)) {
        device.edidWriteBusy = 0;
        return;
    }
    if (offset == LastBlock) {
        device.edidWriteBusy = 0;
        emit Events().SGL_Update_EdidMessage(SMSG_EdidWriteOk);
        return;
    }
    device.edidWriteOffset = quint8(offset + DeviceLimits::EdidBlock);
    // A block that cannot be queued (link gone, port no longer valid) ends
    // the transfer, so that the dialog may start another one.
    if (!CMD_EdidWrite(f.p(0), device.edidWriteBuffer)) {
        device.edidWriteBusy = 0;
        return;
    }
    emit Events().SGL_SendRequest();
}

void ReadReceived(const DispatchFrame &f)
{
    DeviceState &device = Device();
    if (!device.edidReadBusy)
        return;
    const quint32 offset = f.p(2);
    if (!OnBlockBoundary(offset)) {
        device.edidReadBusy = 0;
        return;
    }
    device.edidReadBusy = offset != LastBlock ? 1 : 0;

    const QByteArray data = f.bytes(EdidHeaderBytes, f.length() - EdidHeaderBytes);
    const quint32 stored = qMin<quint32>(quint32(data.size()), DeviceLimits::EdidBytes - offset);
    std::memcpy(device.edidReadBuffer + offset, data.constData(), stored);
    const quint32 count = offset + stored;
    const QByteArray shown(reinterpret_cast<const char *>(device.edidReadBuffer), int(count));
    emit Events().SGL_Update_OutEdid(f.p(0), BytesToHexText(shown), count);

    if (offset == LastBlock)
        return;
    device.edidReadOffset = quint8(offset + DeviceLimits::EdidBlock);
    if (!CMD_EdidRead(f.p(0))) {
        device.edidReadBusy = 0;
        return;
    }
    emit Events().SGL_SendRequest();
}

} // namespace

namespace Dispatch {

void Edid(const DispatchFrame &f)
{
    if (!f.has(EdidHeaderBytes))
        return;
    switch (f.p(1) & DirectionMask) {
    case WriteAck:
        WriteAcknowledged(f);
        break;
    case ReadReply:
        ReadReceived(f);
        break;
    default:
        break;
    }
}

} // namespace Dispatch
