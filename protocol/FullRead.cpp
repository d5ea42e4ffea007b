#include "protocol/FullRead.h"

#include "protocol/Catalogue.h"
#include "protocol/DeviceState.h"

namespace {

int Count(bool queued)
{
    return queued ? 1 : 0;
}

} // namespace

int QueueFullReadStep(FullReadStep step)
{
    const DeviceState &device = Device();
    int queued = 0;
    switch (step) {
    case FullReadStep::Routing:
        return Count(CMD_RoutingRead());
    case FullReadStep::AudioInput:
        return Count(CMD_LRInputRead());
    case FullReadStep::InputInfo:
        for (quint32 in = 0; in < device.inputCount; ++in)
            queued += Count(CMD_InputInfoRead(in));
        return queued;
    case FullReadStep::InputBinds:
        return Count(CMD_InputBindRead());
    case FullReadStep::OutputInfo:
        for (quint32 out = 0; out < device.outputCount; ++out)
            queued += Count(CMD_OutputInfoRead(out));
        return queued;
    case FullReadStep::TvWall:
        return Count(CMD_TvWallRead());
    }
    return queued;
}

int QueueFullRead()
{
    int queued = 0;
    for (FullReadStep step : FullReadSteps)
        queued += QueueFullReadStep(step);
    return queued;
}
