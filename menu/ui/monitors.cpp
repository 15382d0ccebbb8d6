#include "menu/ui/monitors.h"

#include "menu/app/app_state.h"

namespace {

ScreenRect RectOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) {
        // No monitor to ask: the primary screen's extent.
        return ScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return ToScreenRect(info.rcMonitor);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MonitorList& list = *reinterpret_cast<MonitorList*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (list.count >= kMaxMonitors || !GetMonitorInfoA(monitor, &info)) {
        return TRUE;
    }
    int at = list.count++;
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        for (; at > 0; --at) { // the primary one goes first
            list.monitors[at] = list.monitors[at - 1];
        }
    }
    list.monitors[at] = ToScreenRect(info.rcMonitor);
    return TRUE;
}

// The monitor that holds the point 0,0.
ScreenRect PrimaryMonitor() {
    return RectOf(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

} // namespace

ScreenRect ToScreenRect(const RECT& r) {
    return ScreenRect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                      static_cast<int>(r.bottom)};
}

MonitorList CurrentMonitors() {
    MonitorList list{};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    if (list.count == 0) {
        list.monitors[0] = PrimaryMonitor();
        list.count = 1;
    }
    return list;
}

ScreenRect MonitorOfWindow(HWND window) {
    return RectOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

ScreenRect DockMonitor() {
    if (g_app.cadWindow != nullptr && IsWindow(g_app.cadWindow)) {
        return MonitorOfWindow(g_app.cadWindow);
    }
    return PrimaryMonitor();
}
