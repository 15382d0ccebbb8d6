#include "menu/cadlink/cad_link.h"

#include "menu/cadlink/caption_match.h"

// Every top-level window is examined, the first of the enumeration too: right
// after the CAD program starts its main window is often first in Z-order.

namespace {

bool LooksLikeCadWindow(HWND window) {
    char caption[256];
    if (!IsWindow(window) || GetWindowTextA(window, caption, sizeof caption) <= 0) {
        return false;
    }
    return IsCadCaption(caption, g_app.captionPrefix1, g_app.captionPrefix2);
}

BOOL CALLBACK HideIfCad(HWND window, LPARAM) {
    if (g_app.hiddenCount >= kMaxHiddenWindows) {
        return FALSE; // only what the list can hold, so that every one is shown again
    }
    if (LooksLikeCadWindow(window) && IsWindowVisible(window)) {
        ShowWindow(window, SW_HIDE);
        g_app.hiddenWindows[g_app.hiddenCount++] = window;
    }
    return TRUE;
}

// Whether HideCadWindows hid this window: an older CAD window, never the
// one just started.
bool WasHidden(HWND window) {
    for (int i = 0; i < g_app.hiddenCount; ++i) {
        if (g_app.hiddenWindows[i] == window) {
            return true;
        }
    }
    return false;
}

BOOL CALLBACK StopAtCad(HWND window, LPARAM) {
    if (!WasHidden(window) && LooksLikeCadWindow(window)) {
        g_app.cadWindow = window;
        return FALSE;
    }
    return TRUE;
}

struct PresenceQuery {
    HWND window;
    int found;
};

BOOL CALLBACK StopAtWindow(HWND window, LPARAM parameter) {
    PresenceQuery* query = reinterpret_cast<PresenceQuery*>(parameter);
    if (window == query->window && IsWindow(window)) {
        query->found = 1;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void HideCadWindows() {
    g_app.hiddenCount = 0;
    EnumWindows(HideIfCad, 0);
}

int FindCadWindow() {
    EnumWindows(StopAtCad, 0);
    return g_app.cadWindow != nullptr;
}

int IsCadWindowPresent(HWND window) {
    PresenceQuery query{window, 0};
    EnumWindows(StopAtWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

void ShowHiddenCadWindows() {
    for (int i = 0; i < g_app.hiddenCount; ++i) {
        ShowWindow(g_app.hiddenWindows[i], SW_SHOWNA);
        g_app.hiddenWindows[i] = nullptr;
    }
    g_app.hiddenCount = 0;
}
