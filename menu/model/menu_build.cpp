#include "menu/model/menu_build.h"

#include "menu/model/command_text.h"
#include "menu/model/item_line.h"
#include "menu/model/registration_line.h"
#include "menu/strutil/derived_path.h"
#include "menu/strutil/sjis_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <utility>

namespace {

// Every bitmap of the loaded menus, once per library and resource name:
// items that name the same bitmap share its handle, which is deleted once.
struct LoadedBitmap {
    void* bitmap;
    int32_t width;
    int32_t height;
};
std::vector<LoadedBitmap> g_loadedBitmaps;

// Closes a text file when the reading ends, also by an exception.
class OpenText {
public:
    OpenText(const MenuLoadHooks& hooks, const char* path)
        : hooks_(hooks), file_(hooks.openText(hooks.context, path)) {}
    ~OpenText() {
        if (file_ != nullptr) {
            hooks_.closeText(hooks_.context, file_);
        }
    }
    OpenText(const OpenText&) = delete;
    OpenText& operator=(const OpenText&) = delete;
    TextFile* file() const { return file_; }

private:
    const MenuLoadHooks& hooks_;
    TextFile* file_;
};

// Orders bitmap keys (library, name) and looks them up by a name that is not
// a std::string yet.
struct BitmapKeyLess {
    using is_transparent = void;
    using View = std::pair<void*, const char*>;
    static int Compare(void* a, const char* an, void* b, const char* bn) {
        if (a != b) {
            return std::less<void*>()(a, b) ? -1 : 1;
        }
        return strcmp(an, bn);
    }
    bool operator()(const std::pair<void*, std::string>& a,
                    const std::pair<void*, std::string>& b) const {
        return Compare(a.first, a.second.c_str(), b.first, b.second.c_str()) < 0;
    }
    bool operator()(const std::pair<void*, std::string>& a, const View& b) const {
        return Compare(a.first, a.second.c_str(), b.first, b.second) < 0;
    }
    bool operator()(const View& a, const std::pair<void*, std::string>& b) const {
        return Compare(a.first, a.second, b.first, b.second.c_str()) < 0;
    }
};

struct Loader {
    const MenuLoadHooks& hooks;
    BitmapPlacement current; // the placement of items that name none
    std::map<std::pair<void*, std::string>, size_t, BitmapKeyLess>
        bitmapIndex; // into g_loadedBitmaps
    // The items of the submenus being read, by depth (index 0 unused: menu
    // 0's items go straight into it). A submenu gets its items when it ends,
    // in a list of its exact size.
    std::vector<std::vector<MenuItem>> pending;
    char line[kMenuLineSize];
};

// The bitmap of library by name, loaded on its first use in this load.
const LoadedBitmap& BitmapOf(Loader& loader, void* library, const char* name) {
    auto found = loader.bitmapIndex.find(BitmapKeyLess::View(library, name));
    if (found != loader.bitmapIndex.end()) {
        return g_loadedBitmaps[found->second];
    }
    // Room first, so that a bitmap once loaded is always recorded for the free.
    size_t index = g_loadedBitmaps.size();
    g_loadedBitmaps.push_back(LoadedBitmap{nullptr, 0, 0});
    loader.bitmapIndex.emplace(std::pair<void*, std::string>(library, name), index);
    LoadedBitmap& entry = g_loadedBitmaps[index];
    int32_t width = 0;
    int32_t height = 0;
    entry.bitmap = loader.hooks.loadBitmap(loader.hooks.context, library, name, &width, &height);
    if (entry.bitmap != nullptr) {
        entry.width = width;
        entry.height = height;
    }
    return entry;
}

// Next line without its line feed; 0 at the end of the file.
int NextLine(Loader& loader, TextFile* file) {
    if (ReadTextLine(loader.line, sizeof loader.line, file) == nullptr) {
        return 0;
    }
    StripLineFeed(loader.line);
    return 1;
}

int32_t LengthWithNul(const std::string& text) {
    return static_cast<int32_t>(text.size() + 1);
}

// One registration value: the entry, its menu file check and its library.
int AddPackage(Loader& loader, char* value) {
    RegistrationFields fields;
    if (!ParseRegistrationValue(value, &fields)) {
        return 0;
    }
    g_packageTable.emplace_back();
    PackageEntry& entry = g_packageTable.back();
    entry.menuFile = fields.menuFile;
    entry.displayName = fields.displayName;
    entry.initCommand = fields.initCommand;
    entry.menuFileLength = LengthWithNul(entry.menuFile);
    entry.nameLength = LengthWithNul(entry.displayName);
    entry.commandLength = LengthWithNul(entry.initCommand);
    if (!loader.hooks.fileExists(loader.hooks.context, entry.menuFile.c_str())) {
        return 0;
    }
    char libraryPath[kMenuLineSize + 8];
    if (!DerivePath(libraryPath, sizeof libraryPath, entry.menuFile.c_str(), ".dll")) {
        return 0;
    }
    entry.library = loader.hooks.loadLibrary(loader.hooks.context, libraryPath);
    return entry.library != nullptr;
}

int ReadRegistrations(Loader& loader, const char* iniPath, const char* menuName) {
    OpenText text(loader.hooks, iniPath);
    if (text.file() == nullptr) {
        return 0;
    }
    bool found = false;
    while (!found && NextLine(loader, text.file())) {
        found = IsMenuSectionHeader(loader.line, menuName) != 0;
    }
    if (!found) {
        return 0;
    }
    while (NextLine(loader, text.file()) && loader.line[0] != '[') {
        char* value = RegistrationValueOf(loader.line);
        if (value == nullptr) {
            continue;
        }
        if (static_cast<int>(g_packageTable.size()) >= kMaxPackages || !AddPackage(loader, value)) {
            return 0;
        }
    }
    return g_packageTable.empty() ? 0 : 1;
}

void SetTitle(MenuRecord& menu, const ItemLine& item) {
    menu.title = item.labelLength > 0 ? KeepMenuText(item.label, item.labelLength)
                                      : KeepMenuText(item.hint, item.hintLength);
    menu.titleLength = static_cast<int32_t>(menu.title.size() + 1);
}

// A command text with the newline rule applied; returns its length field.
int32_t KeepCommand(MenuText* kept, const char* text, size_t length, bool endsWithDoubleByte) {
    StoredCommand stored = NewlineRule(text, length, endsWithDoubleByte);
    *kept = KeepMenuText(text, stored.keep, stored.lineFeed);
    return stored.lengthField;
}

// A new item before its line is read into it.
const MenuItem kNewItem{};

// The list that takes the items of the menu open at depth (0: menu 0).
std::vector<MenuItem>& ItemsAt(Loader& loader, size_t depth) {
    return depth == 0 ? g_menuTable[0].items : loader.pending[depth];
}

// Appends the item of a parsed line to the menu open at depth (menu index
// menuIndex); returns its index.
int AddItem(Loader& loader, size_t depth, int menuIndex, const ItemLine& line, void* library) {
    MenuRecord& menu = g_menuTable[menuIndex];
    std::vector<MenuItem>& items = ItemsAt(loader, depth);
    items.push_back(kNewItem); // a copy: cheaper than clearing the item byte by byte
    MenuItem& item = items.back();
    menu.itemCount = static_cast<int32_t>(items.size());
    if (line.hasPlacement) {
        loader.current = line.placement;
    }
    item.placement = loader.current;
    item.label = KeepMenuText(line.label, line.labelLength);
    item.hint = KeepMenuText(line.hint, line.hintLength);
    item.labelLength = static_cast<int32_t>(line.labelLength + 1);
    item.hintLength = static_cast<int32_t>(line.hintLength + 1);
    item.commandLength =
        KeepCommand(&item.command, line.command, line.commandLength, line.commandEndsDoubleByte);
    item.alternateLength = KeepCommand(&item.alternate, line.alternate, line.alternateLength,
                                       line.alternateEndsDoubleByte);
    item.columns = line.columns;
    item.span = line.span;
    item.isStatic = line.isStatic;
    item.emphasised = line.emphasised;
    item.centred = line.centred;
    item.dialogKind = line.dialogKind;
    int64_t storage = static_cast<int64_t>(menu.itemStorageSize) + sizeof(MenuItem) +
                      item.labelLength + item.hintLength + item.commandLength +
                      item.alternateLength;
    menu.itemStorageSize = static_cast<int32_t>(std::min<int64_t>(storage, INT32_MAX));

    const MenuLoadHooks& hooks = loader.hooks;
    if (line.functionName != nullptr && line.functionName[0] != '\0') {
        item.libraryFunction = hooks.findFunction(hooks.context, library, line.functionName);
    }
    if (line.bitmapName[0] != '\0') {
        const LoadedBitmap& bitmap = BitmapOf(loader, library, line.bitmapName);
        if (bitmap.bitmap != nullptr) {
            item.bitmap = bitmap.bitmap;
            item.bitmapWidth = bitmap.width;
            item.bitmapHeight = bitmap.height;
        }
    }
    return menu.itemCount - 1;
}

// Ends the submenus open below depth keep: each gets its items.
void EndSubmenus(Loader& loader, std::vector<int>& open, size_t keep) {
    while (open.size() > keep) {
        std::vector<MenuItem>& items = loader.pending[open.size() - 1];
        g_menuTable[open.back()].items.assign(items.begin(), items.end());
        items.clear();
        open.pop_back();
    }
}

// Reads the item lines of one file into menu 0 and the submenus they open.
void ReadItems(Loader& loader, TextFile* file, void* library) {
    std::vector<int> open(1, 0); // the menus being read, innermost last
    while (NextLine(loader, file)) {
        ItemLine line;
        if (!ParseItemLine(loader.line, &line)) {
            continue; // no '[': a comment
        }
        const size_t depth = open.size() - 1;
        int itemIndex = AddItem(loader, depth, open.back(), line, library);
        if (line.endLevels > 0) {
            if (static_cast<size_t>(line.endLevels) >= open.size()) {
                break; // ends more menus than are open: the rest of the file is skipped
            }
            EndSubmenus(loader, open, open.size() - static_cast<size_t>(line.endLevels));
        } else if (line.opensSubmenu) {
            int submenu = static_cast<int>(g_menuTable.size());
            g_menuTable.emplace_back();
            SetTitle(g_menuTable.back(), line);
            ItemsAt(loader, depth)[itemIndex].submenu = submenu;
            open.push_back(submenu);
            if (loader.pending.size() < open.size()) {
                loader.pending.resize(open.size());
            }
        }
    }
    EndSubmenus(loader, open, 1);
}

int ReadMenus(Loader& loader) {
    for (size_t i = 0; i < g_packageTable.size(); ++i) {
        OpenText text(loader.hooks, g_packageTable[i].menuFile.c_str());
        if (text.file() == nullptr) {
            return 0;
        }
        if (i == 0) {
            // The title line of the first package names the top menu.
            ItemLine title;
            if (!NextLine(loader, text.file()) || !ParseItemLine(loader.line, &title)) {
                return 0;
            }
            if (title.hasPlacement) {
                loader.current = title.placement;
            }
            g_menuTable.emplace_back();
            SetTitle(g_menuTable.back(), title);
        }
        ReadItems(loader, text.file(), g_packageTable[i].library);
    }
    return 1;
}

} // namespace

