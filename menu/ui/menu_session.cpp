#include "menu/ui/menu_session.h"

#include "menu/app/app_state.h"

void EndFloatingMenu() {
    if (g_app.topWindow) {
        DestroyWindow(g_app.topWindow);
    }
}
