// Builds the package and menu tables from the configuration file and the
// menu definition files. Portable: files, companion libraries, bitmaps and
// functions are reached through hooks (Win32 in the program, fakes in tests).
#pragma once

#include "menu/model/menu_findings.h"
#include "menu/model/menu_model.h"
#include "menu/strutil/line_reader.h"

#include <cstdint>

// Lines of the configuration file and of menu files: at most 1023 bytes.
constexpr int kMenuLineSize = 1024;

struct MenuLoadHooks {
    void* context;
    // Opens a text file for reading, others kept from writing; nullptr on failure.
    TextFile* (*openText)(void* context, const char* path);
    void (*closeText)(void* context, TextFile* file);
    int (*fileExists)(void* context, const char* path);
    // A companion library, or nullptr when it cannot be loaded.
    void* (*loadLibrary)(void* context, const char* path);
    void (*freeLibrary)(void* context, void* library);
    // A bitmap resource of library with its size, or nullptr.
    void* (*loadBitmap)(void* context, void* library, const char* name, int32_t* width,
                        int32_t* height);
    void (*deleteBitmap)(void* context, void* bitmap);
    // An exported function of library, or nullptr.
    LibraryFunction (*findFunction)(void* context, void* library, const char* name);
};

// Builds g_packageTable and g_menuTable from the registrations of section
// menuName in iniPath. 0 on success; nonzero on failure, and then both
// tables are freed. Tables that already exist are freed and the load fails.
// Nothing throws out of it: running out of memory fails the load.
// With a listener (the menu checker) every finding is reported to it, and
// the load goes on past a failure to check the rest; the result is the same.
int LoadMenuModel(const char* iniPath, const char* menuName, const MenuLoadHooks& hooks,
                  const MenuFindingListener* listener = nullptr);

// Deletes every bitmap (once, also where items share one), releases every
// companion library and empties both tables. Safe when nothing is loaded.
void FreeMenuModel(const MenuLoadHooks& hooks);
