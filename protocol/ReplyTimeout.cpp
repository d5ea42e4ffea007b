#include "protocol/ReplyTimeout.h"

#include "app/ByteText.h"
#include "app/LanguageTable.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"
#include "protocol/SentCommandText.h"

namespace {

constexpr char LineBreak[] = "\r\n";
constexpr int MinHeaderBytes = 4;
constexpr quint8 MinEdidLength = 2;
constexpr int EdidDirectionOffset = Frame::DevicePayloadOffset + 1;
constexpr quint8 DirectionMask = Dir::ReadFlag | Dir::InputFlag;

bool IsIdentityQuery(const QByteArray &sent)
{
    const char query[] = {char(Frame::DeviceStart), char(Frame::DeviceStart), char(Cmd::DeviceType)};
    return sent.contains(QByteArray(query, sizeof query));
}

void EndEdidTransfer(const QByteArray &sent)
{
    DeviceState &device = Device();
    if (sent.size() < MinHeaderBytes) {
        device.edidReadBusy = 0;
        device.edidWriteBusy = 0;
        return;
    }
    if (quint8(sent.at(Frame::DeviceCommandOffset)) != Cmd::Edid)
        return;
    const quint8 length = quint8(sent.at(Frame::DeviceLengthOffset));
    if (length < MinEdidLength || sent.size() <= EdidDirectionOffset) {
        device.edidReadBusy = 0;
        device.edidWriteBusy = 0;
        return;
    }
    switch (quint8(sent.at(EdidDirectionOffset)) & DirectionMask) {
    case Dir::ReadFlag:
        device.edidReadBusy = 0;
        break;
    case Dir::InputFlag:
        device.edidWriteBusy = 0;
        break;
    default:
        break;
    }
}

} // namespace

ReplyTimeoutResult HandleReplyTimeout(const QByteArray &sent)
{
    ReplyTimeoutResult result;
    if (IsIdentityQuery(sent)) {
        result.identificationFailed = true;
        result.message = SMSG_ReadDeviceFail + QLatin1String(LineBreak) + BytesToHexText(sent);
        return result;
    }
    EndEdidTransfer(sent);
    // The operator reads what was lost first; the bytes follow for the
    // engineer.
    result.message = SMSG_NoAnswer.arg(SentCommandText(sent)) + QLatin1String(LineBreak) + SMSG_CommunicationFail
        + QLatin1String(LineBreak) + BytesToHexText(sent);
    return result;
}
