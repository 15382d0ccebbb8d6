#include "menu/ui/menu_window_ops.h"

#include "menu/app/app_state.h"
#include "menu/app/startup_messages.h"
#include "menu/model/menu_model.h"
#include "menu/ui/menu_paint.h"
#include "menu/ui/menu_windows.h"
#include "menu/ui/monitors.h"

CreationParameters g_creation = {0, 0};

namespace {

// The cascade window of the submenu item n opens, if that window exists.
HWND OpenCascadeOf(const MenuRecord& menu, int n) {
    if (n < 0 || n >= static_cast<int>(menu.items.size())) {
        return nullptr;
    }
    int k = menu.items[n].submenu;
    if (k < 0 || k >= static_cast<int>(g_menuTable.size())) {
        return nullptr;
    }
    return static_cast<HWND>(g_menuTable[k].firstWindow);
}

// Deselects the window's item: its cascade closes and its frame is raised.
void Deselect(HWND window) {
    MenuRecord* menu = MenuOfWindow(window);
    if (menu == nullptr) {
        return;
    }
    int c = GetWindowSlot(window, kWindowSelection);
    if (c >= 0 && c < static_cast<int>(menu->items.size())) {
        if (HWND cascade = OpenCascadeOf(*menu, c)) {
            DestroyWindow(cascade);
        }
        RedrawItemFrame(window, c, false);
        SetSelection(window, -1);
    }
}

} // namespace

MenuRecord* MenuOfWindow(HWND window) {
    int index = GetWindowSlot(window, kWindowMenuIndex);
    if (index < 0 || index >= static_cast<int>(g_menuTable.size())) {
        return nullptr;
    }
    return &g_menuTable[index];
}

bool MinimiseIfCadMinimised() {
    if (g_app.cadWindow == nullptr || !IsIconic(g_app.cadWindow)) {
        return false;
    }
    if (g_app.topWindow != nullptr) {
        ShowWindow(g_app.topWindow, SW_MINIMIZE);
    }
    return true;
}

void RedrawItemFrame(HWND window, int n, bool sunken) {
    MenuRecord* menu = MenuOfWindow(window);
    if (menu == nullptr || n < 0 || n >= static_cast<int>(menu->items.size())) {
        return;
    }
    const MenuItem& item = menu->items[n];
    if (item.isStatic) {
        return;
    }
    HDC dc = GetDC(window);
    RECT r{item.left, item.top, item.right, item.bottom};
    DrawItemFrame(dc, r, sunken);
    ReleaseDC(window, dc);
}

void SelectItem(HWND window, int origin, int n) {
    MenuRecord* menu = MenuOfWindow(window);
    if (menu == nullptr || n < 0 || n >= static_cast<int>(menu->items.size()) ||
        n == GetWindowSlot(window, kWindowSelection)) {
        return;
    }
    int c = GetWindowSlot(window, kWindowSelection);
    if (c >= 0) {
        RedrawItemFrame(window, c, false);
        if (HWND cascade = OpenCascadeOf(*menu, c)) {
            DestroyWindow(cascade);
        }
    }
    RedrawItemFrame(window, n, true);
    SetSelection(window, n);
    const MenuItem& item = menu->items[n];
    if (item.submenu >= 0 && item.submenu < static_cast<int>(g_menuTable.size())) {
        OpenCascade(window, item.submenu, origin, item.top);
    }
}

