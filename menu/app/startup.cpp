#include "menu/app/startup.h"

#include "menu/app/app_state.h"
#include "menu/app/command_line.h"
#include "menu/app/menu_config.h"
#include "menu/app/process_start.h"
#include "menu/app/startup_messages.h"
#include "menu/cadlink/cad_link.h"
#include "menu/model/menu_loader.h"
#include "menu/strutil/derived_path.h"
#include "menu/strutil/sjis_text.h"
#include "menu/strutil/text_file.h"
#include "menu/ui/menu_paint.h"
#include "menu/ui/menu_session.h"

#include <cstdio>

namespace {

// Undoes what a failed start-up made: links, DDE instance, hidden windows.
void FailureCleanup() {
    EndDdeLinks();
    ShowHiddenCadWindows();
}

// The profile functions look for a file named without a folder in the
// Windows folder: the configuration found in the current folder is used by
// its full path from here on. A path that would not fit stays as it is.
void MakeFullPath(char (&path)[kPathSize]) {
    char full[kPathSize];
    DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (length > 0 && length < sizeof full) {
        CopyText(path, sizeof path, full);
    }
}

// Starts the CAD program from cadCommand and waits until it is idle.
int StartCadProgram() {
    WriteHwndBusy();
    DWORD idle = 0;
    if (!LaunchProgram(nullptr, g_app.cadCommand, &idle)) {
        ShowStartupMessage(kMsgCadStartFailed, g_app.cadCommand);
        return 0;
    }
    if (idle != 0) {
        ShowStartupMessage(kMsgCadNotIdle, g_app.cadCommand, static_cast<int>(idle));
        return 0;
    }
    if (g_app.acadFindWaitMs > 0) {
        Sleep(static_cast<DWORD>(g_app.acadFindWaitMs));
    }
    return 1;
}

// The main window of the CAD program just started. A program may count as
// idle before its main window exists (a splash screen; Wine's
// WaitForInputIdle at times): when the window is not there after the
// configured wait, it is looked for every 10 ms for as long again, at
// least kLateCadWindowMs, before start-up ends.
constexpr DWORD kLateCadWindowMs = 3000;

int FindStartedCadWindow() {
    if (FindCadWindow()) {
        return 1;
    }
    const DWORD configured =
        static_cast<DWORD>(g_app.acadFindWaitMs > 0 ? g_app.acadFindWaitMs : 0);
    const DWORD limit = configured > kLateCadWindowMs ? configured : kLateCadWindowMs;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limit) {
        Sleep(10);
        if (FindCadWindow()) {
            return 1;
        }
    }
    return 0;
}

// Attaches to the CAD main window given by /HWND: (hexadecimal).
int AttachCadWindow() {
    unsigned int value = 0;
    if (sscanf(g_app.cadWindowText, "%x", &value) != 1) {
        value = 0;
    }
    g_app.cadWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
    if (!IsCadWindowPresent(g_app.cadWindow)) {
        ShowStartupMessage(kMsgNoCadHandle);
        return 0;
    }
    return 1;
}

// Whether the CAD command line names a program: its first token, taken
// with the double quote as the only delimiter, is not empty.
bool HasProgramToken(const char* command) {
    char work[kCommandSize];
    CopyText(work, sizeof work, command);
    char* position = work;
    char* token = TokenizeMbAt(&position, "\"");
    return token != nullptr && token[0] != '\0';
}

int ConnectCad() {
    if (g_app.ddeConnectWaitMs > 0) {
        Sleep(static_cast<DWORD>(g_app.ddeConnectWaitMs));
    }
    g_app.cadLink.hszService = CreateDdeString(g_app.ddeService);
    g_app.cadLink.hszTopic = CreateDdeString(g_app.ddeTopic);
    if (!ConnectDde(g_app.cadLink.hszService, g_app.cadLink.hszTopic,
                    &g_app.cadLink.conversation)) {
        ShowStartupMessage(kMsgCadDdeFailed, g_app.cadCommand);
        return 0;
    }
    return 1;
}

// Steps up to the linked CAD program; 0 when start-up ends (message shown).
int RunStartupSteps(HINSTANCE previous, const char* commandLine) {
    if (previous == nullptr && !RegisterMenuClasses(g_app.instance)) {
        return 0;
    }
    CreateMenuFont();
    CopyText(g_app.menuName, sizeof g_app.menuName, "VXMENU");

    char modulePath[kPathSize];
    if (GetModuleFileNameA(nullptr, modulePath, sizeof modulePath) == 0) {
        ShowStartupMessage(kMsgNoProgramName);
        return 0;
    }
    modulePath[kPathSize - 1] = '\0';
    if (!DerivePath(g_app.iniPath, sizeof g_app.iniPath, modulePath, ".ini")) {
        ShowStartupMessage(kMsgBadProgramName, modulePath);
        return 0;
    }
    ParseCommandLine(commandLine, g_app.iniPath, g_app.menuName, g_app.cadWindowText);
    if (!FileExists(g_app.iniPath)) {
        ShowStartupMessage(kMsgNoConfigFile, g_app.iniPath);
        return 0;
    }
    MakeFullPath(g_app.iniPath);
    ReadMenuSettings();
    if (!SelectCadTarget()) {
        ShowStartupMessage(kMsgNoCadTarget, g_app.iniPath);
        return 0;
    }
    const bool hasDde = g_app.ddeService[0] != '\0' || g_app.ddeTopic[0] != '\0';
    if (hasDde && DdeInitializeA(&g_app.ddeInstance, DdeCallback, APPCMD_CLIENTONLY, 0) != 0) {
        g_app.ddeInstance = 0;
        ShowStartupMessage(kMsgDdeInitFailed);
        return 0;
    }
    const bool attach = g_app.cadWindowText[0] != '\0';
    if (!attach) {
        HideCadWindows();
    }
    if (!HasProgramToken(g_app.cadCommand)) {
        ShowStartupMessage(kMsgNoCadProgram, g_app.cadCommand);
        return 0;
    }
    if (attach ? !AttachCadWindow() : !StartCadProgram()) {
        return 0;
    }
    if (hasDde && !ConnectCad()) {
        return 0;
    }
    if (!attach) {
        if (!FindStartedCadWindow()) {
            return 0; // silent: the CAD program shows no main window
        }
        ShowHiddenCadWindows();
    }
    SetActiveWindow(g_app.cadWindow);
    return StartExternalPrograms();
}

} // namespace

void ShowStartupMessage(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    FormatTextV(text, sizeof text, format, args);
    va_end(args);
    MessageBoxA(nullptr, text, kMenuCaption, MB_OK);
}

int InitInstance(HINSTANCE instance, HINSTANCE previous, const char* commandLine) {
    g_app.instance = instance;
    if (!RunStartupSteps(previous, commandLine)) {
        FailureCleanup();
        return 0;
    }
    if (LoadMenus(g_app.iniPath, g_app.menuName) != 0) {
        ShowStartupMessage(kMsgMenuLoadFailed);
        FailureCleanup();
        return 0;
    }
    if (g_menuTable.empty() || g_menuTable[0].items.empty()) {
        FreeMenus(); // nothing to show: end silently
        FailureCleanup();
        return 0;
    }
    if (!OpenTopWindow()) {
        FreeMenus(); // silent: the window cannot be made
        FailureCleanup();
        return 0;
    }
    return 1;
}
