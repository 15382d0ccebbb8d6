// Selection, cascading, tearing off and closing of the menu windows.
#pragma once

#include <windows.h>

#include "menu/model/menu_model.h"

// Parameters handed to the next window created; its WM_CREATE reads them.
struct CreationParameters {
    int menuIndex;
    int origin;
};
extern CreationParameters g_creation;

// Selects item n of the window's menu (origin: the cascade chain's origin).
void SelectItem(HWND window, int origin, int n);

// Opens the cascade window of submenu k beside the owner's item whose top is itemTop.
void OpenCascade(HWND owner, int k, int origin, int itemTop);

// After a click on item n: 1 when the click is complete (execution may close
// the chain), 0 when it only holds a submenu open or missed the selection.
int CompleteClick(HWND window, int n);

// Deselects menu k in its torn-off and first window, closing their cascades.
void CollapseMenu(int k);

// Collapses the top menu and destroys every torn-off window.
void CloseAllMenus();

// Outer size of the torn-off window of a menu.
SIZE TornOffWindowSize(const MenuRecord& menu);

// Tears off submenu k: at (x, y) when position is set, else at rect.
void TearOffMenu(int k, bool position, int x, int y, const RECT& rect);

// Draws item n of the window's menu raised or sunken, without repainting the window.
void RedrawItemFrame(HWND window, int n, bool sunken);

// The hint of item n (or the menu's title) as the window's caption.
void ShowItemHint(HWND window, int n);

// The menu a window shows; nullptr for a window without a valid menu index.
MenuRecord* MenuOfWindow(HWND window);

// Clicks while the CAD main window is minimised only minimise the floating
// menu: returns true when it did so.
bool MinimiseIfCadMinimised();
