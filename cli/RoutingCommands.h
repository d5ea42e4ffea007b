#pragma once

#include "cli/ExitCode.h"

#include <QString>
#include <QVector>

#include <functional>

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
// Switches each pair in order, each confirmed, and stops at a lost link;
// held(i) runs for each pair that held. Returns the first failure; with more
// than one pair the failures are summed up in one line ("2 of 5 routes did
// not hold: …", naming each by name(pair)).
ExitCode SwitchEach(CliSession &session, const QVector<RoutePair> &routes, bool printReadBack, const QString &noun,
                    const std::function<QString(const RoutePair &)> &name, const std::function<void(int)> &held);
// "output 3: 2 -> 5" ("-" for an input not known), or {"change":{…}}.
void PrintChange(CliSession &session, const SalvoChange &change);
