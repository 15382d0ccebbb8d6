// The top window: shows the top menu, docked at a screen edge, with its
// popup box, drag strip, popup menu, follow timer and close procedure.
#include "menu/ui/menu_windows.h"

#include "menu/app/app_state.h"
#include "menu/app/menu_config.h"
#include "menu/app/startup.h"
#include "menu/model/menu_loader.h"
#include "menu/ui/layout_store.h"
#include "menu/ui/menu_layout.h"
#include "menu/ui/menu_paint.h"
#include "menu/ui/menu_session.h"
#include "menu/ui/menu_window_ops.h"
#include "menu/ui/monitors.h"

#include <windowsx.h>

namespace {

enum TopCommand {
    kCommandClose = 100,
    kCommandIconise = 101,
    kCommandClearAll = 102,
    kCommandShow1 = 103,
    kCommandShow3 = 105,
    kCommandRegister1 = 106,
    kCommandRegister3 = 108,
    kCommandCloseNow = 109,
};

HMENU g_popupMenu = nullptr;
// WM_CREATE succeeded: the window is placed and shown, links and layout are its own.
bool g_created = false;
int g_userIconified = 0;
bool g_dragging = false;
bool g_captured = false;
POINT g_lastCursor{};

HMENU CreateTopPopupMenu() {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return nullptr;
    }
    AppendMenuA(menu, MF_STRING, kCommandIconise, "アイコン化");
    AppendMenuA(menu, MF_STRING, kCommandClearAll, "全消去");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 103, "表示１");
    AppendMenuA(menu, MF_STRING, 104, "表示２");
    AppendMenuA(menu, MF_STRING, 105, "表示３");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 106, "登録１");
    AppendMenuA(menu, MF_STRING, 107, "登録２");
    AppendMenuA(menu, MF_STRING, 108, "登録３");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kCommandClose, "閉じる  Alt+F4");
    return menu;
}

// The pens and the popup menu that creation makes.
void FreePensAndPopupMenu() {
    DeleteMenuPens();
    if (g_popupMenu != nullptr) {
        DestroyMenu(g_popupMenu);
        g_popupMenu = nullptr;
    }
}

// A failed creation frees what it made; the window's destruction then
// leaves the layout, the HWND key and the links alone.
LRESULT FailCreate() {
    FreePensAndPopupMenu();
    return -1;
}

LRESULT OnCreate(HWND window) {
    SetWindowSlot(window, kWindowMenuIndex, 0);
    SetSelection(window, -1);
    HMENU system = GetSystemMenu(window, FALSE);
    if (system == nullptr) {
        return FailCreate();
    }
    RemoveMenu(system, SC_SIZE, MF_BYCOMMAND);
    RemoveMenu(system, SC_MAXIMIZE, MF_BYCOMMAND);
    RemoveMenu(system, SC_TASKLIST, MF_BYCOMMAND);
    RemoveMenu(system, 1, MF_BYPOSITION);
    RemoveMenu(system, 2, MF_BYPOSITION);
    g_popupMenu = CreateTopPopupMenu();
    if (g_popupMenu == nullptr) {
        return FailCreate();
    }
    CreateMenuPens();
    if (SetTimer(window, 1, 100, nullptr) == 0) {
        MessageBoxA(window, "タイマーを使用できません。", "VXEMNU", MB_OK | MB_ICONERROR);
        return FailCreate();
    }
    // Written once the window is sure to live, so a failed creation leaves
    // no dead handle for the start module.
    WriteHwndPair(g_app.cadWindow, window);
    g_app.topWindow = window;
    g_created = true;
    return 0;
}

