// The floating menu's three window kinds and their window data.
#pragma once

#include <windows.h>

inline constexpr const char kTopWindowClass[] = "VXMENU_TOP";
inline constexpr const char kTornOffWindowClass[] = "VXMENU_PARENT";
inline constexpr const char kCascadeWindowClass[] = "VXMENU_CHILD";

// Window data: 32-bit slots. Top window: menu index, selection; torn-off
// window: and the hover item; cascade window: and the cascade origin.
constexpr int kTopWindowBytes = 8;
constexpr int kTornOffWindowBytes = 12;
constexpr int kCascadeWindowBytes = 16;

enum WindowSlot {
    kWindowMenuIndex = 0,
    kWindowSelection = 4, // item index; + 100 while its submenu is held open; -1 for none
    kWindowHover = 8,     // item whose hint is in the caption; 999 for none
    kWindowOrigin = 12,   // menu index of the window a cascade chain started from
};

constexpr int kNoHover = 999;

inline int GetWindowSlot(HWND window, WindowSlot slot) {
    return static_cast<int>(GetWindowLongA(window, slot));
}

inline void SetWindowSlot(HWND window, WindowSlot slot, int value) {
    SetWindowLongA(window, slot, value);
}

LRESULT CALLBACK TopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TornOffWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CascadeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
