#include "tools/menu_driver/menu_driver.h"

#include "menu/app/app_state.h"
#include "menu/model/menu_loader.h"
#include "menu/model/menu_model.h"
#include "menu/ui/menu_paint.h"

#include <cstring>

bool LoadAndMeasureMenus(const std::string& iniPath, const char* menuName) {
    FreeMenus();
    if (LoadMenus(iniPath.c_str(), menuName) != 0) {
        return false;
    }
    if (g_app.menuFont == nullptr) {
        CreateMenuFont();
    }
    HDC dc = GetDC(nullptr);
    MeasureMenus(dc);
    ReleaseDC(nullptr, dc);
    return true;
}

void FreeMeasuredMenus() {
    FreeMenus();
}

POINT ItemCentre(int menu, int item) {
    const MenuItem& it = g_menuTable[menu].items[item];
    return POINT{(it.left + it.right) / 2, (it.top + it.bottom) / 2};
}

HWND WaitForTopWindow(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA("VXMENU_TOP", "VXMENU");
        if (window != nullptr && IsWindowVisible(window)) {
            return window;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return nullptr;
        }
        Sleep(10);
    }
}

HWND FindMenuWindow(const char* className, int menu) {
    const std::string& title = g_menuTable[menu].title;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
        char caption[256];
        GetWindowTextA(window, caption, sizeof caption);
        if (IsWindowVisible(window) && title == caption) {
            return window;
        }
    }
    return nullptr;
}

void ClickAt(HWND window, POINT point, WPARAM keys) {
    LPARAM position = MAKELPARAM(point.x, point.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, position);
    PostMessageA(window, WM_LBUTTONUP, keys, position);
}

void ClickItem(HWND window, int menu, int item, WPARAM keys) {
    ClickAt(window, ItemCentre(menu, item), keys);
}

HWND WaitForDialog(const std::string& caption, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND dialog = FindWindowA("#32770", caption.c_str());
        if (dialog != nullptr && IsWindowVisible(dialog)) {
            return dialog;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return nullptr;
        }
        Sleep(10);
    }
}

std::string ListBoxEntry(HWND list, int index) {
    // The list box keeps its texts as Unicode; an ANSI request from another
    // process is not converted, so read them as Unicode.
    wchar_t wide[512] = L"";
    char text[1024] = "";
    if (SendMessageW(list, LB_GETTEXTLEN, index, 0) < 512) {
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide));
        WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    }
    return text;
}
