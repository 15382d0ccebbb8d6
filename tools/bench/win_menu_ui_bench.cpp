// Figures of the floating menu on screen, under Wine:
//  - click to command: from the posted button release over an item to the
//    stand-in CAD program's receipt of its command (median, 99th percentile);
//  - start-up in attach mode (/HWND:) until the top window is shown, against
//    the start of a trivial window program, for the demo package and the
//    10,000-item stress set;
//  - painting the stress set's top menu;
//  - click to dialog: from the posted button release over a dialog item to
//    the registered-commands dialog shown (median of 20 openings).
// Prints figures; never fails on them.
//   win_menu_ui_bench VXMENU32.EXE ACAD.EXE DEMO-PACKAGE-FOLDER
#include <windows.h>

#include "menu/app/app_state.h"
#include "menu/model/menu_model.h"
#include "menu/ui/menu_paint.h"
#include "tools/bench/bench_support.h"
#include "tools/bench/menu_stress_set.h"
#include "tools/menu_driver/menu_driver.h"
#include "tools/standin_cad/command_log.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kClicks = 300;
constexpr int kStarts = 8;
constexpr int kPaints = 30;
constexpr int kDialogOpenings = 20;

void End(HANDLE process) {
    if (process != nullptr) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

// Milliseconds from CreateProcess until a visible window of the class and
// caption exists; negative when it did not come.
double TimeToWindow(const std::string& commandLine, const char* className, const char* caption,
                    HANDLE* process) {
    long long start = Now();
    *process = StartBenchProcess(commandLine);
    for (int i = 0; i < 20000 && *process != nullptr; ++i) {
        HWND window = FindWindowA(className, caption);
        if (window != nullptr && IsWindowVisible(window)) {
            return Milliseconds(Now() - start);
        }
        Sleep(0);
    }
    return -1;
}

struct Setup {
    std::string menuExe, standIn, dir, demoIni, stressIni, dialogIni, log;
    HANDLE cad = nullptr;
    HWND cadWindow = nullptr;
};

std::string Configuration(const Setup& s, const std::string& packages) {
    return "[DIRECTORY]\r\nACAD16DIR=\"" + s.standIn + "\"\r\n" + packages;
}

bool Prepare(Setup& s, const std::string& demoFolder) {
    std::string library = demoFolder + "\\VXDEMO.DLL";
    s.demoIni = s.dir + "\\DEMO.INI";
    WriteBenchFile(s.demoIni, Configuration(s, "[VXMENU]\r\nVXMENU=\"" + demoFolder +
                                                   "\\VXDEMO.MNU\" \"demo\" x\r\nVXMENU=\"" +
                                                   demoFolder + "\\VXDRAW.MNU\" \"draw\" x\r\n"));
    MenuStressSet stress = MakeMenuStressSet(s.dir);
    for (const auto& file : stress.menuFiles) {
        WriteBenchFile(file.first, file.second);
        std::string dll = file.first.substr(0, file.first.size() - 4) + ".DLL";
        if (!CopyFileA(library.c_str(), dll.c_str(), FALSE)) {
            return false;
        }
    }
    s.dialogIni = s.dir + "\\DIALOG.INI";
    WriteBenchFile(s.dir + "\\DIALOG.MNU", "[Dialog]\r\n[About]VXMENU_ABOUT\r\n");
    if (!CopyFileA(library.c_str(), (s.dir + "\\DIALOG.DLL").c_str(), FALSE)) {
        return false;
    }
    WriteBenchFile(s.dialogIni, Configuration(s, "[VXMENU]\r\nPKGNAME=bench\r\nVXMENU=\"" + s.dir +
                                                     "\\DIALOG.MNU\" \"bench\" x\r\n"));
    s.stressIni = s.dir + "\\STRESS.INI";
    WriteBenchFile(s.stressIni, Configuration(s, stress.config));
    printf("stress set: %d items in %d packages\n", stress.items, kStressPackages);
    return true;
}

void BenchStartup(Setup& s) {
    std::vector<double> trivial, demo, stress;
    for (int i = 0; i < kStarts; ++i) {
        HANDLE process = nullptr;
        std::string caption = "trivial " + std::to_string(i);
        double ms = TimeToWindow("\"" + s.standIn + "\" \"-caption=" + caption + "\"",
                                 "VXStandInCad", caption.c_str(), &process);
        End(process);
        if (ms >= 0) {
            trivial.push_back(ms);
        }
        for (auto* target : {&demo, &stress}) {
            const std::string& ini = target == &demo ? s.demoIni : s.stressIni;
            char hex[32];
            snprintf(hex, sizeof hex, "%x",
                     static_cast<unsigned>(reinterpret_cast<UINT_PTR>(s.cadWindow)));
            ms = TimeToWindow("\"" + s.menuExe + "\" /HWND:" + hex + " \"" + ini + "\"",
                              "VXMENU_TOP", "VXMENU", &process);
            HWND top = FindWindowA("VXMENU_TOP", "VXMENU");
            if (top != nullptr) {
                PostMessageA(top, WM_COMMAND, 109, 0);
                WaitForSingleObject(process, 5000);
            }
            End(process);
            if (ms >= 0) {
                target->push_back(ms);
            }
        }
    }
    double base = Percentile(trivial, 0.5);
    printf("start-up to the window shown (median of %d):\n", kStarts);
    printf("  trivial window program      %8.1f ms\n", base);
    printf("  VXMENU32 /HWND: demo        %8.1f ms  = %.2f x   (target <= 2 x)\n",
           Percentile(demo, 0.5), Percentile(demo, 0.5) / base);
    printf("  VXMENU32 /HWND: stress set  %8.1f ms  = %.2f x   (target <= 3 x)\n",
           Percentile(stress, 0.5), Percentile(stress, 0.5) / base);
}

size_t CountStamps(const std::string& log) {
    size_t count = 0;
    for (const LogRecord& record : ReadLogRecords(log.c_str())) {
        count += record.kind == "STAMP";
    }
    return count;
}

long long LastStamp(const std::string& log) {
    long long stamp = 0;
    for (const LogRecord& record : ReadLogRecords(log.c_str())) {
        if (record.kind == "STAMP") {
            stamp = strtoll(record.bytes.c_str(), nullptr, 10);
        }
    }
    return stamp;
}

// Starts the menu on ini attached to the stand-in and lays out its menus
// here; the menu's process, or nullptr (then it says so for `what`).
HANDLE StartAttachedMenu(const Setup& s, const std::string& ini, const char* what, HWND* top) {
    char hex[32];
    snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(s.cadWindow)));
    HANDLE menu = StartBenchProcess("\"" + s.menuExe + "\" /HWND:" + hex + " \"" + ini + "\"");
    *top = WaitForTopWindow(20000);
    if (menu == nullptr || *top == nullptr || !LoadAndMeasureMenus(ini)) {
        printf("%s: the menu did not start\n", what);
        End(menu);
        return nullptr;
    }
    return menu;
}

