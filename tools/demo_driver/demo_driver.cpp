// Drives the floating menu for the main job's demonstration: clicks items
// of the demo package as a user would and says what the stand-in CAD
// program received. "show" leaves a cascade chain and a torn-off window
// open; "dialog" opens the registered-commands dialog from the torn-off
// window and chooses two packages, leaving it open; "left" resets them and
// docks the menu at the left edge by that dialog; "right" docks it back by
// the short dialog of the 設定 menu; "modules" loads the in-CAD modules into
// the stand-in CAD program and calls their LISP functions; "close" closes the
// menu with command 109. For the launcher: "splash" waits for its splash
// window and describes it, "top" waits for the floating menu started by it
// and names its packages, "closecad" closes the stand-in CAD program, which
// takes the floating menu with it.
//   demo_driver splash
//   demo_driver top <VXMENU32.INI>
//   demo_driver closecad
//   demo_driver show <VXMENU32.INI> <CAD log> <library trace>
//   demo_driver dialog <VXMENU32.INI>
//   demo_driver left <VXMENU32.INI> <CAD log>
//   demo_driver right <VXMENU32.INI>
//   demo_driver modules <CAD log> <folder of VXMENU32.EXE and the modules> <command file>
//   demo_driver close <VXMENU32.INI>
#include <windows.h>

#include "menu/model/menu_model.h"
#include "menu/res/resource_ids.h"
#include "menu/strutil/derived_path.h"
#include "menu/strutil/sjis_text.h"
#include "tools/menu_driver/menu_driver.h"
#include "tools/standin_cad/command_log.h"
#include "tools/standin_cad/control.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// How long a step may take on a busy machine before it counts as failed.
constexpr int kPatienceMs = 15000;

