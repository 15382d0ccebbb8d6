// Companion library of the demo menu packages: the bitmaps of their items
// (resources) and the functions their "DLL:" items call without arguments.
// The same source is built once per package, named after its menu file.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

HMODULE g_module = nullptr;

// This library's own path with its extension replaced by ".log".
bool TracePath(char* path, size_t size) {
    DWORD length = GetModuleFileNameA(g_module, path, static_cast<DWORD>(size));
    if (length == 0 || length >= size) {
        return false;
    }
    char* dot = strrchr(path, '.');
    char* slash = strrchr(path, '\\');
    if (dot == nullptr || (slash != nullptr && dot < slash) || dot + 5 > path + size) {
        return false;
    }
    memcpy(dot, ".log", 5);
    return true;
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
    }
    return TRUE;
}

// Appends the line "DemoTrace" to the log beside this library.
__declspec(dllexport) void DemoTrace() {
    char path[MAX_PATH];
    if (!TracePath(path, sizeof path)) {
        return;
    }
    FILE* file = fopen(path, "ab");
    if (file != nullptr) {
        fputs("DemoTrace\r\n", file);
        fclose(file);
    }
}

// Shows which library answered, under the demo's caption.
__declspec(dllexport) void DemoMessage() {
    char path[MAX_PATH];
    if (GetModuleFileNameA(g_module, path, sizeof path) == 0) {
        path[0] = '\0';
    }
    path[MAX_PATH - 1] = '\0';
    char text[MAX_PATH + 64];
    snprintf(text, sizeof text, "デモライブラリの関数が呼ばれました。\n%s", path);
    MessageBoxA(nullptr, text, "VXデモ", MB_OK | MB_ICONINFORMATION);
}

} // extern "C"
