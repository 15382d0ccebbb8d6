#include "menu/app/process_start.h"

#include "menu/strutil/sjis_text.h"

int LaunchProgram(const char* application, const char* commandLine, DWORD* idle) {
    char line[1024]; // CreateProcessA may write to the command line
    CopyText(line, sizeof line, commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application, line, nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &process)) {
        return 0;
    }
    if (idle != nullptr) {
        *idle = WaitForInputIdle(process.hProcess, kIdleWaitMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1;
}
