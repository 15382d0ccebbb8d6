// Executing a chosen menu item.
#pragma once

#include <windows.h>

#include <vector>

#include "menu/model/menu_model.h"

// Does what item `index` of items stands for: calls its library function,
// starts an "EXEC" program, sends its command to a linked external program
// or to the CAD program (the alternate command with Ctrl in keyFlags).
// owner is the clicked menu window. Returns 1 when a dialog was shown or a
// program start or command was issued, else 0.
int ExecuteMenuItem(int index, HWND owner, WPARAM keyFlags, const std::vector<MenuItem>& items);

// Replaces the first #KEY# of program (kPathSize bytes) by the [DIRECTORY]
// value of KEY.
void ExpandDirectoryMacro(char* program);
