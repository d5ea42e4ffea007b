#pragma once

// Installs "/APP/StyleSheet/default.qss" as the style sheet of the whole
// application; a missing file leaves the default look.
void ApplyStyleSheet();

// The program's entry sequence: settings, windows, event loop, and the
// destruction order that saves the settings once.
int RunStartup(int argc, char *argv[]);
