#pragma once

#include "cli/ExitCode.h"

class CliSession;

// salvo list|show|save|apply|rename|delete|export|import: the routing
// snapshots the window keeps, in the same folder.
ExitCode RunSalvo(CliSession &session);
