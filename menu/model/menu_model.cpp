#include "menu/model/menu_model.h"

std::vector<PackageEntry> g_packageTable;
std::vector<MenuRecord> g_menuTable;

int MenuCount() {
    return static_cast<int>(g_menuTable.size());
}

int PackageCount() {
    return static_cast<int>(g_packageTable.size());
}

MenuRecord* MenuAt(int menu) {
    if (menu < 0 || menu >= MenuCount()) {
        return nullptr;
    }
    return &g_menuTable[menu];
}

MenuItem* MenuItemAt(int menu, int item) {
    MenuRecord* record = MenuAt(menu);
    if (record == nullptr || item < 0 || item >= static_cast<int>(record->items.size())) {
        return nullptr;
    }
    return &record->items[item];
}

const PackageEntry* PackageAt(int package) {
    if (package < 0 || package >= PackageCount()) {
        return nullptr;
    }
    return &g_packageTable[package];
}
