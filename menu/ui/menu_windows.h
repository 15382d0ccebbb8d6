// The floating menu's three window kinds.
#pragma once

#include <windows.h>

inline constexpr const char kTopWindowClass[] = "VXMENU_TOP";
inline constexpr const char kTornOffWindowClass[] = "VXMENU_PARENT";
inline constexpr const char kCascadeWindowClass[] = "VXMENU_CHILD";

// Window data: 32-bit slots of menu index, selection, hover item, cascade origin.
constexpr int kTopWindowBytes = 8;
constexpr int kTornOffWindowBytes = 12;
constexpr int kCascadeWindowBytes = 16;

LRESULT CALLBACK TopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TornOffWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CascadeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
