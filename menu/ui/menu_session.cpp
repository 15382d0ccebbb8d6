#include "menu/ui/menu_session.h"

#include "menu/app/app_state.h"
#include "menu/cadlink/item_execution.h"
#include "menu/model/menu_model.h"
#include "menu/ui/commands_dialog.h"
#include "menu/ui/layout_store.h"
#include "menu/ui/menu_paint.h"
#include "menu/ui/menu_windows.h"

namespace {

// Items whose call has not returned yet (calls nest through modal loops).
int g_running = 0;
// The menu was asked to end while an item ran.
bool g_endAsked = false;

// Hides the top window and every cascade and torn-off window.
void HideMenuWindows() {
    ShowWindow(g_app.topWindow, SW_HIDE);
    for (const MenuRecord& menu : g_menuTable) {
        for (void* window : {menu.firstWindow, menu.secondWindow}) {
            if (window != nullptr) {
                ShowWindow(static_cast<HWND>(window), SW_HIDE);
            }
        }
    }
}

} // namespace

int OpenTopWindow() {
    if (g_menuTable.empty() || g_menuTable[0].items.empty()) {
        return 0;
    }
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kTopWindowClass, "VXMENU", WS_POPUPWINDOW, 0, 0, 0,
                                  0, nullptr, nullptr, g_app.instance, nullptr);
    if (window == nullptr) {
        return 0;
    }
    g_app.topWindow = window;
    MeasureAllMenus(window);
    return 1;
}

int RunMenuItem(int index, HWND owner, WPARAM keyFlags, const std::vector<MenuItem>& items) {
    if (g_endAsked) {
        return 0;
    }
    ++g_running;
    int result = ExecuteMenuItem(index, owner, keyFlags, items);
    --g_running;
    if (g_endAsked) {
        if (g_running == 0) {
            EndFloatingMenu();
        } else {
            EndCommandsDialog(); // a dialog the returned item was opened from
        }
    }
    return result;
}

void EndFloatingMenu() {
    if (g_app.topWindow == nullptr || (g_running > 0 && g_endAsked)) {
        return; // (asked already: once the item returns)
    }
    // Every window is still there: slot 0 keeps the torn-off ones.
    SaveLayoutSlot0Once();
    if (g_running > 0) {
        // Destroying now would free the menus and the item's library under
        // its running call, and its exit commands could not be sent from
        // inside a DDE transaction. The menu leaves the screen at once
        // (a restarted menu may already be showing) and its dialog ends.
        g_endAsked = true;
        HideMenuWindows();
        EndCommandsDialog();
        return;
    }
    DestroyWindow(g_app.topWindow);
}

int MenuEnding() {
    return g_endAsked ? 1 : 0;
}
