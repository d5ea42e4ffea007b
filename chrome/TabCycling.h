#pragma once

class QTabWidget;

// Ctrl+Tab and Ctrl+Shift+Tab step through every shown, enabled tab of the
// window's tab widget, wrapping at the ends, whatever control has the focus.
// A tab widget moves on these keys only when the key reaches it, and a grid,
// a canvas or a table on the page takes it first, so the keys used to stick
// on those pages. Each newly shown page also gets its reading-order Tab chain.
void InstallTabCycling(QTabWidget *tabs);

// The index Ctrl+Tab (step 1) or Ctrl+Shift+Tab (step -1) moves to from the
// current tab; the current index when no other tab can be shown.
int NextCycledTab(const QTabWidget *tabs, int step);
