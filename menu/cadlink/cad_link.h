// The link to the CAD program and the external programs: target choice,
// window search, DDE client and the one routine every command leaves by.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include "menu/app/app_state.h"

// Reads the [DIRECTORY] keys in table order; the first with a value sets
// cadCommand, the DDE names, the caption prefixes and canRestartFromCad.
// Returns 1 when a target was found.
int SelectCadTarget();

// Hides the visible windows that look like the CAD main window, so that the
// newly started CAD program's window is the one found (at most 20).
void HideCadWindows();

// Sets cadWindow to the first window that looks like the CAD main window,
// passing over the windows HideCadWindows hid; returns 1 when cadWindow is
// set afterwards.
int FindCadWindow();

// 1 when window is a top-level window of the desktop.
int IsCadWindowPresent(HWND window);

// Shows the windows HideCadWindows hid and clears the list.
void ShowHiddenCadWindows();

// Opens a conversation; 0 without a call when a handle is 0.
int ConnectDde(HSZ service, HSZ topic, HCONV* conversation);

// Frees the link's string handles and ends its conversation.
void DisconnectDde(CadLink* link);
void DisconnectDde(ExternalProgram* program);

// String handle of name in the application's DDE instance.
HSZ CreateDdeString(const char* name);

// The DDEML callback of the client instance.
HDDEDATA CALLBACK DdeCallback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2,
                              HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);

// Sends one command text: by DDE execute over conversation when it is not 0,
// else by WM_COPYDATA to the CAD main window for the targets that take it,
// else not at all.
void SendCadCommand(const char* text, HCONV conversation);
