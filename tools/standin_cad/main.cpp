// A stand-in for the CAD program (built as ACAD.EXE; never shipped): a main
// window with a configurable caption, WM_COPYDATA command input, a DDE
// server for execute transactions and a log of every command received. It
// hosts in-CAD modules ("-arx=PATH") and runs the command texts it receives
// (LISP calls, commands for the editor reactors) after the sender's call.
// Copied under another name beside a settings file of its own it also
// serves as an external program: a DDE server that records executes.
#include <windows.h>

#include "tools/standin_cad/command_log.h"
#include "tools/standin_cad/command_text.h"
#include "tools/standin_cad/control.h"
#include "tools/standin_cad/dde_server.h"
#include "tools/standin_cad/message_pump.h"
#include "tools/standin_cad/module_host.h"
#include "tools/standin_cad/standin_settings.h"

#include "cadmodules/frame/host_services.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

namespace {

StandInSettings g_settings;
HWND g_mainWindow = nullptr;

void Log(const char* kind, const std::string& bytes) {
    AppendLogRecord(g_settings.log.c_str(), kind, bytes.data(), bytes.size());
}

// Command texts received and not yet run: the CAD program takes command
// input at its prompt, after the sender's call has returned.
std::deque<std::string> g_commandInput;

// Logs a received command, after a STAMP record with the counter at its
// receipt when stamps are on (tests and benchmarks measure against it), and
// queues it to be run by the main loop.
void LogCommand(const char* kind, const std::string& bytes) {
    const bool command = strcmp(kind, "DDE") == 0 || strcmp(kind, "COPYDATA") == 0;
    if (g_settings.stampReceipts && command) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        Log("STAMP", std::to_string(now.QuadPart));
    }
    Log(kind, bytes);
    if (command) {
        g_commandInput.push_back(std::string(bytes.c_str()));
    }
}

// Runs one command text: a text that begins with "(" is a LISP call; a
// command such as PLOT starts and ends for the editor reactors, then a
// COMMAND record with its name is logged.
void RunCommand(const std::string& text) {
    if (text[0] == '(') {
        RunLispCall(text);
        return;
    }
    const std::string name = CommandNameOf(text.c_str());
    if (!name.empty()) {
        NotifyEditor(kEditorCommandWillStart, name.c_str());
        NotifyEditor(kEditorCommandEnded, name.c_str());
        Log("COMMAND", name);
    }
}

// The main loop: messages first, then the queued command input, one text at
// a time; modal loops (alerts, message boxes) run no command input.
void RunMainLoop() {
    for (;;) {
        if (!DispatchQueuedMessages()) {
            return;
        }
        if (!g_commandInput.empty()) {
            const std::string text = g_commandInput.front();
            g_commandInput.pop_front();
            RunCommand(text);
            continue;
        }
        WaitForMessage();
    }
}

// Verbs of the module host; any other verb is only logged.
void HandleModuleControl(const std::string& verb) {
    static const struct {
        const char* prefix;
        int event;
    } kCommandVerbs[] = {{"command-start=", kEditorCommandWillStart},
                         {"command-end=", kEditorCommandEnded},
                         {"command-cancel=", kEditorCommandCancelled},
                         {"command-fail=", kEditorCommandFailed}};
    for (const auto& command : kCommandVerbs) {
        if (verb.compare(0, strlen(command.prefix), command.prefix) == 0) {
            NotifyEditor(command.event, verb.c_str() + strlen(command.prefix));
            return;
        }
    }
    const size_t equals = verb.find('=');
    const std::string name = verb.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : verb.substr(equals + 1);
    if (verb == "dwg-open") {
        OpenDrawing();
    } else if (verb == "dwg-close") {
        CloseDrawing();
    } else if (name == "arx-load") {
        LoadCadModule(value);
    } else if (name == "arx-unload") {
        UnloadCadModule(value);
    } else if (name == "support") {
        SetSupportFolders(value);
    } else if (name == "invoke") { // invoke=CODE,PATH: a bare function code
        const size_t comma = value.find(',');
        InvokeFunctionCode(atoi(value.c_str()),
                           comma == std::string::npos ? "" : value.substr(comma + 1));
    } else if (verb == "foreign-text") {
        ReleaseForeignText();
    } else if (verb == "unbalanced-list") {
        ReturnUnbalancedList();
    } else if (verb == "alert-ok") {
        DismissAlert();
    }
}

