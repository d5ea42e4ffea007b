// Feeds arbitrary device frames to kxrctl's monitor: the reply dispatcher
// writes the model and the frame describer puts into words what it changed
// (it reads the routing bytes of the frame itself). The first byte is the
// frame's command code, the rest its payload; the bytes are also given as
// they come. The sanitizers report any read outside the frame or the model.
#include "cli/FrameDescriber.h"
#include "protocol/DeviceState.h"
#include "protocol/Frames.h"
#include "protocol/ReplyDispatcher.h"

#include <QByteArray>

#include <cstdint>

namespace {
constexpr int MaxPayload = 255;
constexpr unsigned RunsPerModel = 64;

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

void Describe(FrameDescriber &describer, const QByteArray &frame)
{
    describer.begin();
    DispatchDeviceReply(frame);
    (void)describer.finish(frame);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FrameDescriber describer;
    static unsigned runs = 0;
    if (++runs % RunsPerModel == 0)
        ClearDeviceStateForTests();
    if (size < 1)
        return 0;
    Describe(describer, QByteArray(reinterpret_cast<const char *>(data), int(size)));
    const QByteArray wrapped = Wrap(data[0], data + 1, size - 1);
    Describe(describer, wrapped);
    Describe(describer, wrapped.left(int(size % size_t(wrapped.size()))));
    return 0;
}
