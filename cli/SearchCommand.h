#pragma once

#include "cli/ExitCode.h"

class CliSession;

// search [--json] [--timeout MS] [--udp-port N]: the network-module search.
ExitCode RunSearch(CliSession &session);
