#include "cadmodules/start/menu_link.h"

#include "cadmodules/frame/cad_interface.h"
#include "cadmodules/start/menu_link_text.h"

#include <cstring>

MenuLink g_menuLink;

namespace {

constexpr char kPollClass[] = "VXMSTART";
constexpr UINT_PTR kPollTimer = 1;
constexpr WPARAM kMenuCloseCommand = 109;
constexpr DWORD kMenuIdleWaitMs = 180000;

HWND WindowFromValue(uintptr_t value) {
    return reinterpret_cast<HWND>(value);
}

// Reads the HWND key; when it holds anything but "BUSY", takes the pair
// from it. Returns 1 when the value was not "BUSY".
int ReadWindowPair() {
    char value[256] = "";
    if (g_menuLink.configPath[0] != '\0') {
        GetPrivateProfileStringA("VXMENU", "HWND", "", value, sizeof value, g_menuLink.configPath);
    }
    if (strcmp(value, "BUSY") == 0) {
        return 0;
    }
    uintptr_t cad = reinterpret_cast<uintptr_t>(g_menuLink.cadWindow);
    uintptr_t menu = reinterpret_cast<uintptr_t>(g_menuLink.menuWindow);
    ScanWindowPair(value, &cad, &menu);
    g_menuLink.cadWindow = WindowFromValue(cad);
    g_menuLink.menuWindow = WindowFromValue(menu);
    return 1;
}

LRESULT CALLBACK PollWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (SetTimer(window, kPollTimer, 1000, nullptr) == 0) {
            MessageBoxA(window, "タイマーを使用できません。", "VXMSTART", MB_ICONHAND);
            DestroyWindow(window);
        }
        return 0;
    case WM_TIMER: {
        g_menuLink.pollTicks += 1;
        const int done = ReadWindowPair();
        if (g_menuLink.pollTicks > 10 || done) {
            KillTimer(window, kPollTimer);
            DestroyWindow(window);
        }
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

BOOL CALLBACK EndPollWindow(HWND window, LPARAM) {
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(PollWindowProc)) {
        KillTimer(window, kPollTimer);
        DestroyWindow(window);
    }
    return TRUE;
}

} // namespace

void RegisterPollWindowClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PollWindowProc;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kPollClass;
    if (RegisterClassA(&windowClass) == 0) {
        acutPrintf("\nRegisterClass() Error!!\n");
    }
}

void EndPollWindows() {
    EnumThreadWindows(GetCurrentThreadId(), EndPollWindow, 0);
    UnregisterClassA(kPollClass, nullptr);
}

void CloseMenu() {
    if (g_menuLink.menuWindow != nullptr) {
        SendMessageA(g_menuLink.menuWindow, WM_COMMAND, kMenuCloseCommand, 0);
    }
}

int StartMenu() {
    if (g_menuLink.cadWindow == nullptr) {
        return 0;
    }
    char exePath[VX_CAD_PATH_SIZE];
    if (acedFindFile("VXMENU32.EXE", exePath) != RTNORM) {
        acedAlert("VXMENU32.EXEのパスを取得できません。");
        return 0;
    }
    char commandLine[260];
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    bool started = FormatMenuStartCommand(commandLine, sizeof commandLine, exePath,
                                          reinterpret_cast<uintptr_t>(g_menuLink.cadWindow)) &&
                   CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE,
                                  CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr,
                                  nullptr, &startup, &process);
    DWORD idle = WAIT_FAILED;
    if (started) {
        idle = WaitForInputIdle(process.hProcess, kMenuIdleWaitMs);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (idle != 0) {
        MessageBoxA(nullptr, "VXMENUが起動できません。", "VXMENU", MB_OK);
        return 0;
    }
    ReadWindowPair();
    return 1;
}

int MenuInitFunction() {
    char path[VX_CAD_PATH_SIZE];
    if (acedFindFile("VXMENU32.INI", path) == RTNORM) {
        strcpy(g_menuLink.configPath, path);
    } else {
        acedAlert("VXMENU32.INIを取得できません。");
    }
    if (CreateWindowExA(0, kPollClass, "VXMSTART", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                        nullptr) == nullptr) {
        acutPrintf("\nCreateWindow error ! \n");
    }
    return RTNORM;
}

int MenuEndFunction() {
    CloseMenu();
    return RTNORM;
}

int MenuStartFunction() {
    if (StartMenu()) {
        acedRetT();
    } else {
        acedRetNil();
    }
    return RTNORM;
}

int MenuCopyFunction() {
    acedRetNil();
    char exePath[VX_CAD_PATH_SIZE];
    if (acedFindFile("VXMENU32.EXE", exePath) != RTNORM) {
        acedAlert("VXMENUのパスを取得できません。");
        return RTNORM;
    }
    const resbuf* source = acedGetArgs();
    if (source == nullptr || source->restype != RTSTR || source->resval.rstring == nullptr) {
        return RTNORM;
    }
    const resbuf* destination = source->rbnext;
    if (destination == nullptr || destination->restype != RTSTR ||
        destination->resval.rstring == nullptr) {
        return RTNORM;
    }
    char sourcePath[kCopyPathSize];
    char destinationPath[kCopyPathSize];
    if (BuildCopyPaths(exePath, source->resval.rstring, destination->resval.rstring, sourcePath,
                       destinationPath) &&
        CopyFileA(sourcePath, destinationPath, FALSE)) {
        acedRetT();
    }
    return RTNORM;
}
