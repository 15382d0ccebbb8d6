// The floating menu's menu loader on Windows: packages of the menu section,
// their menu files and companion libraries (DLLs with bitmaps and functions).
#pragma once

#include "menu/model/menu_build.h"
#include "menu/model/menu_model.h"

// Loads the packages of section menuName of the configuration file iniPath
// and their menus into g_packageTable and g_menuTable. 0 on success; nonzero
// on failure, with everything loaded so far released.
int LoadMenus(const char* iniPath, const char* menuName);

// Deletes every bitmap, releases every companion library and empties both
// tables. Safe to call twice and when nothing is loaded; a new load may follow.
void FreeMenus();

// The hooks the loader uses on Windows: text files, LoadLibraryA with the
// system's error boxes off, bitmap resources with their sizes, GetProcAddress.
const MenuLoadHooks& WindowsMenuLoadHooks();
