// The launcher's one pass: setup file, CAD profile, Active Assistance,
// command line, system list, VXMENU32.INI, then the splash window.
#pragma once

#include <windows.h>

// Runs the launcher with the argument text (leading blanks removed);
// returns the process exit code.
int RunLauncher(HINSTANCE instance, const char* arguments);
