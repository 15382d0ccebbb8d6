// Companion library of the demo menu packages: the bitmaps of their items
// (resources) and the functions their "DLL:" items call without arguments.
// The same source is built once per package, named after its menu file.
// It uses the Windows API only, without a C runtime: a library loaded by
// every menu start should cost little to load.
#include <windows.h>

namespace {

HMODULE g_module = nullptr;

// This library's own path with its extension replaced by ".log".
bool TracePath(char* path, DWORD size) {
    DWORD length = GetModuleFileNameA(g_module, path, size);
    if (length == 0 || length >= size) {
        return false;
    }
    DWORD dot = length;
    while (dot > 0 && path[dot - 1] != '.' && path[dot - 1] != '\\') {
        --dot;
    }
    if (dot == 0 || path[dot - 1] != '.' || dot + 4 > size) {
        return false;
    }
    lstrcpyA(path + dot, "log");
    return true;
}

} // namespace

extern "C" {

BOOL WINAPI DllEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

// Appends the line "DemoTrace" to the log beside this library.
__declspec(dllexport) void DemoTrace() {
    char path[MAX_PATH];
    if (!TracePath(path, sizeof path)) {
        return;
    }
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    static const char kLine[] = "DemoTrace\r\n";
    DWORD written = 0;
    WriteFile(file, kLine, sizeof kLine - 1, &written, nullptr);
    CloseHandle(file);
}

// Shows which library answered, under the demo's caption.
__declspec(dllexport) void DemoMessage() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(g_module, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        path[0] = '\0';
    }
    char text[MAX_PATH + 64];
    wsprintfA(text, "デモライブラリの関数が呼ばれました。\n%s", path);
    MessageBoxA(nullptr, text, "VXデモ", MB_OK | MB_ICONINFORMATION);
}

} // extern "C"
