// Starting programs: the CAD program, external programs and "EXEC" items.
#pragma once

#include <windows.h>

// WaitForInputIdle's limit for the CAD program and the external programs.
constexpr DWORD kIdleWaitMs = 180000;

// Starts a program with the floating menu's settings: default error mode,
// normal priority, no handles inherited, start-up information cleared.
// application may be null (the command line then names the program). When
// idle is not null, waits until the program is idle and stores
// WaitForInputIdle's result there. Returns 1 when the program started.
int LaunchProgram(const char* application, const char* commandLine, DWORD* idle);
