#include "tools/devsim/SimDeviceResponder.h"

#include "tools/devsim/SimEdidCommands.h"
#include "tools/devsim/SimMultiviewCommands.h"
#include "tools/devsim/SimOutputCommands.h"
#include "tools/devsim/SimRoutingCommands.h"
#include "tools/devsim/SimSignalCommands.h"
#include "tools/devsim/SimSystemCommands.h"
#include "tools/devsim/SimWallCommands.h"

SimReplies RespondToDeviceFrame(SimDeviceModel &model, const QByteArray &frame)
{
    SimReplies replies;
    SimRequest request;
    if (!ParseSimRequest(frame, request))
        return replies;
    using Handler = bool (*)(SimDeviceModel &, const SimRequest &, SimReplies &);
    static constexpr Handler handlers[] = {HandleRoutingCommand, HandleSignalCommand, HandleOutputCommand,
                                           HandleEdidCommand,    HandleWallCommand,   HandleMultiviewCommand,
                                           HandleSystemCommand};
    for (Handler handle : handlers) {
        if (handle(model, request, replies))
            break;
    }
    return replies;
}
