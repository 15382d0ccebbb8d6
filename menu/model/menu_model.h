// The floating menu's model: registered menu packages, menus and their items.
// Portable: window, bitmap and library handles are kept as opaque pointers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "menu/model/menu_text.h"

// Where an item's bitmap sits: vertical T (top), M (middle), B (bottom);
// horizontal L (left), C (centre), R (right), X (right, left of the arrow).
struct BitmapPlacement {
    char vertical;
    char horizontal;
};

using LibraryFunction = void (*)();

struct MenuItem {
    MenuText label;
    MenuText hint;
    MenuText command;                          // caret codes translated, newline rule applied
    MenuText alternate;                        // sent instead of command when Ctrl is down
    LibraryFunction libraryFunction = nullptr; // "DLL:" item
    int32_t labelLength = 1;                   // byte counts with the NUL; command and alternate
    int32_t hintLength = 1;                    // one more when not empty (room for the newline)
    int32_t commandLength = 1;
    int32_t alternateLength = 1;
    int32_t submenu = -1; // index in the menu table, -1 if none
    BitmapPlacement placement{'B', 'R'};
    void* bitmap = nullptr; // HBITMAP, owned by the loader; items naming one bitmap share it
    int32_t bitmapWidth = 0;
    int32_t bitmapHeight = 0;
    int32_t labelWidth = 0; // set by the layout
    int32_t rowHeight = 0;  // set by the layout
    int32_t columns = 1;
    int32_t span = 1;
    int32_t isStatic = 0;
    int32_t emphasised = 0;
    int32_t centred = 0;
    int32_t dialogKind = 0; // 1 "VXMENU_ABOUT", 2 "VXMENU_ABOUT2"
    int32_t left = 0;       // rectangle in client coordinates, set by the layout
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct MenuRecord {
    std::vector<MenuItem> items;
    int32_t itemStorageSize = 0;
    MenuText title;
    int32_t titleLength = 1;
    void* firstWindow = nullptr;  // HWND: top window, or the submenu's cascade window
    void* secondWindow = nullptr; // HWND: the submenu's torn-off window
    int32_t itemCount = 0;
    int32_t widthMinus1 = -1;  // set by the layout
    int32_t heightMinus1 = -1; // without the top window's 12-pixel strip
};

struct PackageEntry {
    std::string menuFile;
    std::string displayName;
    std::string initCommand; // caret codes translated, no newline rule
    int32_t menuFileLength = 1;
    int32_t nameLength = 1;
    int32_t commandLength = 1;
    void* library = nullptr; // HMODULE of the companion library
};

constexpr int kMaxPackages = 10;

// Process-wide tables, owned by the loader. Index 0 of the menu table is the top menu.
extern std::vector<PackageEntry> g_packageTable;
extern std::vector<MenuRecord> g_menuTable;

// Access by index; indexes stay valid until the tables are freed.
int MenuCount();
int PackageCount();
MenuRecord* MenuAt(int menu);               // nullptr when out of range
MenuItem* MenuItemAt(int menu, int item);   // nullptr when out of range
const PackageEntry* PackageAt(int package); // nullptr when out of range