// Waits until condition holds, at most timeoutMs.
template <typename Condition> bool WaitFor(Condition condition, int timeoutMs) {
    for (int waited = 0; !condition(); waited += 20) {
        if (waited >= timeoutMs) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

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
    WaitFor([&] { return CountCommands(log) > before; }, kPatienceMs);
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
    HWND window = nullptr;
    WaitFor([&] { return (window = FindMenuWindow(className, menu)) != nullptr; }, kPatienceMs);
    return window;
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
    // The demo's only torn-off window; its caption shows the hint of an item
    // under the pointer rather than the menu's title.
    HWND torn = nullptr;
    WaitFor([&] { return (torn = FindWindowA("VXMENU_PARENT", nullptr)) != nullptr; }, kPatienceMs);
    printf("  dragging the cascade of ツール %s\n",
           torn ? "tore it off: it stays open on its own" : "did not tear it off");
    if (torn != nullptr) {
        ClickItem(torn, toolsMenu, FindItem(toolsMenu, "ライブラリ呼出し"));
        bool traced = WaitFor([&] { return GetFileAttributesA(trace) != INVALID_FILE_ATTRIBUTES; },
                              kPatienceMs);
        printf("  click ライブラリ呼出し -> the library function %s\n",
               traced ? "ran and left its trace" : "left no trace");
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

// The layout file beside the configuration file, named as the menu names it.
std::string LayoutPath(const char* ini) {
    char path[MAX_PATH];
    return DerivePath(path, sizeof path, ini, ".dsp") ? path : "";
}

// The registered-commands dialog's caption: the package name and "・システム情報".
std::string DialogCaption(const char* ini) {
    char name[260];
    GetPrivateProfileStringA("VXMENU", "PKGNAME", "", name, sizeof name, ini);
    return std::string(name) + "・システム情報";
}

HWND OpenedDialog(const char* ini) {
    std::string caption = DialogCaption(ini);
    HWND dialog = WaitForDialog(caption, kPatienceMs);
    if (dialog == nullptr) {
        printf("  the dialog %s did not open\n", caption.c_str());
    }
    return dialog;
}

std::string ControlText(HWND dialog, int id) {
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Opens the dialog from バージョン情報 in the torn-off ツール window, says what
// it shows and chooses the first and the last package.
int Dialog(const char* ini) {
    if (!LoadAndMeasureMenus(ini) || WaitForTopWindow(kPatienceMs) == nullptr) {
        printf("  the floating menu is not running\n");
        return 1;
    }
    int toolsMenu = g_menuTable[0].items[FindItem(0, "ツール")].submenu;
    // The demo's only torn-off window; its caption may show an item's hint.
    HWND torn = FindWindowA("VXMENU_PARENT", nullptr);
    if (torn == nullptr) {
        printf("  the torn-off ツール window is not open\n");
        return 1;
    }
    ClickItem(torn, toolsMenu, FindItem(toolsMenu, "バージョン情報"));
    HWND dialog = OpenedDialog(ini);
    if (dialog == nullptr) {
        return 1;
    }
    char caption[256] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    printf("  click バージョン情報 -> dialog \"%s\": %s / %s, %s\n", caption,
           ControlText(dialog, IDC_PACKAGE_NAME).c_str(),
           ControlText(dialog, IDC_PACKAGE_TYPE).c_str(),
           IsDlgButtonChecked(dialog, IDC_SIDE_RIGHT) ? "menu at the right (右側)"
                                                      : "menu at the left (左側)");
    HWND list = GetDlgItem(dialog, IDC_PACKAGE_LIST);
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    printf("  registered commands:");
    for (int i = 0; i < count; ++i) {
        printf(" %s", ListBoxEntry(list, i).c_str());
    }
    printf("\n");
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    SendMessageA(list, LB_SETSEL, TRUE, count - 1);
    printf("  the first and the last are chosen\n");
    return 0;
}

// Chooses a side in the open dialog and presses OK; waits for the top window
// to dock there.
bool ChooseSide(const char* ini, HWND dialog, bool left) {
    HWND top = FindWindowA("VXMENU_TOP", "VXMENU");
    RECT before{};
    GetWindowRect(top, &before);
    PostMessageA(GetDlgItem(dialog, left ? IDC_SIDE_LEFT : IDC_SIDE_RIGHT), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT after{};
    bool docked = WaitFor(
        [&] {
            GetWindowRect(top, &after);
            return !IsWindow(dialog) && (left ? after.left == 1 : after.right == desktop.right - 1);
        },
        kPatienceMs);
    printf("  %s + OK -> the top window %s: x %ld -> %ld, y %ld -> %ld\n", left ? "左側" : "右側",
           docked ? "docked there at once" : "did not move", before.left, after.left, before.top,
           after.top);
    char slot0[80] = "";
    GetPrivateProfileStringA("Recode0", "MENU0", "", slot0, sizeof slot0, LayoutPath(ini).c_str());
    printf("  layout slot 0 saved at once: MENU0=%s\n", slot0);
    return docked;
}

// Presses 初期値設定, then docks the menu at the left edge.
int Left(const char* ini, const char* log) {
    HWND dialog = OpenedDialog(ini);
    if (dialog == nullptr) {
        return 1;
    }
    size_t before = CountCommands(log);
    PostMessageA(GetDlgItem(dialog, IDC_RESET), BM_CLICK, 0, 0);
    ReportCommand(log, before, "初期値設定");
    if (!ChooseSide(ini, dialog, true)) {
        return 1;
    }
    WaitFor([] { return FindWindowA("VXMENU_PARENT", nullptr) != nullptr; }, kPatienceMs);
    printf("  the torn-off ツール window %s\n", FindWindowA("VXMENU_PARENT", nullptr)
                                                    ? "is open again at its place"
                                                    : "did not come back");
    return 0;
}

// The short dialog from パッケージ情報 of the 設定 cascade: back to the right.
int Right(const char* ini) {
    HWND top = WaitForTopWindow(kPatienceMs);
    if (top == nullptr || !LoadAndMeasureMenus(ini)) {
        printf("  the floating menu is not running\n");
        return 1;
    }
    int settings = FindItem(0, "設定");
    int settingsMenu = g_menuTable[0].items[settings].submenu;
    ClickItem(top, 0, settings);
    HWND cascade = WaitForMenuWindow("VXMENU_CHILD", settingsMenu);
    if (cascade == nullptr) {
        printf("  the 設定 cascade did not open\n");
        return 1;
    }
    ClickItem(cascade, settingsMenu, FindItem(settingsMenu, "パッケージ情報"));
    HWND dialog = OpenedDialog(ini);
    if (dialog == nullptr) {
        return 1;
    }
    printf("  click 設定, then パッケージ情報 -> the dialog without 初期値設定 (%s)\n",
           GetDlgItem(dialog, IDC_RESET) ? "but it has one" : "as it should be");
    return ChooseSide(ini, dialog, false) ? 0 : 1;
}

bool SendToCad(HWND cad, ULONG_PTR kind, const std::string& text) {
    COPYDATASTRUCT data{kind, static_cast<DWORD>(text.size() + 1), const_cast<char*>(text.c_str())};
    return SendMessageA(cad, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) != 0;
}

// The RESULT records the stand-in logged so far.
std::vector<std::string> Results(const char* log) {
    std::vector<std::string> results;
    for (const LogRecord& record : ReadLogRecords(log)) {
        if (record.kind == "RESULT") {
            results.push_back(record.bytes);
        }
    }
    return results;
}

// Sends a LISP call and prints the result the stand-in logs once it has run
// it (after the send has returned; starting the menu takes a while).
void CallLisp(HWND cad, const char* log, const std::string& call) {
    const size_t before = Results(log).size();
    SendToCad(cad, 1, call);
    std::vector<std::string> results;
    if (!WaitFor([&] { return (results = Results(log)).size() > before; }, 8 * kPatienceMs)) {
        printf("  %s -> no result\n", call.c_str());
        return;
    }
    printf("  %s -> %s\n", call.c_str(),
           results[before].empty() ? "(no value)" : results[before].c_str());
}

int Modules(const char* log, const std::string& folder, const std::string& commandFile) {
    HWND cad = FindWindowA("VXStandInCad", nullptr);
    if (cad == nullptr) {
        printf("  the stand-in CAD program is not running\n");
        return 1;
    }
    SendToCad(cad, kStandInControl, "support=" + folder);
    for (const char* name : {"vxmstart.arx", "VXUTY.arx"}) {
        SendToCad(cad, kStandInControl, "arx-load=" + folder + "\\" + name);
    }
    size_t loaded = 0, defined = 0;
    for (const LogRecord& record : ReadLogRecords(log)) {
        loaded += record.kind == "ARX";
        defined += record.kind == "DEFUN";
    }
    printf("  loaded %u modules, %u LISP functions defined\n", static_cast<unsigned>(loaded),
           static_cast<unsigned>(defined));

    CallLisp(cad, log, "(vxminit)");
    bool learnt = WaitFor([] { return FindWindowA("VXMSTART", nullptr) == nullptr; }, 15000);
    printf("  vxmstart %s the menu's window handles from VXMENU32.INI\n",
           learnt ? "learnt" : "did not learn");
    HWND top = FindWindowA("VXMENU_TOP", "VXMENU");
    CallLisp(cad, log, "(vxmend)");
    printf("  the floating menu %s\n",
           WaitFor([top] { return !IsWindow(top); }, kPatienceMs) ? "closed" : "is still open");
    CallLisp(cad, log, "(vxmstart)");
    top = FindWindowA("VXMENU_TOP", "VXMENU");
    printf("  the floating menu %s\n",
           top ? "is back, attached to the CAD window by /HWND:" : "did not come back");
    SendToCad(cad, kStandInControl, "command-start=PLOT");
    bool closed = !IsWindow(top);
    SendToCad(cad, kStandInControl, "command-end=PLOT");
    printf("  PLOT %s the menu; its end %s\n", closed ? "closed" : "did not close",
           FindWindowA("VXMENU_TOP", "VXMENU") ? "brought it back" : "did not bring it back");
    std::string quoted;
    for (char c : commandFile) {
        quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    CallLisp(cad, log, "(%mkcmdlst \"" + quoted + "\")");
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
    bool ended = handle && WaitForSingleObject(handle, kPatienceMs) == WAIT_OBJECT_0;
    if (handle) {
        CloseHandle(handle);
    }
    printf("  command 109 -> the floating menu %s\n",
           ended ? "closed without asking" : "did not close");
    char values[2][256];
    const std::string layout = LayoutPath(ini);
    GetPrivateProfileStringA("Recode0", "MENU0", "", values[0], sizeof values[0], layout.c_str());
    GetPrivateProfileStringA("Recode0", "DeskTop", "", values[1], sizeof values[1], layout.c_str());
    printf("  layout slot 0 saved: DeskTop=%s MENU0=%s\n", values[1], values[0]);
    return ended ? 0 : 1;
}

int Splash() {
    HWND splash = nullptr;
    RECT r{};
    bool shown = WaitFor(
        [&] {
            splash = FindWindowA("VXCAD", "VXCAD");
            return splash != nullptr && IsWindowVisible(splash) && GetWindowRect(splash, &r) &&
                   r.right > r.left;
        },
        20000);
    if (!shown) {
        printf("  no splash window came\n");
        return 1;
    }
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    LONG style = GetWindowLongA(splash, GWL_STYLE);
    bool centred = r.left == (desktop.right - (r.right - r.left)) / 2 &&
                   r.top == (desktop.bottom - (r.bottom - r.top)) / 2;
    printf("  the splash window \"VXCAD\": %ldx%ld at %ld,%ld, %s on the %ldx%ld desktop, %s, %s\n",
           r.right - r.left, r.bottom - r.top, r.left, r.top, centred ? "centred" : "not centred",
           desktop.right, desktop.bottom,
           (GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "top-most" : "not top-most",
           (style & WS_CAPTION) == WS_CAPTION ? "with a caption bar" : "without a caption bar");
    return 0;
}

int Top(const char* ini) {
    // The launcher writes the configuration before the menu starts, and the
    // menu reads it before showing its top window: load it after that.
    HWND top = WaitForTopWindow(30000);
    if (!LoadAndMeasureMenus(ini)) {
        printf("  the menus of %s cannot be loaded\n", ini);
        return 1;
    }
    printf("  the floating menu %s with %d packages:", top ? "is shown" : "did not show",
           static_cast<int>(g_packageTable.size()));
    for (const PackageEntry& package : g_packageTable) {
        printf(" %s", package.displayName.c_str());
    }
    printf("\n");
    return top ? 0 : 1;
}

int CloseCad() {
    HWND cad = FindWindowA("VXStandInCad", nullptr);
    if (cad == nullptr) {
        printf("  the stand-in CAD program is not running\n");
        return 1;
    }
    SendToCad(cad, kStandInControl, "close");
    bool ended = WaitFor(
        [] {
            return FindWindowA("VXStandInCad", nullptr) == nullptr &&
                   FindWindowA("VXMENU_TOP", "VXMENU") == nullptr;
        },
        10000);
    printf("  the stand-in CAD program %s\n",
           ended ? "closed, and the floating menu with it" : "or the floating menu did not close");
    return ended ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "splash") {
        return Splash();
    }
    if (argc >= 3 && std::string(argv[1]) == "top") {
        return Top(argv[2]);
    }
    if (argc >= 2 && std::string(argv[1]) == "closecad") {
        return CloseCad();
    }
    if (argc >= 5 && std::string(argv[1]) == "show") {
        return Show(argv[2], argv[3], argv[4]);
    }
    if (argc >= 3 && std::string(argv[1]) == "dialog") {
        return Dialog(argv[2]);
    }
    if (argc >= 4 && std::string(argv[1]) == "left") {
        return Left(argv[2], argv[3]);
    }
    if (argc >= 3 && std::string(argv[1]) == "right") {
        return Right(argv[2]);
    }
    if (argc >= 5 && std::string(argv[1]) == "modules") {
        return Modules(argv[2], argv[3], argv[4]);
    }
    if (argc >= 3 && std::string(argv[1]) == "close") {
        return Close(argv[2]);
    }
    fprintf(stderr, "usage: demo_driver splash | top INI | closecad | "
                    "show INI CADLOG TRACE | dialog INI | left INI CADLOG | "
                    "right INI | modules CADLOG FOLDER CMDFILE | close INI\n");
    return 2;
}
