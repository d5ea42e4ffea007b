#include "tools/devsim/SimMultiviewCommands.h"

#include "tools/devsim/SimCodes.h"

namespace {

// Window requests: output 00 windowCount window values...
constexpr int CountByte = 2;
constexpr int WindowByte = 3;
constexpr int ValueByte = 4;
constexpr int AudioByte = 2;
// The canvas write: visible, layer, x, y, w, h, then the four crop values.
constexpr int WriteVisible = 4;
constexpr int WriteLayer = 5;
constexpr int WriteGeometry = 6;
constexpr int WriteCrop = 14;
constexpr int PairBytes = 2;

void putWindow(QByteArray &payload, const SimWindow &window)
{
    payload.append(char(window.slot));
    payload.append(char(window.visible));
    payload.append(char(window.layer));
    AppendPair(payload, window.x);
    AppendPair(payload, window.y);
    AppendPair(payload, window.w);
    AppendPair(payload, window.h);
    payload.append(char(window.cropX));
    payload.append(char(window.cropY));
    payload.append(char(window.cropW));
    payload.append(char(window.cropH));
}

QByteArray canvasReport(const SimDeviceModel &model, int output)
{
    const SimMultiview &view = model.multiview[qBound(0, output, SimLimits::Channels - 1)];
    QByteArray payload;
    payload.append(char(output));
    payload.append(char(SimDir::Read));
    AppendPair(payload, view.width);
    AppendPair(payload, view.height);
    payload.append(char(view.windowCount));
    payload.append(char(view.audioSource));
    for (int w = 0; w < SimLimits::Windows; ++w)
        putWindow(payload, view.windows[w]);
    return SimDeviceFrame(SimCode::Multiview, payload);
}

void readGeometry(SimWindow &window, const SimRequest &request, int at)
{
    window.x = request.pair(at);
    window.y = request.pair(at + PairBytes);
    window.w = request.pair(at + 2 * PairBytes);
    window.h = request.pair(at + 3 * PairBytes);
}

// Applies a request to the window it names; false when it names none.
bool applyToWindow(SimDeviceModel &model, const SimRequest &request)
{
    const int output = request.p(0);
    const int w = request.p(WindowByte);
    if (!model.validOutput(output) || w >= SimLimits::Windows)
        return false;
    SimMultiview &view = model.multiview[output];
    SimWindow &window = view.windows[w];
    switch (request.code) {
    case SimCode::Multiview:
        view.windowCount = quint8(qMin<int>(request.p(CountByte), SimLimits::Windows));
        window.visible = request.p(WriteVisible);
        window.layer = request.p(WriteLayer);
        readGeometry(window, request, WriteGeometry);
        window.cropX = request.p(WriteCrop);
        window.cropY = request.p(WriteCrop + 1);
        window.cropW = request.p(WriteCrop + 2);
        window.cropH = request.p(WriteCrop + 3);
        break;
    case SimCode::MvLayer:
        window.layer = request.p(ValueByte);
        break;
    case SimCode::MvGeometry:
        readGeometry(window, request, ValueByte);
        break;
    case SimCode::MvStatus:
        window.visible = request.p(ValueByte);
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

bool HandleMultiviewCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    switch (request.code) {
    case SimCode::Multiview:
        if (request.p(1) & SimDir::Read) {
            replies.append(canvasReport(model, request.p(0)));
            return true;
        }
        applyToWindow(model, request);
        replies.append(SimDeviceFrame(request.code, request.payload));
        return true;
    case SimCode::MvAudio:
        if (model.validOutput(request.p(0)))
            model.multiview[request.p(0)].audioSource = request.p(AudioByte);
        replies.append(SimDeviceFrame(request.code, request.payload));
        return true;
    case SimCode::MvLayer:
    case SimCode::MvGeometry:
    case SimCode::MvStatus:
        applyToWindow(model, request);
        replies.append(SimDeviceFrame(request.code, request.payload));
        return true;
    default:
        return false;
    }
}
