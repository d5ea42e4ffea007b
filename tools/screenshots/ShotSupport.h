#pragma once

#include <QString>

class Ui_Main;

// Helpers of the screenshot drivers. A driver is a plain program that runs
// on a real (virtual) display:
//
//   scripts/netns-run xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/shot_matrix docs/screenshots
//
// It builds the program against the in-process simulator (tests/support),
// sets a scene up through the GUI, and grabs the whole screen with
// ImageMagick's import, so that popups and context menus are in the picture.

// Lets the event loop run for ms milliseconds (drawing, replies).
void Settle(int ms = 300);

// Switches the main window's language selector to English or to the other
// language, as an operator does.
void SelectLanguage(Ui_Main *window, bool english);

// Grabs the whole screen into path (a .png); false when import failed.
bool GrabScreen(const QString &path);

// Shows the main window at the given size in the screen's top-left corner
// and gives it time to draw.
void ShowMainWindow(Ui_Main *window, int width, int height);
