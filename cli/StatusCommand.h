#pragma once

#include "cli/ExitCode.h"

class CliSession;

// status [--json]: identification, the full read, then the report.
ExitCode RunStatus(CliSession &session);
