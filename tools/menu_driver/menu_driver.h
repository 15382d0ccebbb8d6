// Driving the floating menu's windows from another program (tests, the demo,
// benchmarks): the menus laid out in the driver's own process exactly as the
// floating menu lays them out, item positions, and clicks posted to the
// menu windows.
#pragma once

#include <windows.h>

#include <string>

// Loads the menus of a configuration file and lays them out with the
// system's menu font, as the floating menu does. Returns false when the
// load fails.
bool LoadAndMeasureMenus(const std::string& iniPath, const char* menuName = "VXMENU");

// Releases what LoadAndMeasureMenus loaded.
void FreeMeasuredMenus();

// Centre of item `item` of menu `menu` in its window's client coordinates.
POINT ItemCentre(int menu, int item);

// The floating menu's top window, once it is shown (nullptr after timeoutMs).
// The menu's start (CAD program, DDE links, external programs) can take
// seconds on a busy machine: the default wait is generous, a shown window
// ends it at once.
HWND WaitForTopWindow(DWORD timeoutMs = 30000);

// The cascade (first) or torn-off window showing menu `menu`: the visible
// window of that class whose caption is the menu's title.
HWND FindMenuWindow(const char* className, int menu);

// Presses and releases the left button over a point of the window's client
// area; keys are added to both messages (MK_CONTROL, MK_SHIFT).
void ClickAt(HWND window, POINT point, WPARAM keys = 0);
void ClickItem(HWND window, int menu, int item, WPARAM keys = 0);

// The visible dialog with this caption (the registered-commands dialog's is
// the package name and "・システム情報"), once it is shown; nullptr after timeoutMs.
HWND WaitForDialog(const std::string& caption, DWORD timeoutMs = 10000);

// Entry `index` of a list box of another program, in Shift-JIS.
std::string ListBoxEntry(HWND list, int index);