void EndAttachedMenu(HANDLE menu, HWND top) {
    PostMessageA(top, WM_COMMAND, 109, 0);
    WaitForSingleObject(menu, 5000);
    End(menu);
    FreeMeasuredMenus();
}

void BenchClicks(Setup& s) {
    HWND top = nullptr;
    HANDLE menu = StartAttachedMenu(s, s.demoIni, "click to command", &top);
    if (menu == nullptr) {
        return;
    }
    POINT at = ItemCentre(0, 1); // the circle item: a plain command
    std::vector<double> delays;
    for (int i = 0; i < kClicks; ++i) {
        size_t before = CountStamps(s.log);
        PostMessageA(top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        long long released = Now();
        PostMessageA(top, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        for (int wait = 0; wait < 5000 && CountStamps(s.log) == before; ++wait) {
            Sleep(1);
        }
        delays.push_back(Milliseconds(LastStamp(s.log) - released));
    }
    printf("click to command (posted release -> CAD receipt, %d clicks): median %.3f ms, "
           "p99 %.3f ms   (target: median < 5 ms)\n",
           kClicks, Percentile(delays, 0.5), Percentile(delays, 0.99));
    EndAttachedMenu(menu, top);
}

void BenchDialog(Setup& s) {
    HWND top = nullptr;
    HANDLE menu = StartAttachedMenu(s, s.dialogIni, "click to dialog", &top);
    if (menu == nullptr) {
        return;
    }
    POINT at = ItemCentre(0, 0);
    std::vector<double> delays;
    for (int i = 0; i < kDialogOpenings; ++i) {
        PostMessageA(top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        long long released = Now();
        PostMessageA(top, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        HWND dialog = nullptr;
        for (int wait = 0; wait < 50000 && dialog == nullptr; ++wait) {
            dialog = FindWindowA("#32770", "bench・システム情報");
            if (dialog == nullptr || !IsWindowVisible(dialog)) {
                dialog = nullptr;
                Sleep(0);
            }
        }
        if (dialog == nullptr) {
            break;
        }
        delays.push_back(Milliseconds(Now() - released));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        for (int wait = 0; wait < 5000 && IsWindow(dialog); ++wait) {
            Sleep(1);
        }
    }
    if (delays.size() == kDialogOpenings) {
        printf("click to dialog (posted release -> registered-commands dialog shown, %d "
               "openings): median %.1f ms, max %.1f ms   (target: median < 50 ms)\n",
               kDialogOpenings, Percentile(delays, 0.5), Percentile(delays, 1.0));
    } else {
        printf("click to dialog: the dialog did not open\n");
    }
    EndAttachedMenu(menu, top);
}

void BenchPainting(Setup& s) {
    if (!LoadAndMeasureMenus(s.stressIni)) {
        printf("painting: the stress set did not load\n");
        return;
    }
    const MenuRecord& top = g_menuTable[0];
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    // A window's paint covers at most what the screen shows of it.
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const int width = top.widthMinus1 + 1;
    const int height = std::min<int>(top.heightMinus1 + 14, desktop.bottom - desktop.top);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    HGDIOBJ previousFont = SelectMenuFont(dc);
    CreateMenuPens();
    std::vector<double> times;
    for (int i = 0; i < kPaints; ++i) {
        long long start = Now();
        PaintMenu(dc, 0, nullptr, -1);
        GdiFlush();
        times.push_back(Milliseconds(Now() - start));
    }
    DeleteMenuPens();
    if (previousFont != nullptr) {
        SelectObject(dc, previousFont);
    }
    SelectObject(dc, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    printf("painting the stress set's top menu (%d items, %d pixels high; the %dx%d pixels "
           "a screen shows): median %.2f ms, max %.2f ms   (target < 16 ms)\n",
           static_cast<int>(top.items.size()), top.heightMinus1 + 14, width, height,
           Percentile(times, 0.5), Percentile(times, 1.0));
    FreeMeasuredMenus();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: win_menu_ui_bench VXMENU32.EXE ACAD.EXE DEMO-PACKAGE-FOLDER\n");
        return 2;
    }
    Setup s;
    s.menuExe = argv[1];
    s.standIn = argv[2];
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    s.dir = std::string(temp) + "vxuibench";
    CreateDirectoryA(s.dir.c_str(), nullptr);
    s.log = s.dir + "\\cad.log";
    DeleteFileA(s.log.c_str());
    if (!Prepare(s, argv[3])) {
        fprintf(stderr, "cannot prepare the stress set in %s\n", s.dir.c_str());
        return 1;
    }
    s.cad = StartBenchProcess("\"" + s.standIn +
                              "\" \"-caption=AutoCAD 2004 - [bench.dwg]\" -stamp=1 -log=" + s.log);
    for (int i = 0; i < 500 && s.cadWindow == nullptr; ++i) {
        s.cadWindow = FindWindowA("VXStandInCad", "AutoCAD 2004 - [bench.dwg]");
        Sleep(10);
    }
    if (s.cadWindow == nullptr) {
        fprintf(stderr, "the stand-in CAD program did not start\n");
        End(s.cad);
        return 1;
    }
    BenchPainting(s);
    BenchClicks(s);
    BenchDialog(s);
    BenchStartup(s);
    End(s.cad);
    return 0;
}
