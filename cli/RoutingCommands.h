#pragma once

#include "cli/ExitCode.h"

class CliSession;

// route IN OUT|all, audio IN, preset save|load N.
ExitCode RunRoute(CliSession &session);
ExitCode RunAudio(CliSession &session);
ExitCode RunPreset(CliSession &session);
