#include "menu/app/startup.h"

#include "menu/res/resource_ids.h"
#include "menu/ui/menu_windows.h"

namespace {

int RegisterMenuClass(HINSTANCE instance, const char* name, WNDPROC procedure, int extraBytes,
                      HICON icon) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = extraBytes;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

} // namespace

int RegisterMenuClasses(HINSTANCE instance) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VXMENU));
    return RegisterMenuClass(instance, kTopWindowClass, TopWindowProc, kTopWindowBytes, icon) &&
           RegisterMenuClass(instance, kTornOffWindowClass, TornOffWindowProc, kTornOffWindowBytes,
                             nullptr) &&
           RegisterMenuClass(instance, kCascadeWindowClass, CascadeWindowProc, kCascadeWindowBytes,
                             nullptr);
}
