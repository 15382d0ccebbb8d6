#include "launcher/splash.h"

#include <string>
#include <vector>

#include "launcher/launcher_messages.h"
#include "launcher/launcher_settings.h"
#include "launcher/launcher_ui.h"

namespace {

constexpr int kPictureSize = 64;
constexpr int kSplashBitmap = 109;
constexpr int kClassIcon = 102;

const char* const kLines[] = {
    "ＶＸ－ＣＡＤ　ＳＹＳＴＥＭ",
    "AutoCAD START...",
    "Copyright (C) VX Project. All rights reserved.",
    "_____________________________________________________",
    "                                                     ",
};
constexpr int kLineCount = sizeof kLines / sizeof kLines[0];

HWND g_window = nullptr;
HICON g_icon = nullptr;
int g_lineHeight = 16;
bool g_started = false;

void PlaceAndShow(HWND window) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    HDC dc = GetDC(window);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    g_lineHeight = metrics.tmHeight;
    int widest = 0;
    for (const char* line : kLines) {
        SIZE size{};
        GetTextExtentPoint32A(dc, line, lstrlenA(line), &size);
        widest = size.cx > widest ? size.cx : widest;
    }
    ReleaseDC(window, dc);
    int width = widest + 3 * g_lineHeight + 74;
    int height = g_lineHeight * (kLineCount + 3) + 10;
    int x = static_cast<int>((desktop.right - width) * 0.5);
    int y = static_cast<int>((desktop.bottom - height) * 0.5);
    SetWindowPos(window, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW);
    UpdateWindow(window);
    PostMessageA(window, kStartPlannedProgram, 0, 0);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(dc);
    SetBkColor(dc, RGB(192, 192, 192));
    HBITMAP picture =
        LoadBitmapA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)),
                    MAKEINTRESOURCEA(kSplashBitmap));
    if (picture != nullptr) {
        HGDIOBJ previous = SelectObject(memory, picture);
        BitBlt(dc, g_lineHeight, g_lineHeight, kPictureSize, kPictureSize, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteObject(picture);
    }
    DeleteDC(memory);
    for (int k = 1; k <= kLineCount; ++k) {
        TextOutA(dc, 2 * g_lineHeight + kPictureSize, k * g_lineHeight, kLines[k - 1],
                 lstrlenA(kLines[k - 1]));
    }
    EndPaint(window, &paint);
}

// Starts a program by its command line; the handles are closed at once,
// the launcher waits for nothing.
bool LaunchCommand(const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (commandLine.empty() || !CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                                               CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS,
                                               nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void StartPlannedProgram(HWND window) {
    if (g_started) {
        return;
    }
    g_started = true;
    if (!SetTimer(window, kSplashTimer, kSplashLifeMs, nullptr)) {
        ShowMessage(window, kNoTimer, kLauncherCaption, MB_ICONERROR);
        DestroyWindow(window);
        return;
    }
    if (g_plan.startMenuProgram) {
        // Quoted: the package folder may hold blanks.
        std::string path = g_plan.menuProgramPath;
        if (!LaunchCommand(path.empty() ? "" : "\"" + path + "\"")) {
            KillTimer(window, kSplashTimer); // the box stays until it is answered
            ShowMessage(window, kMenuStartFailed, kLauncherCaption, MB_ICONERROR);
            DestroyWindow(window);
        }
    } else if (!LaunchCommand(g_plan.cadCommandLine)) {
        KillTimer(window, kSplashTimer);
        ShowMessage(nullptr, FormatMessageText(kCadStartFailed, g_plan.cadCommandLine.c_str()),
                    kLauncherCaption, MB_OK);
        DestroyWindow(window);
    }
}

} // namespace

HWND RegisterSplashClass(HINSTANCE instance) {
    g_icon = LoadIconA(instance, MAKEINTRESOURCEA(kClassIcon));
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = vxcadProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = g_icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = kLauncherCaption;
    if (!RegisterClassA(&windowClass)) {
        return nullptr;
    }
    return CreateWindowExA(0, kLauncherCaption, kLauncherCaption, WS_POPUP | WS_DLGFRAME, 0, 0, 0,
                           0, nullptr, nullptr, instance, nullptr);
}

extern "C" LRESULT CALLBACK vxcadProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        g_window = window;
        PlaceAndShow(window);
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case kStartPlannedProgram:
        StartPlannedProgram(window);
        return 0;
    case WM_TIMER:
        KillTimer(window, kSplashTimer);
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
