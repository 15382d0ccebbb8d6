// The start module's link to the floating menu: its window handles learnt
// from VXMENU32.INI, closing it, starting it again, and the hidden window
// that polls the HWND key.
#pragma once

#include <windows.h>

// Module-wide state; all zero or empty at load.
struct MenuLink {
    char configPath[260]; // VXMENU32.INI, found by vxminit
    HWND cadWindow;       // the CAD main window the menu is attached to
    HWND menuWindow;      // the floating menu's top window
    int pollTicks;        // timer ticks of the hidden windows, never reset
};

extern MenuLink g_menuLink;

// Registers the hidden window class "VXMSTART"; prints an error when it fails.
void RegisterPollWindowClass();

// Ends every hidden window still polling and unregisters the class, so that
// no window procedure outlives the module.
void EndPollWindows();

// Sends the close command to the menu window when it is known.
void CloseMenu();

// Starts VXMENU32.EXE attached to the CAD window; 1 when it started.
int StartMenu();

// The LISP functions.
int MenuInitFunction();  // vxminit
int MenuEndFunction();   // vxmend
int MenuStartFunction(); // vxmstart
int MenuCopyFunction();  // vxmcopy
