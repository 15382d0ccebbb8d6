// The registered-commands dialog: package texts, the registered packages,
// resetting chosen packages in the CAD program and the menu's screen side.
#pragma once

#include <windows.h>

// Shows the dialog of kind 1 (with the reset button) or 2 (without it),
// modal, owned by owner; returns when it has closed. With OK the chosen side
// takes effect: slot 0 is saved afresh, all windows close and slot 0 is
// restored at that side.
void ShowCommandsDialog(int kind, HWND owner);

// Ends the open dialog as its Cancel button does; nothing when none is open.
void EndCommandsDialog();
