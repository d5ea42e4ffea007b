#pragma once

class QCoreApplication;

// The program: reads the options, checks them or runs the gateway until it
// is stopped (SIGINT or SIGTERM). Returns the exit code: 0, or 2 for bad
// options, 1 when a port cannot be opened.
int GatewayMain(QCoreApplication &app);
