#include "menu/model/menu_build.h"

#include "menu/model/command_text.h"
#include "menu/model/item_line.h"
#include "menu/model/line_findings.h"
#include "menu/model/registration_line.h"
#include "menu/strutil/derived_path.h"
#include "menu/strutil/sjis_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
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

// What was looked up in one library so far, by name: bitmaps (indexes into
// g_loadedBitmaps) and functions (none: not exported). Each name is asked
// of the library once; the names are kept by the loader.
struct LibraryLookups {
    void* library;
    std::unordered_map<std::string_view, size_t> bitmaps;
    std::unordered_map<std::string_view, LibraryFunction> functions;
};

// A new item before its line is read into it.
const MenuItem kNewItem{};

// The items of a menu being read. They are kept in blocks that never move,
// so that a long menu is not copied again each time it grows; the menu gets
// them in one list of its exact size when it ends, and the blocks are used
// again for the next menu read at the same depth. The blocks grow with use
// (1, 2, 4, ... up to 256 items), so that each level of a deep nesting of
// short menus takes room for the items it has.
class PendingItems {
public:
    // A new item at the end (kNewItem); it stays in place until MoveTo.
    MenuItem& Add() {
        if (used_ == 0 || blocks_[used_ - 1].size() == blocks_[used_ - 1].capacity()) {
            if (used_ == blocks_.size()) {
                const size_t shift = std::min<size_t>(blocks_.size(), 8);
                blocks_.emplace_back();
                blocks_.back().reserve(kFirstBlockItems << shift);
            }
            used_ += 1;
        }
        std::vector<MenuItem>& block = blocks_[used_ - 1];
        block.push_back(kNewItem); // a copy: cheaper than clearing the item byte by byte
        count_ += 1;
        return block.back();
    }
    size_t size() const { return count_; }
    // Moves the items into the empty list items, at its exact size.
    void MoveTo(std::vector<MenuItem>* items) {
        items->reserve(count_);
        for (size_t b = 0; b < used_; ++b) {
            items->insert(items->end(), blocks_[b].begin(), blocks_[b].end());
            blocks_[b].clear();
        }
        used_ = 0;
        count_ = 0;
    }

private:
    static constexpr size_t kFirstBlockItems = 1; // the later blocks hold 1 << 8 = 256
    std::vector<std::vector<MenuItem>> blocks_;
    size_t used_ = 0; // blocks holding items
    size_t count_ = 0;
};

struct Loader {
    Loader(const MenuLoadHooks& withHooks, const MenuFindingListener* withListener)
        : hooks(withHooks), listener(withListener) {}

    const MenuLoadHooks& hooks;
    // The menu checker's listener, or nullptr (the floating menu). With it,
    // findings are reported and the load goes on past a failure.
    const MenuFindingListener* listener;
    BitmapPlacement current{'B', 'R'};   // the placement of items that name none
    std::vector<LibraryLookups> lookups; // one entry per library asked
    std::deque<std::string> lookedUp;    // the names asked, which stay in place
    // The items of the menus being read, by depth (0: menu 0, which gets
    // its items at the end of the load; a submenu gets them when it ends).
    std::vector<PendingItems> pending = std::vector<PendingItems>(1);
    // Where the line stands: the file, its line number (a line longer than
    // the buffer comes in pieces of one line), and the pieces' state.
    const char* file = "";
    int lineNumber = 0;
    int pieceOpen = 0;   // the last piece ended without a line feed
    int pieceColumn = 0; // bytes of the line before the current piece
    int nextColumn = 0;  // and before the next one
    char line[kMenuLineSize];
    // With a listener: the line as read, and the line of each open submenu.
    char written[kMenuLineSize];
    std::vector<int> openedAt;
    // With a listener: line ends other than CR LF in the line being read
    // (bit 1 LF, bit 2 CR), and how many.
    int looseEndKinds = 0;
    int looseEnds = 0;
};

void Report(Loader& loader, MenuFindingKind kind, const char* text = nullptr,
            const char* text2 = nullptr, int number = 0, int number2 = 0, int number3 = 0) {
    if (loader.listener != nullptr) {
        MenuFinding finding{kind,  loader.file, loader.lineNumber, text,
                            text2, number,      number2,           number3};
        loader.listener->report(loader.listener->context, finding);
    }
}

// A finding of the whole file (line 0).
void ReportFile(Loader& loader, MenuFindingKind kind, const char* text = nullptr) {
    const int line = loader.lineNumber;
    loader.lineNumber = 0;
    Report(loader, kind, text);
    loader.lineNumber = line;
}

