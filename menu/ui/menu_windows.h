// The floating menu's three window kinds and their window data.
#pragma once

#include <windows.h>

inline constexpr const char kTopWindowClass[] = "VXMENU_TOP";
inline constexpr const char kTornOffWindowClass[] = "VXMENU_PARENT";
inline constexpr const char kCascadeWindowClass[] = "VXMENU_CHILD";

// Window data: 32-bit slots. Top window: menu index, selection and whether
// it is held open; torn-off window: and the hover item; cascade window: and
// the cascade origin.
constexpr int kTopWindowBytes = 12;
constexpr int kTornOffWindowBytes = 16;
constexpr int kCascadeWindowBytes = 20;

enum WindowSlot {
    kWindowMenuIndex = 0,
    kWindowSelection = 4, // item index; -1 for none
    kWindowHeld = 8,      // 1 while the selected item's submenu is held open by a click
    kWindowHover = 12,    // item whose hint is in the caption; 999 for none
    kWindowOrigin = 16,   // menu index of the window a cascade chain started from
};

constexpr int kNoHover = 999;

inline int GetWindowSlot(HWND window, WindowSlot slot) {
    return static_cast<int>(GetWindowLongA(window, slot));
}

inline void SetWindowSlot(HWND window, WindowSlot slot, int value) {
    SetWindowLongA(window, slot, value);
}

// Selects item n (-1: none); a new selection is not held open.
inline void SetSelection(HWND window, int n) {
    SetWindowSlot(window, kWindowSelection, n);
    SetWindowSlot(window, kWindowHeld, 0);
}

LRESULT CALLBACK TopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TornOffWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CascadeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
