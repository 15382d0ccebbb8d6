// Start-up of the floating menu program.
#pragma once

#include <windows.h>

// Runs the start-up sequence: 1 when the top window exists and the message
// loop is to run; 0 when start-up ended (its message shown, links closed).
int InitInstance(HINSTANCE instance, HINSTANCE previous, const char* commandLine);

// Registers "VXMENU_TOP", "VXMENU_PARENT" and "VXMENU_CHILD"; nonzero when
// all three were registered.
int RegisterMenuClasses(HINSTANCE instance);

// Starts the external programs of the EXAPDIR lines and links them by DDE.
// Returns 1, or 0 after showing the message of the first failure.
int StartExternalPrograms();

// Shows one start-up message (format filled with the arguments) under the
// floating menu's caption.
void ShowStartupMessage(const char* format, ...);

// Ends every DDE conversation, frees every link's string handles and ends
// the DDE instance.
void EndDdeLinks();

// Sends each linked external program its exit command, then EndDdeLinks
// (the end of a run).
void CloseLinks();
