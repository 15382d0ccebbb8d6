#include "menu/ui/layout_store.h"

#include "menu/app/app_limits.h"
#include "menu/app/app_state.h"
#include "menu/app/profile.h"
#include "menu/model/menu_model.h"
#include "menu/strutil/derived_path.h"
#include "menu/strutil/sjis_text.h"
#include "menu/ui/layout_slot.h"
#include "menu/ui/menu_layout.h"
#include "menu/ui/menu_window_ops.h"
#include "menu/ui/monitor_placement.h"
#include "menu/ui/monitors.h"

#include <cstring>

#include <utility>
#include <vector>

int g_menuSide = 0;
int g_layoutSaved = 0;

namespace {

const char kMonitorsKey[] = "Monitors";

// The layout file: the configuration file's path cut at its first '.', plus ".dsp".
bool LayoutPath(char (&path)[kPathSize]) {
    return DerivePath(path, sizeof path, g_app.iniPath, ".dsp") != 0;
}

void SlotSection(int slot, char (&section)[16]) {
    FormatText(section, sizeof section, "Recode%d", slot);
}

RECT DesktopRect() {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return desktop;
}

// The top window's outer size: menu 0's client area, its 12-pixel strip
// and the border. Every placement uses the same size.
SIZE TopWindowSize() {
    const MenuRecord& top = g_menuTable[0];
    RECT r{0, 0, top.widthMinus1 + 1, top.heightMinus1};
    AdjustWindowRect(&r, WS_POPUPWINDOW, FALSE);
    return SIZE{r.right - r.left, r.bottom - r.top + 14};
}

// Moves the top window into place and shows it without activating it.
void ShowTopWindowAt(int left, int top) {
    HWND window = g_app.topWindow;
    SIZE size = TopWindowSize();
    SetWindowPos(window, nullptr, left, top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window);
}

// The top window's top-left corner in screen coordinates. While it is
// minimised that is its placement's normal rectangle, which the system gives
// in workspace coordinates: shifted by a taskbar at the top or left edge.
POINT TopWindowOrigin(HWND window) {
    RECT r{};
    if (!IsIconic(window)) {
        GetWindowRect(window, &r);
        return POINT{r.left, r.top};
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    POINT origin{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        origin.x += monitor.rcWork.left - monitor.rcMonitor.left;
        origin.y += monitor.rcWork.top - monitor.rcMonitor.top;
    }
    return origin;
}

// At the top of the right edge of the monitor the top window docks at.
void PlaceByDefault() {
    const ScreenRect monitor = DockMonitor();
    const MenuRecord& top = g_menuTable[0];
    RECT r{monitor.right - 3 - top.widthMinus1, monitor.top, monitor.right - 2,
           monitor.top + top.heightMinus1};
    AdjustWindowRect(&r, WS_POPUPWINDOW, FALSE);
    ShowTopWindowAt(r.left, r.top);
}

// With several monitors the slot also keeps their rectangles, the primary
// first, so that a restore knows which of them are still there. With one
// monitor the slot holds only the keys of a single screen.
void WriteMonitors(const char* path, const char* section) {
    const MonitorList monitors = CurrentMonitors();
    if (monitors.count < 2) {
        WriteProfileText(path, section, kMonitorsKey, nullptr);
        return;
    }
    char value[kLayoutValueSize] = "";
    for (int i = 0; i < monitors.count; ++i) {
        const ScreenRect& m = monitors.monitors[i];
        const size_t used = strlen(value);
        FormatText(value + used, sizeof value - used, "%s%d, %d, %d, %d", i ? ", " : "", m.left,
                   m.top, m.right, m.bottom);
    }
    WriteProfileText(path, section, kMonitorsKey, value);
}

// The monitors of the slot as saved; without the key, the saved desktop.
MonitorList ReadMonitors(const char* path, const char* section, const int (&desktop)[2]) {
    char value[kLayoutValueSize] = "";
    ReadProfileText(path, section, kMonitorsKey, value, sizeof value);
    int fields[4 * kMaxMonitors];
    int count = value[0] ? ParseLayoutFields(value, fields, 4 * kMaxMonitors) : 0;
    return SavedMonitors(fields, count, desktop[0], desktop[1]);
}

// Shows the top window at the chosen edge of the CAD window's monitor, at
// the height it had at `at` on the monitors `saved`.
void DockTopWindow(const MonitorList& saved, ScreenPoint at) {
    const ScreenRect dock = DockMonitor();
    const SIZE size = TopWindowSize();
    int top = RestoredTopOn(saved, dock, at, size.cx, size.cy, g_menuTable[0].heightMinus1);
    ShowTopWindowAt(DockedLeft(dock, g_menuSide, size.cx), KeepDragStripOnScreen(top, dock));
}

} // namespace

void SaveLayout(int slot) {
    char path[kPathSize];
    if (!LayoutPath(path) || g_menuTable.empty()) {
        return;
    }
    char section[16];
    SlotSection(slot, section);
    RECT desktop = DesktopRect();
    char value[80];
    FormatText(value, sizeof value, "%d, %d", static_cast<int>(desktop.right),
               static_cast<int>(desktop.bottom));
    WriteProfileText(path, section, "DeskTop", value);
    WriteMonitors(path, section);
    for (size_t i = 0; i < g_menuTable.size(); ++i) {
        char key[24];
        FormatText(key, sizeof key, "MENU%d", static_cast<int>(i));
        value[0] = '\0';
        if (i == 0) {
            // Saved in the screen coordinates the restore places it by.
            if (g_app.topWindow) {
                POINT origin = TopWindowOrigin(g_app.topWindow);
                FormatText(value, sizeof value, "%d, %d, %d", static_cast<int>(origin.x),
                           static_cast<int>(origin.y), g_menuSide);
            }
        } else if (g_menuTable[i].secondWindow != nullptr) {
            RECT r{};
            GetWindowRect(static_cast<HWND>(g_menuTable[i].secondWindow), &r);
            FormatText(value, sizeof value, "%d, %d", static_cast<int>(r.left),
                       static_cast<int>(r.top));
        }
        WriteProfileText(path, section, key, value);
    }
}

int KeepDragStripOnScreen(int top, const ScreenRect& monitor) {
    RECT border{0, 0, 0, 0};
    AdjustWindowRect(&border, WS_POPUPWINDOW, FALSE);
    return DragStripTop(top, monitor, border.top, kTopStripHeight);
}

void SaveLayoutSlot0Once() {
    if (g_layoutSaved == 0) {
        SaveLayout(0);
        g_layoutSaved = 1;
    }
}

void RestoreLayout(int slot) {
    if (g_menuTable.empty() || g_app.topWindow == nullptr) {
        return;
    }
    char path[kPathSize];
    char section[16];
    char value[80] = "";
    SlotSection(slot, section);
    if (LayoutPath(path)) {
        ReadProfileText(path, section, "DeskTop", value, sizeof value);
    }
    int saved[2] = {0, 0};
    if (value[0] == '\0' || ParseLayoutFields(value, saved, 2) == 0) {
        PlaceByDefault();
        return;
    }
    const MonitorList savedMonitors = ReadMonitors(path, section, saved);
    const MonitorList monitors = CurrentMonitors();
    char key[24];
    ReadProfileText(path, section, "MENU0", value, sizeof value);
    int fields[3] = {0, 0, 0};
    int count = value[0] ? ParseLayoutFields(value, fields, 3) : 0;
    if (count == 0) {
        PlaceByDefault(); // a hand-edited slot without the top window
    } else {
        if (count >= 3) {
            g_menuSide = fields[2] != 0 ? 1 : 0;
        }
        DockTopWindow(savedMonitors, ScreenPoint{fields[0], fields[1]});
    }
    for (size_t i = 1; i < g_menuTable.size(); ++i) {
        FormatText(key, sizeof key, "MENU%d", static_cast<int>(i));
        ReadProfileText(path, section, key, value, sizeof value);
        if (value[0] == '\0') {
            continue;
        }
        int position[2] = {0, 0};
        ParseLayoutFields(value, position, 2);
        const SIZE size = TornOffWindowSize(g_menuTable[i]);
        const ScreenPoint at = RestoredPosition(
            savedMonitors, monitors, ScreenPoint{position[0], position[1]}, size.cx, size.cy);
        RECT none{};
        TearOffMenu(static_cast<int>(i), true, at.x, at.y, none);
    }
}

void PlaceWindowsAgain() {
    if (g_menuTable.empty() || g_app.topWindow == nullptr) {
        return;
    }
    // Where the torn-off windows stand, taken before they close.
    std::vector<std::pair<int, POINT>> tornOff;
    for (size_t i = 1; i < g_menuTable.size(); ++i) {
        if (g_menuTable[i].secondWindow != nullptr) {
            RECT r{};
            GetWindowRect(static_cast<HWND>(g_menuTable[i].secondWindow), &r);
            tornOff.emplace_back(static_cast<int>(i), POINT{r.left, r.top});
        }
    }
    CloseAllMenus();
    const POINT origin = TopWindowOrigin(g_app.topWindow);
    DockTopWindow(CurrentMonitors(), ScreenPoint{origin.x, origin.y});
    for (const auto& torn : tornOff) {
        RECT none{};
        TearOffMenu(torn.first, true, torn.second.x, torn.second.y, none);
    }
}