int LoadMenuModel(const char* iniPath, const char* menuName, const MenuLoadHooks& hooks) {
    if (!g_packageTable.empty() || !g_menuTable.empty() || iniPath == nullptr ||
        iniPath[0] == '\0' || menuName == nullptr) {
        FreeMenuModel(hooks);
        return 1;
    }
    int loaded = 0;
    try {
        Loader loader{hooks, BitmapPlacement{'B', 'R'}, {}, {}, {}};
        loaded = ReadRegistrations(loader, iniPath, menuName) && ReadMenus(loader);
    } catch (...) {
        loaded = 0; // out of memory: the load fails like any other
    }
    if (!loaded) {
        FreeMenuModel(hooks);
        return 1;
    }
    return 0;
}

void FreeMenuModel(const MenuLoadHooks& hooks) {
    // Items share their bitmaps: they are deleted below, once each.
    std::vector<MenuRecord>().swap(g_menuTable);
    FreeMenuTexts();
    for (LoadedBitmap& bitmap : g_loadedBitmaps) {
        if (bitmap.bitmap != nullptr) {
            hooks.deleteBitmap(hooks.context, bitmap.bitmap);
        }
    }
    std::vector<LoadedBitmap>().swap(g_loadedBitmaps);
    for (PackageEntry& package : g_packageTable) {
        if (package.library != nullptr) {
            hooks.freeLibrary(hooks.context, package.library);
            package.library = nullptr;
        }
    }
    std::vector<PackageEntry>().swap(g_packageTable);
}