void ReportFromLine(void* context, MenuFindingKind kind, const char* text, const char* text2,
                    int number, int number2, int number3) {
    Report(*static_cast<Loader*>(context), kind, text, text2, number, number2, number3);
}

LineFindingSink SinkOf(Loader& loader) {
    return LineFindingSink{&loader, ReportFromLine};
}

// Starts reading file: line numbers from 1.
void BeginFile(Loader& loader, const char* file) {
    loader.file = file;
    loader.lineNumber = 0;
    loader.pieceOpen = 0;
    loader.pieceColumn = 0;
    loader.nextColumn = 0;
    loader.looseEndKinds = 0;
    loader.looseEnds = 0;
}

// With a listener: the LF and CR bytes of a piece that end no line (the
// line reader ends lines only at CR LF), counted for the line.
void CountLooseEnds(Loader& loader, int length) {
    const int text = loader.pieceOpen ? length : length - 1; // without the line's own end
    for (int i = 0; i < text; ++i) {
        const int kind = loader.line[i] == '\n' ? 1 : loader.line[i] == '\r' ? 2 : 0;
        loader.looseEndKinds |= kind;
        loader.looseEnds += kind != 0;
    }
}

// Tells of the line just read whole when such bytes join it from several
// lines as an editor shows them; lastLine: no line follows it in the file.
void ReportLooseEnds(Loader& loader, int lastLine) {
    if (loader.looseEnds > 0) {
        static const char* const kKinds[] = {"", "LF", "CR", "LF/CR"};
        Report(loader, MenuFindingKind::kLineEndsNotCrLf, kKinds[loader.looseEndKinds], nullptr,
               loader.looseEnds + 1, lastLine);
    }
    loader.looseEndKinds = 0;
    loader.looseEnds = 0;
}

// What was looked up in library so far (the files are read one after the
// other: mostly the library asked last).
LibraryLookups& LookupsOf(Loader& loader, void* library) {
    if (!loader.lookups.empty() && loader.lookups.back().library == library) {
        return loader.lookups.back();
    }
    for (LibraryLookups& entry : loader.lookups) {
        if (entry.library == library) {
            return entry;
        }
    }
    loader.lookups.push_back(LibraryLookups{library, {}, {}});
    return loader.lookups.back();
}

// The function of library by name (nullptr when it exports none).
LibraryFunction FunctionOf(Loader& loader, void* library, const char* name) {
    LibraryLookups& lookups = LookupsOf(loader, library);
    auto found = lookups.functions.find(std::string_view(name));
    if (found != lookups.functions.end()) {
        return found->second;
    }
    const MenuLoadHooks& hooks = loader.hooks;
    LibraryFunction function = hooks.findFunction(hooks.context, library, name);
    loader.lookedUp.emplace_back(name);
    lookups.functions.emplace(loader.lookedUp.back(), function);
    return function;
}

