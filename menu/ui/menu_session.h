// Opening and ending the floating menu's windows.
#pragma once

// Creates the top window for the loaded menus, measures every menu and
// places and shows the windows. 0 (nothing shown) when menu 0 has no items
// or the window cannot be made.
int OpenTopWindow();

// Saves layout slot 0 (once per run) and destroys the top window, which
// ends the program.
void EndFloatingMenu();
