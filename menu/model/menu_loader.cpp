#include "menu/model/menu_loader.h"

#include "menu/model/menu_build.h"
#include "menu/strutil/text_file.h"

#include <windows.h>

namespace {

TextFile* OpenMenuText(void*, const char* path) {
    return OpenTextFile(path, kTextFileShareDenyWrite);
}

void CloseMenuText(void*, TextFile* file) {
    CloseTextFile(file);
}

int MenuFileExists(void*, const char* path) {
    return FileExists(path);
}

// A library that cannot be loaded fails the load with its own message
// (I-15): the system's error boxes stay off meanwhile.
void* LoadCompanion(void*, const char* path) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA(path);
    SetErrorMode(previous);
    return library;
}

void FreeCompanion(void*, void* library) {
    FreeLibrary(static_cast<HMODULE>(library));
}

// A bitmap resource with its size from the bitmap object; one whose object
// cannot be read is deleted and counts as missing.
void* LoadCompanionBitmap(void*, void* library, const char* name, int32_t* width, int32_t* height) {
    HBITMAP bitmap = LoadBitmapA(static_cast<HMODULE>(library), name);
    if (bitmap == nullptr) {
        return nullptr;
    }
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) == 0) {
        DeleteObject(bitmap);
        return nullptr;
    }
    *width = info.bmWidth;
    *height = info.bmHeight;
    return bitmap;
}

void DeleteCompanionBitmap(void*, void* bitmap) {
    DeleteObject(static_cast<HBITMAP>(bitmap));
}

LibraryFunction FindCompanionFunction(void*, void* library, const char* name) {
    // Items call these functions without arguments and ignore their result.
    return reinterpret_cast<LibraryFunction>(GetProcAddress(static_cast<HMODULE>(library), name));
}

const MenuLoadHooks kWindowsHooks{
    nullptr,       OpenMenuText,        CloseMenuText,         MenuFileExists,       LoadCompanion,
    FreeCompanion, LoadCompanionBitmap, DeleteCompanionBitmap, FindCompanionFunction};

} // namespace

const MenuLoadHooks& WindowsMenuLoadHooks() {
    return kWindowsHooks;
}

int LoadMenus(const char* iniPath, const char* menuName) {
    return LoadMenuModel(iniPath, menuName, kWindowsHooks);
}

void FreeMenus() {
    FreeMenuModel(kWindowsHooks);
}
