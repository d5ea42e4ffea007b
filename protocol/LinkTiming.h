#pragma once

// The clock of every link to the device and to its network modules, named
// once: the transport services pace by it, and whoever has to reason about
// how long the queue takes (a page waiting between the commands of a group,
// a job spanning several commands, kxrctl's watchdog) reads it here.
namespace LinkTiming {

// Before each command leaves, whatever the link.
constexpr int SendGapMs = 50;
// A send step that finds the send queue locked tries again this soon.
constexpr int LockRetryMs = 2;
// A worker thread asked to stop is waited for this long at most; one that
// does not stop in time keeps its objects.
constexpr unsigned long ThreadStopWaitMs = 2000;

} // namespace LinkTiming

// The address a network module answers on when it leaves the factory: the
// UDP exchange is restarted on it before every search and every read.
constexpr char ModuleFactoryAddress[] = "192.168.0.247";