// Every tick: end with the CAD main window, follow its minimised state.
void FollowCadWindow(HWND window) {
    HWND cad = g_app.cadWindow;
    if (cad == nullptr) {
        return;
    }
    if (!IsWindow(cad)) {
        EndFloatingMenu(); // minimised too: the normal positions are valid
        return;
    }
    if (MenuEnding()) {
        return; // hidden until it ends: neither minimised nor restored
    }
    bool cadIconic = IsIconic(cad) != 0;
    bool menuIconic = IsIconic(window) != 0;
    if (cadIconic && !menuIconic && !g_userIconified) {
        ShowWindow(window, SW_MINIMIZE);
    } else if (!cadIconic && menuIconic && !g_userIconified) {
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
}

bool OnCommand(HWND window, int id) {
    switch (id) {
    case kCommandClose: {
        const char* text =
            g_app.canRestartFromCad
                ? "\"VXMENU\"とタイプすることで再度VXMENUを使用することができます。\nVXMENUを閉じま"
                  "すか?"
                : "VXMENUを再度使用するには、LUMERAの再起動が必要です。\nVXMENUを閉じますか?";
        if (MessageBoxA(window, text, "VXMENU", MB_OKCANCEL | MB_ICONWARNING) == IDOK) {
            EndFloatingMenu();
            return true;
        }
        return false;
    }
    case kCommandIconise:
        g_userIconified = 1;
        ShowWindow(window, SW_MINIMIZE);
        return true;
    case kCommandClearAll:
        CloseAllMenus();
        return true;
    case kCommandCloseNow:
        EndFloatingMenu();
        return true;
    default:
        if (id >= kCommandShow1 && id <= kCommandShow3) {
            CloseAllMenus();
            RestoreLayout(id - kCommandShow1 + 1);
            return true;
        }
        if (id >= kCommandRegister1 && id <= kCommandRegister3) {
            SaveLayout(id - kCommandRegister1 + 1);
            return true;
        }
        return false;
    }
}

void OnLeftButtonDown(HWND window, int x, int y) {
    if (MinimiseIfCadMinimised()) {
        return;
    }
    const int w = g_menuTable.empty() ? 0 : g_menuTable[0].widthMinus1;
    if (x >= kTopStripHeight && x <= w && y >= 0 && y <= kTopStripHeight) {
        CollapseMenu(0);
        g_dragging = true;
        GetCursorPos(&g_lastCursor);
        SetCapture(window);
        g_captured = true;
    } else if (x >= 0 && x < kTopStripHeight && y >= 0 && y <= kTopStripHeight) {
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        TrackPopupMenu(g_popupMenu, TPM_LEFTALIGN | TPM_LEFTBUTTON, origin.x, origin.y, 0, window,
                       nullptr);
    } else if (!g_menuTable.empty()) {
        SelectItem(window, 0, HitTestMenu(g_menuTable[0], x, y));
    }
}

void OnMouseMove(HWND window, int x, int y) {
    if (!g_dragging) {
        if (!g_menuTable.empty()) {
            SelectItem(window, 0, HitTestMenu(g_menuTable[0], x, y));
        }
        return;
    }
    RECT r{};
    GetWindowRect(window, &r);
    POINT cursor{};
    GetCursorPos(&cursor);
    if (cursor.x != g_lastCursor.x || cursor.y != g_lastCursor.y) {
        // Only up and down: the top window stays at its screen edge.
        MoveWindow(
            window, r.left,
            KeepDragStripOnScreen(r.top + cursor.y - g_lastCursor.y, MonitorOfWindow(window)),
            r.right - r.left, r.bottom - r.top, TRUE);
        g_lastCursor = cursor;
    }
}

void OnLeftButtonUp(HWND window, WPARAM keys, int x, int y) {
    const bool dragged = g_dragging;
    g_dragging = false;
    if (g_captured) {
        g_captured = false;
        ReleaseCapture();
    }
    if (dragged) {
        return;
    }
    if (g_menuTable.empty()) {
        return;
    }
    int n = HitTestMenu(g_menuTable[0], x, y);
    if (n >= 0) {
        RunMenuItem(n, window, keys, g_menuTable[0].items);
        if (IsWindow(window)) { // the menu may have ended meanwhile
            CompleteClick(window, n);
        }
    }
}

void OnDestroy(HWND window) {
    KillTimer(window, 1);
    if (g_created) {
        SaveLayoutSlot0Once(); // the paths that end the menu saved it already
        g_app.topWindow = nullptr;
        CloseLinks();
        FreeMenus();
        PostQuitMessage(0);
    }
    // Else never shown: the user's layout and the links are not this
    // window's; start-up ends and cleans up.
    g_created = false;
    FreePensAndPopupMenu();
    if (g_app.menuFont != nullptr) {
        DeleteObject(g_app.menuFont);
        g_app.menuFont = nullptr;
    }
}

} // namespace

LRESULT CALLBACK TopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HGDIOBJ previous = SelectMenuFont(dc);
        PaintMenu(dc, 0, window, GetWindowSlot(window, kWindowSelection));
        if (previous != nullptr) {
            SelectObject(dc, previous);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (!(wParam & MK_LBUTTON)) {
            break;
        }
        OnMouseMove(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp(window, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        MinimiseIfCadMinimised();
        return 0;
    case WM_QUERYOPEN:
        if (g_app.cadWindow != nullptr && IsIconic(g_app.cadWindow)) {
            return 0;
        }
        g_userIconified = 0;
        return 1;
    case WM_TIMER:
        FollowCadWindow(window);
        break;
    case WM_COMMAND:
        if (OnCommand(window, LOWORD(wParam))) {
            return 0;
        }
        break;
    case WM_CLOSE: // Alt+F4, the system menu, other programs: as the popup's close entry
        OnCommand(window, kCommandClose);
        return 0;
    case WM_CAPTURECHANGED: // another window took the mouse: the drag ends
        g_dragging = false;
        g_captured = false;
        return 0;
    case WM_ENDSESSION: // the session ends without destroying the windows
        if (wParam) {
            SaveLayoutSlot0Once();
        }
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
