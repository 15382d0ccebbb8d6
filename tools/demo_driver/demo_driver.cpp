// Drives the floating menu for the main job's demonstration: clicks items
// of the demo package as a user would and says what the stand-in CAD
// program received. "show" leaves a cascade chain and a torn-off window
// open; "close" closes the menu with command 109.
//   demo_driver show <VXMENU32.INI> <CAD log> <library trace>
//   demo_driver close <VXMENU32.INI>
#include <windows.h>

#include "menu/model/menu_model.h"
#include "menu/strutil/sjis_text.h"
#include "tools/menu_driver/menu_driver.h"
#include "tools/standin_cad/command_log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Printable form of a command: control bytes as ^X, the line feed as \n.
std::string Printable(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c == 0x1B) {
            text += "^C";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\0') {
            // the terminating NUL
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

size_t CountCommands(const char* log) {
    size_t count = 0;
    for (const LogRecord& record : ReadLogRecords(log)) {
        count += record.kind == "COPYDATA" || record.kind == "DDE";
    }
    return count;
}

// Waits until the CAD log holds more than `before` commands; prints the newest.
void ReportCommand(const char* log, size_t before, const char* what) {
    for (int i = 0; i < 200 && CountCommands(log) <= before; ++i) {
        Sleep(10);
    }
    std::vector<LogRecord> records = ReadLogRecords(log);
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (it->kind == "COPYDATA" || it->kind == "DDE") {
            printf("  %s -> the CAD program received by %s: %s\n", what, it->kind.c_str(),
                   Printable(it->bytes).c_str());
            return;
        }
    }
    printf("  %s -> nothing arrived\n", what);
}

// Index of the first item of menu labelled label (leading blanks aside);
// the demo's menu files are known to hold every label looked for.
int FindItem(int menu, const char* label) {
    const std::vector<MenuItem>& items = g_menuTable[menu].items;
    for (size_t i = 0; i < items.size(); ++i) {
        std::string text = items[i].label;
        TrimBlanks(&text[0]);
        if (strcmp(text.c_str(), label) == 0) {
            return static_cast<int>(i);
        }
    }
    printf("the demo menus have no item %s\n", label);
    exit(1);
}

HWND WaitForMenuWindow(const char* className, int menu) {
    for (int i = 0; i < 300; ++i) {
        if (HWND window = FindMenuWindow(className, menu)) {
            return window;
        }
        Sleep(10);
    }
    return nullptr;
}

int Show(const char* ini, const char* log, const char* trace) {
    if (!LoadAndMeasureMenus(ini)) {
        printf("the demo configuration's menus cannot be loaded\n");
        return 1;
    }
    HWND top = WaitForTopWindow(20000);
    if (top == nullptr) {
        printf("the floating menu did not show its top window\n");
        return 1;
    }
    RECT r{};
    GetWindowRect(top, &r);
    printf("  the top window is docked at the right edge: %ld,%ld %ldx%ld, %d menus, %d packages\n",
           r.left, r.top, r.right - r.left, r.bottom - r.top, static_cast<int>(g_menuTable.size()),
           static_cast<int>(g_packageTable.size()));

    ClickItem(top, 0, FindItem(0, "線分"));
    ReportCommand(log, 0, "click 線分");
    ClickItem(top, 0, FindItem(0, "文字記入"), MK_CONTROL);
    ReportCommand(log, 1, "Ctrl+click 文字記入");

    // ツール: open its cascade, then drag it away by its caption: torn off.
    int tools = FindItem(0, "ツール");
    int toolsMenu = g_menuTable[0].items[tools].submenu;
    ClickItem(top, 0, tools);
    HWND cascade = WaitForMenuWindow("VXMENU_CHILD", toolsMenu);
    if (cascade != nullptr) {
        RECT c{};
        GetWindowRect(cascade, &c);
        SetWindowPos(cascade, nullptr, c.left - 360, c.top + 200, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND torn = WaitForMenuWindow("VXMENU_PARENT", toolsMenu);
    printf("  dragging the cascade of ツール %s\n",
           torn ? "tore it off: it stays open on its own" : "did not tear it off");
    if (torn != nullptr) {
        ClickItem(torn, toolsMenu, FindItem(toolsMenu, "ライブラリ呼出し"));
        Sleep(300);
        FILE* file = fopen(trace, "rb");
        printf("  click ライブラリ呼出し -> the library function %s\n",
               file ? "ran and left its trace" : "left no trace");
        if (file != nullptr) {
            fclose(file);
        }
    }

    // 作図, then 編集 inside it: a chain of cascade windows.
    int draw = FindItem(0, "作図");
    int drawMenu = g_menuTable[0].items[draw].submenu;
    ClickItem(top, 0, draw);
    HWND drawWindow = WaitForMenuWindow("VXMENU_CHILD", drawMenu);
    if (drawWindow != nullptr) {
        int edit = FindItem(drawMenu, "編集");
        ClickItem(drawWindow, drawMenu, edit);
        int editMenu = g_menuTable[drawMenu].items[edit].submenu;
        HWND editWindow = WaitForMenuWindow("VXMENU_CHILD", editMenu);
        printf("  click 作図, then 編集 -> %s\n",
               editWindow ? "two cascade windows open side by side" : "the chain did not open");
        if (editWindow != nullptr) {
            ClickItem(editWindow, editMenu, FindItem(editMenu, "複写"), MK_SHIFT);
            ReportCommand(log, 2, "Shift+click 複写 (the chain stays open)");
        }
    }
    return 0;
}

int Close(const char* ini) {
    HWND top = FindWindowA("VXMENU_TOP", "VXMENU");
    if (top == nullptr) {
        printf("  the floating menu is not running\n");
        return 1;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(top, &process);
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    PostMessageA(top, WM_COMMAND, 109, 0);
    bool ended = handle && WaitForSingleObject(handle, 5000) == WAIT_OBJECT_0;
    if (handle) {
        CloseHandle(handle);
    }
    printf("  command 109 -> the floating menu %s\n",
           ended ? "closed without asking" : "did not close");
    char values[2][256];
    std::string layout = ini;
    layout = layout.substr(0, layout.find_last_of('.')) + ".dsp";
    GetPrivateProfileStringA("Recode0", "MENU0", "", values[0], sizeof values[0], layout.c_str());
    GetPrivateProfileStringA("Recode0", "DeskTop", "", values[1], sizeof values[1], layout.c_str());
    printf("  layout slot 0 saved: DeskTop=%s MENU0=%s\n", values[1], values[0]);
    return ended ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::string(argv[1]) == "show") {
        return Show(argv[2], argv[3], argv[4]);
    }
    if (argc >= 3 && std::string(argv[1]) == "close") {
        return Close(argv[2]);
    }
    fprintf(stderr, "usage: demo_driver show INI CADLOG TRACE | close INI\n");
    return 2;
}
