#pragma once

#include <memory>

class Ui_Login;
class Ui_Main;

// Before the application object exists: the windows draw with the raster
// engine only, so the X platform is told not to load an OpenGL integration
// (loading it maps the whole OpenGL driver - with a software renderer some
// 50 MB and a tenth of a second of start-up - for nothing). A value set in
// the environment is left alone.
void PreparePlatform();

// Large blocks go straight to the system and back when freed. A window's
// image is several megabytes and is made and dropped as dialogs open and
// close; glibc's allocator otherwise raises its threshold after the first
// such free and serves the next ones from the heap, whose freed holes stay
// resident: the process grew by megabytes over a day of dialogs while the
// memory in use did not.
void TuneAllocator();

// Installs "/APP/StyleSheet/default.qss" as the style sheet of the whole
// application; a missing file leaves the default look.
void ApplyStyleSheet();

// The two windows of start-up.
struct StartupWindows
{
    std::unique_ptr<Ui_Main> main;
    std::unique_ptr<Ui_Login> login;
};

// Builds the main window and the login window, wires the login to the main
// window, and shows the main window when config.ini existed and the login is
// switched off, the login window otherwise (so always on a first start).
StartupWindows CreateStartupWindows(bool configExisted);

// The login window goes first, then the main window (the first of the two
// saves the settings), then the transport services.
void DestroyStartupWindows(StartupWindows &windows);

// The program's entry sequence: settings, windows, event loop, and the
// destruction order that saves the settings once.
int RunStartup(int argc, char *argv[]);