void OpenCascade(HWND owner, int k, int origin, int itemTop) {
    MenuRecord& menu = g_menuTable[k];
    if (menu.firstWindow != nullptr) {
        DestroyWindow(static_cast<HWND>(menu.firstWindow));
    }
    g_creation = CreationParameters{k, origin};
    // Beside the owner, within the monitor the owner is on.
    const ScreenRect monitor = MonitorOfWindow(owner);
    RECT owned{};
    GetWindowRect(owner, &owned);
    const int w = menu.widthMinus1;
    const int h = menu.heightMinus1;
    int x = CascadeLeft(ToScreenRect(owned), w, monitor);
    int y = owned.top + itemTop + 1;
    RECT r{owned.right, owned.top, owned.right + w, owned.top + h};
    AdjustWindowRect(&r, WS_POPUP | WS_CAPTION, FALSE);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (y + height > monitor.bottom) {
        y = monitor.bottom - height;
    }
    HWND window = CreateWindowExA(0, kCascadeWindowClass, "", WS_POPUP | WS_CAPTION, x, y, width,
                                  height, owner, nullptr, g_app.instance, nullptr);
    if (window == nullptr) {
        MessageBoxA(nullptr, "ウィンドウを作成できません。(CC-01)", kMenuCaption, MB_OK);
        return;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
}

int CompleteClick(HWND window, int n) {
    MenuRecord* menu = MenuOfWindow(window);
    if (menu == nullptr || n != GetWindowSlot(window, kWindowSelection)) {
        return 0;
    }
    if (HWND cascade = OpenCascadeOf(*menu, n)) {
        if (GetWindowSlot(window, kWindowHeld)) {
            DestroyWindow(cascade);
            return 1;
        }
        SetWindowSlot(window, kWindowHeld, 1);
        return 0;
    }
    RedrawItemFrame(window, n, false);
    SetSelection(window, -1);
    return 1;
}

void CollapseMenu(int k) {
    if (k < 0 || k >= static_cast<int>(g_menuTable.size())) {
        return;
    }
    for (void* handle : {g_menuTable[k].secondWindow, g_menuTable[k].firstWindow}) {
        if (handle != nullptr) {
            Deselect(static_cast<HWND>(handle));
        }
    }
}

void CloseAllMenus() {
    CollapseMenu(0);
    for (size_t k = 1; k < g_menuTable.size(); ++k) {
        if (g_menuTable[k].secondWindow != nullptr) {
            DestroyWindow(static_cast<HWND>(g_menuTable[k].secondWindow));
        }
    }
}

SIZE TornOffWindowSize(const MenuRecord& menu) {
    RECT adjusted{0, 0, menu.widthMinus1, menu.heightMinus1};
    AdjustWindowRect(&adjusted, WS_POPUPWINDOW | WS_DLGFRAME, FALSE);
    return SIZE{adjusted.right - adjusted.left, adjusted.bottom - adjusted.top};
}

void TearOffMenu(int k, bool position, int x, int y, const RECT& rect) {
    if (k <= 0 || k >= static_cast<int>(g_menuTable.size()) || g_app.topWindow == nullptr) {
        return;
    }
    MenuRecord& menu = g_menuTable[k];
    RECT r = rect;
    if (position) {
        // The saved point is the window's own top-left corner: only the size
        // comes from the adjusted rectangle, so a layout saved and restored
        // again does not creep by the frame's width.
        const SIZE size = TornOffWindowSize(menu);
        // Wholly on the monitor it is on, or on the nearest one when it is
        // on none (its monitor has gone): also inside the left and top
        // edges, where its caption could not be reached.
        const MonitorList monitors = CurrentMonitors();
        const ScreenRect wanted = WindowRectAt(ScreenPoint{x, y}, size.cx, size.cy);
        const ScreenPoint at = KeptInside(ScreenPoint{x, y}, size.cx, size.cy,
                                          monitors.monitors[NearestMonitor(monitors, wanted)]);
        r = RECT{at.x, at.y, at.x + size.cx, at.y + size.cy};
    }
    if (menu.secondWindow != nullptr) {
        HWND torn = static_cast<HWND>(menu.secondWindow);
        MoveWindow(torn, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        UpdateWindow(torn);
        return;
    }
    g_creation = CreationParameters{k, k};
    HWND window = CreateWindowExA(0, kTornOffWindowClass, "", WS_POPUPWINDOW | WS_DLGFRAME, r.left,
                                  r.top, r.right - r.left, r.bottom - r.top, g_app.topWindow,
                                  nullptr, g_app.instance, nullptr);
    if (window == nullptr) {
        MessageBoxA(nullptr, "ウィンドウを作成できません。(CF-01)", kMenuCaption, MB_OK);
        return;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    SetActiveWindow(g_app.cadWindow);
}

void ShowItemHint(HWND window, int n) {
    MenuRecord* menu = MenuOfWindow(window);
    if (menu == nullptr || n < 0 || n >= static_cast<int>(menu->items.size())) {
        return;
    }
    const MenuItem& item = menu->items[n];
    if (!item.hint.empty()) {
        SetWindowTextA(window, item.hint.c_str());
    } else if (!menu->title.empty()) {
        SetWindowTextA(window, menu->title.c_str());
    }
}
