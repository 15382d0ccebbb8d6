#include "menu/ui/menu_session.h"

#include "menu/app/app_state.h"
#include "menu/model/menu_model.h"
#include "menu/ui/layout_store.h"
#include "menu/ui/menu_paint.h"
#include "menu/ui/menu_windows.h"

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

void EndFloatingMenu() {
    if (g_app.topWindow) {
        SaveLayoutSlot0Once();
        DestroyWindow(g_app.topWindow);
    }
}
