// Feeds arbitrary bytes to the reply dispatcher, the network-module reply
// handler and the reply-timeout handling: as they come, and wrapped into a
// well-formed device frame with a code the dispatcher handles, so that every
// handler runs on payloads of every length. The sanitizers report any read
// or write outside the frame or the model.
#include "protocol/CatalogueCodes.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"
#include "protocol/ReplyDispatcher.h"
#include "protocol/ReplyTimeout.h"

#include <QByteArray>
#include <QMutexLocker>

#include <cstdint>

namespace {

constexpr quint8 HandledCodes[] = {
    Cmd::RoutingReply,     Cmd::Peripheral, Cmd::FrontPanelText, Cmd::InputBind,  Cmd::NameSerial,
    Cmd::FeatureSwitch,    Cmd::SignalInfo, Cmd::TvWall,         Cmd::DeviceType, Cmd::FirmwareVersion,
    Cmd::DeviceInfo,       Cmd::ModuleAt,   Cmd::Multiview,      Cmd::MvGeometry, Cmd::MvCrop,
    Cmd::MvLayer,          Cmd::MvStatus,   Cmd::OutputMode,     Cmd::MvAudio,    Cmd::AllOutputModes,
    Cmd::OutputResolution, Cmd::SignalType, Cmd::SignalFormat,   Cmd::Edid,       Cmd::Rotate,
    Cmd::InputEdidMode,    Cmd::LRInput,    Cmd::Error,
};
constexpr size_t HandledCount = sizeof HandledCodes / sizeof HandledCodes[0];
constexpr unsigned RunsPerModel = 64;
constexpr int ModuleLengths[] = {4, 36, 130};
constexpr int MaxPayload = 255;

QByteArray Wrap(quint8 code, const uint8_t *data, size_t size)
{
    const int n = int(size < size_t(MaxPayload) ? size : size_t(MaxPayload));
    QByteArray frame;
    frame.append(char(Frame::DeviceStart)).append(char(Frame::DeviceStart)).append(char(code)).append(char(n));
    frame.append(reinterpret_cast<const char *>(data), n);
    quint32 sum = Frame::DeviceEnd + Frame::DeviceEnd;
    for (char c : frame)
        sum += quint8(c);
    frame.append(char(sum)).append(char(Frame::DeviceEnd)).append(char(Frame::DeviceEnd));
    return frame;
}

// Model values that open the deeper paths: known multiviews, a running
// EDID transfer and multi-panel job, device sizes.
void Prime(uint8_t flags)
{
    DeviceState &d = Device();
    d.inputCount = d.outputCount = (flags & 0x01) ? 16 : 4;
    d.multiviewCount = (flags & 0x02) ? 8 : 1;
    for (quint32 m = 0; m < DeviceLimits::MultiviewRecords; ++m) {
        d.multiviewAt(m).output = m;
        d.multiviewAt(m).windowCount = quint8(m % 5);
    }
    if (flags & 0x04)
        d.edidReadBusy = 1;
    if (flags & 0x08)
        d.edidWriteBusy = 1;
    if (flags & 0x10) {
        d.multiPanel.busy = 1;
        d.multiPanel.count = quint8(flags >> 5);
        for (quint8 k = 0; k < DeviceLimits::Channels; ++k)
            d.multiPanel.outputs[k] = k;
    }
    if (flags & 0x20)
        d.identified = 0;
    d.stopSync = (flags & 0x40) ? 1 : 0;
}

void DropQueuedCommands()
{
    QMutexLocker lock(&TcpChannel.sendMutex);
    if (TcpChannel.sendQueue)
        TcpChannel.sendQueue->clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static unsigned runs = 0;
    static const bool opened = [] {
        ActiveTransport = TransportTcp;
        return ChannelOpen(TcpChannel);
    }();
    (void)opened;
    if (++runs % RunsPerModel == 0)
        ClearDeviceStateForTests();
    if (size < 2)
        return 0;

    Prime(data[0]);
    const QByteArray raw(reinterpret_cast<const char *>(data), int(size));
    DispatchDeviceReply(raw);

    const quint8 code = HandledCodes[data[1] % HandledCount];
    const QByteArray wrapped = Wrap(code, data + 2, size - 2);
    DispatchDeviceReply(wrapped);
    // The same frame cut anywhere, and with a length byte that claims more.
    DispatchDeviceReply(wrapped.left(int(data[0]) % wrapped.size()));
    QByteArray lying = wrapped;
    lying[int(Frame::DeviceLengthOffset)] = char(quint8(lying.at(int(Frame::DeviceLengthOffset))) + 1 + data[1] % 4);
    DispatchDeviceReply(lying);

    HandleModuleReply(raw);
    for (int length : ModuleLengths)
        HandleModuleReply(raw.left(length).leftJustified(length, '\0'));

    HandleReplyTimeout(raw);
    HandleReplyTimeout(wrapped);

    DropQueuedCommands();
    return 0;
}