LRESULT HandleControl(HWND window, const std::string& verb) {
    Log("CONTROL", verb);
    if (verb == "minimize") {
        ShowWindow(window, SW_MINIMIZE);
    } else if (verb == "restore") {
        ShowWindow(window, SW_RESTORE);
    } else if (verb == "close") {
        PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (verb == "dde-disconnect") {
        EndDdeConversations();
    } else if (verb == "refuse=1") {
        g_settings.refuseCopyData = 1;
    } else if (verb == "refuse=0") {
        g_settings.refuseCopyData = 0;
    } else {
        HandleModuleControl(verb);
    }
    return 1;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COPYDATA: {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string bytes;
        if (data->lpData != nullptr) {
            bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
        }
        if (data->dwData == kStandInControl) {
            return HandleControl(window, std::string(bytes.c_str()));
        }
        if (data->dwData != 1) {
            return 0;
        }
        if (g_settings.refuseCopyData) {
            Log("REFUSED", bytes);
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
        LogCommand("COPYDATA", bytes);
        return 1;
    }
    case WM_DESTROY:
        if (window == g_mainWindow) {
            StopDdeServer();
            PostQuitMessage(0);
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateTopLevel(HINSTANCE instance, const char* caption, int x, int y) {
    return CreateWindowExA(0, "VXStandInCad", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 480,
                           320, nullptr, nullptr, instance, nullptr);
}

// Waits in the message loop before any window exists, as a CAD program
// whose main window follows its splash screen: it counts as idle meanwhile.
void IdleWithoutWindows(DWORD ms) {
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < ms; elapsed = GetTickCount() - start) {
        if (!DispatchQueuedMessages()) {
            return; // the main loop ends on the quit posted again
        }
        WaitForMessage(ms - elapsed);
    }
}

void CreateExtraWindows(HINSTANCE instance) {
    int offset = 40;
    for (const std::string& caption : g_settings.extraWindows) {
        CreateTopLevel(instance, caption.c_str(), offset, offset);
        offset += 20;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    char modulePath[MAX_PATH];
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    g_settings = LoadStandInSettings(modulePath, commandLine);
    Log("START", g_settings.commandLine);
    if (g_settings.idleDelayMs > 0) {
        Sleep(g_settings.idleDelayMs);
    }
    if (g_settings.windowDelayMs > 0) {
        IdleWithoutWindows(static_cast<DWORD>(g_settings.windowDelayMs));
    }

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "VXStandInCad";
    RegisterClassA(&windowClass);

    // A window shown later lies in front of the earlier ones: by default the
    // main window is first in Z-order, with -extraontop=1 the extra windows are.
    if (!g_settings.extraOnTop) {
        CreateExtraWindows(instance);
    }
    g_mainWindow = CreateTopLevel(instance, g_settings.caption.c_str(), 20, 20);
    if (g_mainWindow == nullptr) {
        return 1;
    }
    if (g_settings.extraOnTop) {
        CreateExtraWindows(instance);
    }
    if (g_settings.startMinimized) {
        ShowWindow(g_mainWindow, SW_MINIMIZE);
    }
    if (!g_settings.ddeService.empty() &&
        !StartDdeServer(g_settings.ddeService.c_str(), g_settings.ddeTopic.c_str(), LogCommand)) {
        Log("ERROR", "dde server");
    }

    InitModuleHost(Log, modulePath, g_settings.support);
    for (const std::string& module : g_settings.arxModules) {
        LoadCadModule(module);
    }

    Log("READY", ""); // windows, DDE server and modules in place: tests may go on
    RunMainLoop();
    UnloadAllCadModules();
    Log("EXIT", "");
    return 0;
}
