// Entry of the floating menu program VXMENU32.EXE.
#include <windows.h>

#include "menu/app/app_state.h"
#include "menu/app/startup.h"
#include "menu/strutil/char_classes.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int) {
    g_app.instance = instance;
    InitCharClasses();
    if (!InitInstance(instance, previous, commandLine)) {
        return 0;
    }
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
