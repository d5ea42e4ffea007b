#pragma once

#include "cli/ExitCode.h"

#include <QVector>

class CliSession;
struct RoutePair;
struct SalvoChange;

// route IN OUT|all, audio IN, preset save|load N.
ExitCode RunRoute(CliSession &session);
ExitCode RunAudio(CliSession &session);
ExitCode RunPreset(CliSession &session);

// The steps the salvo commands share with route.
// Opens the link and identifies the device.
ExitCode ConnectAndIdentify(CliSession &session);
// Reads the routing table: the input (1-based) of each output, 0 where the
// device reports none.
ExitCode ReadRouting(CliSession &session, QVector<int> *current);
// Switches one pair and confirms it (the failure is already reported); with
// printReadBack the routed outputs are printed as "route IN OUT".
ExitCode SwitchRoute(CliSession &session, const RoutePair &pair, bool printReadBack);
// "output 3: 2 -> 5" ("-" for an input not known), or {"change":{…}}.
void PrintChange(CliSession &session, const SalvoChange &change);
