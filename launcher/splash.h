// The launcher's splash window: centred, top-most, a picture and a few
// lines; it starts the planned program at once and closes five seconds later.
#pragma once

#include <windows.h>

// Private message: start the planned program.
constexpr UINT kStartPlannedProgram = WM_USER + 100;
constexpr UINT kSplashTimer = 1;
constexpr UINT kSplashLifeMs = 5000;

// Registers the class "VXCAD" and creates the (hidden) window, which shows
// itself; nullptr when either fails.
HWND RegisterSplashClass(HINSTANCE instance);

extern "C" __declspec(dllexport) LRESULT CALLBACK
    vxcadProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
