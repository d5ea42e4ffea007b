#include "tools/devsim/SimRoutingCommands.h"

#include "tools/devsim/SimCodes.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr quint8 AllOutputs = 0xFF;
constexpr int WallSelectFirstPair = 1;

void route(SimDeviceModel &model, int input, int output)
{
    if (!model.validInput(input))
        return;
    if (output == AllOutputs) {
        for (int o = 0; o < model.outputCount; ++o)
            model.routing[o] = quint8(input);
    } else if (model.validOutput(output)) {
        model.routing[output] = quint8(input);
    }
}

void lrInput(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    // Read 00 80 00, write 00 00 value: the answer repeats the first two
    // bytes and carries the value.
    if (!(request.p(1) & SimDir::Read))
        model.lrInput = request.p(2);
    QByteArray payload;
    payload.append(char(request.p(0)));
    payload.append(char(request.p(1)));
    payload.append(char(model.lrInput));
    replies.append(SimDeviceFrame(SimCode::LRInput, payload));
}

void saveLayout(SimDeviceModel &model, int number)
{
    if (number < 0 || number >= model.layoutCount)
        return;
    SimLayout &layout = model.layouts[number];
    layout.saved = true;
    std::copy(std::begin(model.routing), std::end(model.routing), std::begin(layout.routing));
}

void loadLayout(SimDeviceModel &model, int number)
{
    if (number < 0 || number >= model.layoutCount || !model.layouts[number].saved)
        return;
    const SimLayout &layout = model.layouts[number];
    std::copy(std::begin(layout.routing), std::end(layout.routing), std::begin(model.routing));
}

} // namespace

QByteArray SimRoutingReport(const SimDeviceModel &model)
{
    QByteArray payload;
    for (int o = 0; o < model.outputCount; ++o)
        payload.append(char(model.routing[o]));
    return SimDeviceFrame(SimCode::RoutingReport, payload);
}

bool HandleRoutingCommand(SimDeviceModel &model, const SimRequest &request, SimReplies &replies)
{
    switch (request.code) {
    case SimCode::Switch:
        route(model, request.p(0), request.p(1));
        replies.append(SimRoutingReport(model));
        return true;
    case SimCode::RoutingRead:
        replies.append(SimRoutingReport(model));
        return true;
    case SimCode::WallInputSelect:
        for (int i = WallSelectFirstPair; i + 1 < request.size(); i += 2)
            route(model, request.p(i), request.p(i + 1));
        replies.append(SimRoutingReport(model));
        return true;
    case SimCode::LRInput:
        lrInput(model, request, replies);
        return true;
    case SimCode::LayoutSave:
        // Presets answer nothing: the program pauses after them.
        saveLayout(model, request.p(0));
        return true;
    case SimCode::LayoutLoad:
        // The device answers a recall with its new routing.
        loadLayout(model, request.p(0));
        replies.append(SimRoutingReport(model));
        return true;
    default:
        return false;
    }
}
