// Opening, running and ending the floating menu's windows.
#pragma once

#include <windows.h>

#include <vector>

#include "menu/model/menu_model.h"

// Creates the top window for the loaded menus, measures every menu and
// places and shows the windows. 0 (nothing shown) when menu 0 has no items
// or the window cannot be made.
int OpenTopWindow();

// Executes a chosen item (ExecuteMenuItem). While its call runs (a library
// function, a dialog, a command being delivered) the menu is not ended: an
// end asked for meanwhile follows once the call has returned, so the owner
// window may be gone afterwards. Items chosen while the menu ends do nothing.
int RunMenuItem(int index, HWND owner, WPARAM keyFlags, const std::vector<MenuItem>& items);

// Saves layout slot 0 (once per run) and destroys the top window, which
// ends the program. While an item runs, every menu window is hidden and the
// registered-commands dialog ended as if cancelled at once, and the top
// window goes once the item returned.
void EndFloatingMenu();

// 1 once an end was asked for while an item ran: the windows stay hidden
// and no item runs until the top window goes.
int MenuEnding();
