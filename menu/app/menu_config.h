// The floating menu's configuration file (iniPath): its settings and the
// HWND hand-shake key.
#pragma once

#include <windows.h>

// [VXMENU] PKGNAME, VERSION, PKGTYPE and [VX_SETVAR] DdeConnectWaitTime,
// AcadFindWaitTime into the application state.
void ReadMenuSettings();

// [DIRECTORY] key into dst (size bytes); empty when absent.
int ReadDirectoryValue(const char* key, char* dst, int size);

// [VXMENU] HWND = "BUSY": the CAD program is being started.
void WriteHwndBusy();

// [VXMENU] HWND = "%x %x" of the CAD main window and the top window.
void WriteHwndPair(HWND cadWindow, HWND topWindow);