// The bitmap of library by name, loaded on its first use in this load.
const LoadedBitmap& BitmapOf(Loader& loader, void* library, const char* name) {
    LibraryLookups& lookups = LookupsOf(loader, library);
    auto found = lookups.bitmaps.find(std::string_view(name));
    if (found != lookups.bitmaps.end()) {
        return g_loadedBitmaps[found->second];
    }
    // Room first, so that a bitmap once loaded is always recorded for the free.
    size_t index = g_loadedBitmaps.size();
    g_loadedBitmaps.push_back(LoadedBitmap{nullptr, 0, 0});
    loader.lookedUp.emplace_back(name);
    lookups.bitmaps.emplace(loader.lookedUp.back(), index);
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

// Next line without its line feed; 0 at the end of the file. A line longer
// than the buffer comes in pieces, each read as a line of its own. (The
// count of bytes read, not the text's length: a NUL byte read inside a line
// neither ends it nor makes the next line its continuation.)
int NextLine(Loader& loader, TextFile* file) {
    const int length = ReadTextLineCounted(loader.line, sizeof loader.line, file);
    const bool continued = length >= 0 && loader.pieceOpen != 0;
    if (loader.listener != nullptr && !continued) {
        ReportLooseEnds(loader, length < 0); // the line before is whole now
    }
    if (length < 0) {
        return 0;
    }
    loader.pieceOpen = length == 0 || loader.line[length - 1] != '\n';
    if (loader.listener != nullptr) {
        CountLooseEnds(loader, length);
    }
    if (!loader.pieceOpen) {
        loader.line[length - 1] = '\0';
    }
    if (!continued) {
        loader.lineNumber += 1;
        loader.pieceColumn = 0;
    } else {
        const bool firstCut = loader.pieceColumn == 0;
        loader.pieceColumn = loader.nextColumn;
        if (firstCut && loader.line[0] != '\0') {
            Report(loader, MenuFindingKind::kLineCut, nullptr, nullptr, loader.pieceColumn);
        }
    }
    loader.nextColumn = loader.pieceColumn + length;
    return 1;
}

// With a listener: the line as read is kept, and its bytes are checked.
void NoteLine(Loader& loader) {
    if (loader.listener != nullptr) {
        memcpy(loader.written, loader.line, strlen(loader.line) + 1);
        FindLeadByteProblems(loader.line, loader.pieceColumn, SinkOf(loader));
    }
}

int32_t LengthWithNul(const std::string& text) {
    return static_cast<int32_t>(text.size() + 1);
}

// One registration value: the entry, its menu file check and its library.
int AddPackage(Loader& loader, char* value) {
    using K = MenuFindingKind;
    std::string writtenName;
    // (A value that begins with '=' is told of by its own finding; its
    // quoted fields are not the ones written.)
    const bool nameShown = loader.listener != nullptr && value[0] != '=' &&
                           WrittenDisplayName(value, &writtenName) != 0;
    std::string sentCommand;
    if (loader.listener != nullptr && value[0] != '=' && CutInitCommand(value, &sentCommand)) {
        Report(loader, K::kInitCommandCut, sentCommand.c_str());
    }
    RegistrationFields fields;
    if (!ParseRegistrationValue(value, &fields)) {
        Report(loader, K::kBlankRegistration);
        return 0;
    }
    if (nameShown && writtenName != fields.displayName) {
        Report(loader, K::kDisplayNameLost, fields.displayName, writtenName.c_str());
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
        Report(loader, K::kMenuFileMissing, entry.menuFile.c_str());
        return 0;
    }
    char libraryPath[kMenuLineSize + 8];
    if (!DerivePath(libraryPath, sizeof libraryPath, entry.menuFile.c_str(), ".dll")) {
        Report(loader, K::kLibraryNameInvalid, entry.menuFile.c_str());
        return 0;
    }
    entry.library = loader.hooks.loadLibrary(loader.hooks.context, libraryPath);
    if (entry.library == nullptr) {
        Report(loader, K::kLibraryNotLoaded, libraryPath);
        return 0;
    }
    return 1;
}

// A menu-section line that is no registration: one that looks like one, or
// one with nothing after "VXMENU=" (the line as read is in written).
void ReportPassedOver(Loader& loader) {
    char line[kMenuLineSize];
    memcpy(line, loader.written, strlen(loader.written) + 1);
    if (const char* key = LookalikeRegistrationKey(line)) {
        Report(loader, MenuFindingKind::kKeyLooksLikeVxmenu, key);
        return;
    }
    char* position = loader.written;
    const char* key = TokenizeMbAt(&position, " =");
    if (key != nullptr && strcmp(key, "VXMENU") == 0) {
        Report(loader, MenuFindingKind::kEmptyRegistration);
    }
}

int ReadRegistrations(Loader& loader, const char* iniPath, const char* menuName) {
    using K = MenuFindingKind;
    BeginFile(loader, iniPath);
    OpenText text(loader.hooks, iniPath);
    if (text.file() == nullptr) {
        ReportFile(loader, K::kConfigUnreadable);
        return 0;
    }
    bool found = false;
    while (!found && NextLine(loader, text.file())) {
        found = IsMenuSectionHeader(loader.line, menuName) != 0;
        if (!found && loader.listener != nullptr &&
            IsMenuSectionHeaderWithBlanks(loader.line, menuName)) {
            Report(loader, K::kSectionHeaderBlanks, menuName);
        }
    }
    if (!found) {
        ReportFile(loader, K::kSectionMissing, menuName);
        return 0;
    }
    const int header = loader.lineNumber;
    int registrations = 0;
    int failed = 0;
    while (NextLine(loader, text.file()) && loader.line[0] != '[') {
        NoteLine(loader);
        char* value = RegistrationValueOf(loader.line);
        if (value == nullptr) {
            if (loader.listener != nullptr) {
                ReportPassedOver(loader);
            }
            continue;
        }
        registrations += 1;
        if (static_cast<int>(g_packageTable.size()) >= kMaxPackages) {
            Report(loader, K::kTooManyRegistrations, nullptr, nullptr, registrations);
            if (loader.listener == nullptr) {
                return 0;
            }
            failed = 1;
        }
        if (loader.listener != nullptr && value[0] == '=' &&
            loader.written[value - loader.line - 1] == ' ') {
            Report(loader, K::kBlankBeforeEquals);
        }
        if (!AddPackage(loader, value)) {
            if (loader.listener == nullptr) {
                return 0;
            }
            failed = 1;
        }
    }
    if (registrations == 0) {
        loader.lineNumber = header;
        Report(loader, K::kNoRegistration, menuName);
        return 0;
    }
    return !failed && !g_packageTable.empty();
}

void SetTitle(MenuRecord& menu, const ItemLine& item) {
    const bool byLabel = item.labelLength > 0;
    const size_t length = byLabel ? item.labelLength : item.hintLength;
    menu.title = KeepMenuText(byLabel ? item.label : item.hint, length);
    menu.titleLength = static_cast<int32_t>(length + 1);
}

// A command text with the newline rule applied; returns its length field.
int32_t KeepCommand(MenuText* kept, const char* text, size_t length, bool endsWithDoubleByte) {
    StoredCommand stored = NewlineRule(text, length, endsWithDoubleByte);
    *kept = KeepMenuText(text, stored.keep, stored.lineFeed);
    return stored.lengthField;
}

// Appends the item of a parsed line to the menu open at depth (menu index
// menuIndex).
MenuItem& AddItem(Loader& loader, size_t depth, int menuIndex, const ItemLine& line,
                  void* library) {
    MenuRecord& menu = g_menuTable[menuIndex];
    PendingItems& items = loader.pending[depth];
    MenuItem& item = items.Add();
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

    // Without a library (only when a checked load goes on past its failure)
    // nothing is looked up.
    if (line.functionName != nullptr && line.functionName[0] != '\0' && library != nullptr) {
        item.libraryFunction = FunctionOf(loader, library, line.functionName);
        if (item.libraryFunction == nullptr) {
            Report(loader, MenuFindingKind::kFunctionMissing, line.functionName);
        }
    }
    if (line.bitmapName[0] != '\0' && library != nullptr) {
        const LoadedBitmap& bitmap = BitmapOf(loader, library, line.bitmapName);
        if (bitmap.bitmap != nullptr) {
            item.bitmap = bitmap.bitmap;
            item.bitmapWidth = bitmap.width;
            item.bitmapHeight = bitmap.height;
        } else {
            Report(loader, MenuFindingKind::kBitmapMissing, line.bitmapName);
        }
    }
    return item;
}

// Ends the submenus open below depth keep: each gets its items.
void EndSubmenus(Loader& loader, std::vector<int>& open, size_t keep) {
    while (open.size() > keep) {
        PendingItems& items = loader.pending[open.size() - 1];
        if (items.size() == 0 && loader.listener != nullptr) {
            const int line = loader.lineNumber;
            loader.lineNumber = loader.openedAt[open.size() - 1];
            Report(loader, MenuFindingKind::kSubmenuEmpty, g_menuTable[open.back()].title.c_str());
            loader.lineNumber = line;
        }
        items.MoveTo(&g_menuTable[open.back()].items);
        open.pop_back();
    }
}

// With a listener: the item lines after a line that ended the reading.
int CountItemLinesLeft(Loader& loader, TextFile* file) {
    const int line = loader.lineNumber;
    int items = 0;
    while (NextLine(loader, file)) {
        ItemLine skipped;
        items += ParseItemLine(loader.line, &skipped);
    }
    loader.lineNumber = line;
    return items;
}

// With a listener: what the item line (or the title line) passes over.
void NoteItemLine(Loader& loader, const ItemLine& line, bool isTitle = false) {
    if (loader.listener != nullptr) {
        const char* start = SkipLeadingBlanks(loader.written);
        FindItemLineProblems(line, *start == ';', isTitle, SinkOf(loader));
        FindHiddenLabelEnd(loader.written, loader.pieceColumn, SinkOf(loader));
    }
}

// Reads the item lines of one file into menu 0 and the submenus they open.
void ReadItems(Loader& loader, TextFile* file, void* library) {
    std::vector<int> open(1, 0); // the menus being read, innermost last
    while (NextLine(loader, file)) {
        NoteLine(loader);
        ItemLine line;
        if (!ParseItemLine(loader.line, &line)) {
            continue; // no '[': a comment
        }
        NoteItemLine(loader, line);
        const size_t depth = open.size() - 1;
        MenuItem& item = AddItem(loader, depth, open.back(), line, library);
        if (line.endLevels > 0) {
            if (static_cast<size_t>(line.endLevels) >= open.size()) {
                // Ends more menus than are open: the rest of the file is skipped.
                if (loader.listener != nullptr) {
                    const int levels = static_cast<int>(open.size()) - 1;
                    Report(loader, MenuFindingKind::kEndsBeyondOpen, nullptr, nullptr,
                           line.endLevels, levels, CountItemLinesLeft(loader, file));
                }
                break;
            }
            EndSubmenus(loader, open, open.size() - static_cast<size_t>(line.endLevels));
        } else if (line.opensSubmenu) {
            int submenu = static_cast<int>(g_menuTable.size());
            g_menuTable.emplace_back();
            SetTitle(g_menuTable.back(), line);
            item.submenu = submenu;
            open.push_back(submenu);
            if (loader.pending.size() < open.size()) {
                loader.pending.resize(open.size());
            }
            if (loader.listener != nullptr) {
                loader.openedAt.resize(open.size());
                loader.openedAt.back() = loader.lineNumber;
            }
        }
    }
    EndSubmenus(loader, open, 1);
}

// The title line of the first package names the top menu, which it makes.
int ReadTitle(Loader& loader, TextFile* file) {
    ItemLine title;
    const bool read = NextLine(loader, file) != 0;
    if (read) {
        NoteLine(loader);
    }
    if (!read || !ParseItemLine(loader.line, &title)) {
        loader.lineNumber = 1;
        Report(loader, MenuFindingKind::kTitleLineMissing);
        return 0;
    }
    NoteItemLine(loader, title, true);
    if (title.hasPlacement) {
        loader.current = title.placement;
    }
    g_menuTable.emplace_back();
    SetTitle(g_menuTable.back(), title);
    return 1;
}

int ReadMenus(Loader& loader) {
    int failed = 0;
    int titleRead = 0;
    for (size_t i = 0; i < g_packageTable.size(); ++i) {
        const PackageEntry& package = g_packageTable[i];
        BeginFile(loader, package.menuFile.c_str());
        OpenText text(loader.hooks, package.menuFile.c_str());
        if (i == 0 && text.file() != nullptr) {
            titleRead = ReadTitle(loader, text.file());
        }
        if (text.file() == nullptr || (i == 0 && !titleRead)) {
            if (loader.listener == nullptr) {
                return 0;
            }
            // Checked on: a package that failed already was told; the top
            // menu is made without title.
            if (text.file() == nullptr && package.library != nullptr) {
                ReportFile(loader, MenuFindingKind::kMenuFileUnreadable, package.menuFile.c_str());
            }
            failed = 1;
            if (g_menuTable.empty()) {
                g_menuTable.emplace_back();
            }
            if (text.file() == nullptr) {
                continue;
            }
        }
        ReadItems(loader, text.file(), package.library);
    }
    if (loader.listener != nullptr && titleRead && loader.pending[0].size() == 0) {
        // The floating menu shows no top menu without items: told at the title line.
        BeginFile(loader, g_packageTable[0].menuFile.c_str());
        loader.lineNumber = 1;
        Report(loader, MenuFindingKind::kTopMenuEmpty);
    }
    if (!g_menuTable.empty()) {
        loader.pending[0].MoveTo(&g_menuTable[0].items);
    }
    return !failed;
}

} // namespace

int LoadMenuModel(const char* iniPath, const char* menuName, const MenuLoadHooks& hooks,
                  const MenuFindingListener* listener) {
    if (!g_packageTable.empty() || !g_menuTable.empty() || iniPath == nullptr ||
        iniPath[0] == '\0' || menuName == nullptr) {
        FreeMenuModel(hooks);
        return 1;
    }
    int loaded = 0;
    try {
        Loader loader(hooks, listener);
        const int registered = ReadRegistrations(loader, iniPath, menuName);
        // A checked load reads the menus of the packages it could register.
        const int read = (registered || listener != nullptr) && ReadMenus(loader);
        loaded = registered && read;
    } catch (...) {
        loaded = 0; // out of memory: the load fails like any other
        if (listener != nullptr) {
            MenuFinding finding{
                MenuFindingKind::kOutOfMemory, iniPath, 0, nullptr, nullptr, 0, 0, 0};
            listener->report(listener->context, finding);
        }
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
