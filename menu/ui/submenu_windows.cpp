// The submenu windows: cascade windows beside the item that opened them,
// and torn-off windows that stay where the user dragged them.
#include "menu/ui/menu_windows.h"

#include "menu/app/app_state.h"
#include "menu/model/menu_model.h"
#include "menu/ui/menu_layout.h"
#include "menu/ui/menu_paint.h"
#include "menu/ui/menu_session.h"
#include "menu/ui/menu_window_ops.h"

#include <windowsx.h>

namespace {

int HitTest(HWND window, LPARAM lParam) {
    MenuRecord* menu = MenuOfWindow(window);
    return menu ? HitTestMenu(*menu, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) : -1;
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HGDIOBJ previous = SelectMenuFont(dc);
    PaintMenu(dc, GetWindowSlot(window, kWindowMenuIndex), window,
              GetWindowSlot(window, kWindowSelection));
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    EndPaint(window, &paint);
}

// The item under the pointer shows its hint in the caption; returns it.
int TrackHover(HWND window, LPARAM lParam) {
    int n = HitTest(window, lParam);
    if (n < 0) {
        SetWindowSlot(window, kWindowHover, kNoHover);
    } else if (n != GetWindowSlot(window, kWindowHover)) {
        ShowItemHint(window, n);
        SetWindowSlot(window, kWindowHover, n);
    }
    return n;
}

// Executes the item under the pointer; 1 when the click completed on item *n.
int ExecuteAt(HWND window, WPARAM keys, LPARAM lParam, int* n) {
    MenuRecord* menu = MenuOfWindow(window);
    *n = HitTest(window, lParam);
    if (menu == nullptr || *n < 0) {
        return 0;
    }
    RunMenuItem(*n, window, keys, menu->items);
    // The menu may have ended once the item's call returned.
    if (!IsWindow(window)) {
        return 0;
    }
    return CompleteClick(window, *n);
}

void InitSubmenuWindow(HWND window) {
    SetWindowSlot(window, kWindowMenuIndex, g_creation.menuIndex);
    SetSelection(window, -1);
    SetWindowSlot(window, kWindowHover, kNoHover);
}

// Messages both submenu windows handle alike; true when handled.
bool HandleSubmenuMessage(HWND window, UINT message) {
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return true;
    case WM_RBUTTONDOWN:
        MinimiseIfCadMinimised();
        return true;
    default:
        return false;
    }
}

bool OpensSubmenu(HWND window, int n) {
    MenuRecord* menu = MenuOfWindow(window);
    return menu != nullptr && n >= 0 && n < static_cast<int>(menu->items.size()) &&
           menu->items[n].submenu >= 0;
}

} // namespace

LRESULT CALLBACK TornOffWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandleSubmenuMessage(window, message)) {
        return 0;
    }
    switch (message) {
    case WM_CREATE: {
        InitSubmenuWindow(window);
        if (HMENU system = GetSystemMenu(window, FALSE)) {
            for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_TASKLIST}) {
                RemoveMenu(system, command, MF_BYCOMMAND);
            }
            RemoveMenu(system, 1, MF_BYPOSITION);
            RemoveMenu(system, 2, MF_BYPOSITION);
        }
        if (MenuRecord* menu = MenuOfWindow(window)) {
            menu->secondWindow = window;
        }
        return 0;
    }
    case WM_DESTROY:
        if (MenuRecord* menu = MenuOfWindow(window)) {
            if (menu->secondWindow == window) {
                menu->secondWindow = nullptr;
            }
        }
        SetActiveWindow(g_app.cadWindow);
        return 0;
    case WM_MOVE:
        if (IsWindowVisible(window) && !IsIconic(window)) {
            CollapseMenu(GetWindowSlot(window, kWindowMenuIndex));
            return 0;
        }
        break;
    case WM_MOUSEMOVE: {
        int n = TrackHover(window, lParam);
        if (n >= 0 && (wParam & MK_LBUTTON)) {
            SelectItem(window, GetWindowSlot(window, kWindowMenuIndex), n);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (!MinimiseIfCadMinimised()) {
            SelectItem(window, GetWindowSlot(window, kWindowMenuIndex), HitTest(window, lParam));
        }
        return 0;
    case WM_LBUTTONUP: {
        int n;
        ExecuteAt(window, wParam, lParam, &n);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CascadeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandleSubmenuMessage(window, message)) {
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        InitSubmenuWindow(window);
        SetWindowSlot(window, kWindowOrigin, g_creation.origin);
        if (MenuRecord* menu = MenuOfWindow(window)) {
            menu->firstWindow = window;
        }
        return 0;
    case WM_DESTROY: {
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner != nullptr) {
            MenuRecord* ownerMenu = MenuOfWindow(owner);
            int c = GetWindowSlot(owner, kWindowSelection);
            if (ownerMenu != nullptr && c >= 0 && c < static_cast<int>(ownerMenu->items.size())) {
                RedrawItemFrame(owner, c, false);
                SetSelection(owner, -1);
            }
        }
        if (MenuRecord* menu = MenuOfWindow(window)) {
            if (menu->firstWindow == window) {
                menu->firstWindow = nullptr;
            }
        }
        return 0;
    }
    case WM_MOVE:
        if (IsWindowVisible(window) && !IsIconic(window)) {
            // Dragged by its caption: it becomes a torn-off window there.
            RECT r{};
            GetWindowRect(window, &r);
            int k = GetWindowSlot(window, kWindowMenuIndex);
            DestroyWindow(window);
            TearOffMenu(k, false, 0, 0, r);
            return 0;
        }
        break;
    case WM_MOUSEMOVE: {
        int n = TrackHover(window, lParam);
        int origin = GetWindowSlot(window, kWindowOrigin);
        if ((wParam & MK_LBUTTON) && origin >= 0) {
            SelectItem(window, origin, n);
        }
        return 0;
    }
    case WM_LBUTTONDOWN: {
        int origin = GetWindowSlot(window, kWindowOrigin);
        if (!MinimiseIfCadMinimised() && origin >= 0) {
            SelectItem(window, origin, HitTest(window, lParam));
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        int origin = GetWindowSlot(window, kWindowOrigin);
        int n;
        if (ExecuteAt(window, wParam, lParam, &n) && !OpensSubmenu(window, n) &&
            !(wParam & MK_SHIFT)) {
            CollapseMenu(origin); // closes the whole chain of cascade windows
        }
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
