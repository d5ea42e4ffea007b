#pragma once

#include "cli/ExitCode.h"

class CliSession;

// watch [--json] [--for MS] [--count N], raw HEX...
ExitCode RunWatch(CliSession &session);
ExitCode RunRaw(CliSession &session);
