// Window layouts of the floating menu in the layout file beside the
// configuration file: the top window's place and side, and where the
// torn-off submenus are. Slot 0 is saved when the menu closes; 1 to 3 are
// the user's.
#pragma once

#include "menu/ui/monitor_placement.h"

// 0: the top window is docked at the right edge of the screen, 1: at the left.
extern int g_menuSide;

// 1 once slot 0 has been saved in this run.
extern int g_layoutSaved;

void SaveLayout(int slot);

// Saves slot 0 the first time it is called in a run.
void SaveLayoutSlot0Once();

// The top window's top edge moved, where needed, so that its drag strip is
// wholly on the monitor.
int KeepDragStripOnScreen(int top, const ScreenRect& monitor);

// Places and shows the top window and re-opens the torn-off windows of a slot;
// a slot never saved gives the default placement.
void RestoreLayout(int slot);

// Closes all windows and places them again from what is on screen, as a
// restore of a slot just saved would, without reading the layout file: the
// top window docked at g_menuSide at its height, the torn-off windows where
// they were.
void PlaceWindowsAgain();
