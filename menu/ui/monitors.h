// The system's monitors in the form the placement rules take them.
#pragma once

#include <windows.h>

#include "menu/ui/monitor_placement.h"

ScreenRect ToScreenRect(const RECT& r);

// Every monitor of the desk, the primary one first.
MonitorList CurrentMonitors();

// The monitor a window is on (the nearest when it spans two or none).
ScreenRect MonitorOfWindow(HWND window);

// The monitor the top window docks at: the CAD main window's, the primary
// one while there is no CAD main window.
ScreenRect DockMonitor();
