// Arbitrary bytes as registration lines and menu files through the menu
// loader's portable side (files, libraries and bitmaps in memory), and each
// line straight through the item and registration parsers. No crash, no
// leak, no read or write out of bounds; the model must be consistent and
// every handle released after the free.
#include "menu/model/item_line.h"
#include "menu/model/menu_build.h"
#include "menu/model/registration_line.h"
#include "tests/native/menu_memory_hooks.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void NoOp() {}

// Every line of text through the parsers directly, at any length.
void ParseLines(const std::string& text, const char* menuName) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        std::string copy = line;
        ItemLine item;
        if (ParseItemLine(&copy[0], &item)) {
            Check(item.columns >= 1 && item.span >= 1);
            Check(strlen(item.label) <= line.size() && strlen(item.command) <= line.size());
        }
        copy = line;
        IsMenuSectionHeader(copy.c_str(), menuName);
        IsMenuSectionHeaderWithBlanks(copy.c_str(), menuName);
        std::string name;
        WrittenDisplayName(copy.c_str(), &name);
        if (const char* key = LookalikeRegistrationKey(&copy[0])) {
            Check(strlen(key) <= line.size());
        }
        copy = line;
        if (char* value = RegistrationValueOf(&copy[0])) {
            RegistrationFields fields;
            ParseRegistrationValue(value, &fields);
        }
    }
}

// A checked load's findings: where they stand, texts that can be read.
void CheckFinding(void* context, const MenuFinding& finding) {
    Check(finding.file != nullptr && finding.line >= 0);
    Check(finding.text == nullptr || strlen(finding.text) < 4096);
    Check(finding.text2 == nullptr || strlen(finding.text2) < 4096);
    *static_cast<int*>(context) += FailsLoad(finding.kind) ? 1 : 0;
}

void CheckModel() {
    Check(g_menuTable.empty() == g_packageTable.empty());
    for (size_t m = 0; m < g_menuTable.size(); ++m) {
        const MenuRecord& menu = g_menuTable[m];
        Check(menu.itemCount == static_cast<int32_t>(menu.items.size()));
        Check(menu.titleLength == static_cast<int32_t>(menu.title.size() + 1));
        for (const MenuItem& item : menu.items) {
            Check(item.submenu == -1 || (item.submenu > static_cast<int32_t>(m) &&
                                         item.submenu < static_cast<int32_t>(g_menuTable.size())));
            Check(item.columns >= 1 && item.span >= 1);
            Check(item.labelLength == static_cast<int32_t>(item.label.size() + 1));
            Check(item.commandLength >= static_cast<int32_t>(item.command.size() + 1));
            Check((item.bitmap == nullptr) == (item.bitmapWidth == 0));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    // Byte 0: block size of the reader and the hook call that runs out of memory.
    MemoryMenuSystem system;
    system.maxChunk = data[0] % 32;
    system.throwAtCall = (data[0] >> 5) == 7 ? data[1] % 24 + 1 : 0;
    std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);

    // Parts separated by NUL bytes: registration lines, then up to three menu files.
    std::vector<std::string> parts;
    size_t start = 0;
    while (parts.size() < 3) {
        size_t end = rest.find('\0', start);
        if (end == std::string::npos) {
            break;
        }
        parts.push_back(rest.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(rest.substr(start));

    system.files["C:\\VX\\VXMENU32.INI"] =
        "[VXMENU]\r\nVXMENU=\"C:\\P\\M1.MNU\" \"One\" ^C^CINIT\r\n" + parts[0];
    for (size_t i = 1; i < parts.size(); ++i) {
        std::string name = "C:\\P\\M" + std::to_string(i);
        system.files[name + ".MNU"] = parts[i];
        MemoryLibrary& library = system.libraries[name + ".dll"];
        library.bitmaps["B"] = {16, 16};
        library.bitmaps["PIC"] = {32, 8};
        library.functions["F"] = NoOp;
    }

    MenuLoadHooks hooks = system.Hooks();
    int result = LoadMenuModel("C:\\VX\\VXMENU32.INI", "VXMENU", hooks);
    if (result == 0) {
        Check(!g_menuTable.empty());
        CheckModel();
    } else {
        Check(g_menuTable.empty() && g_packageTable.empty() && system.NothingHeld());
    }
    FreeMenuModel(hooks);
    Check(g_menuTable.empty() && g_packageTable.empty() && system.NothingHeld());

    // The same load with a listener: errors exactly when the load fails.
    const bool ranOut = system.throwAtCall != 0;
    system.throwAtCall = 0;
    int errors = 0;
    MenuFindingListener listener{&errors, CheckFinding};
    int checked = LoadMenuModel("C:\\VX\\VXMENU32.INI", "VXMENU", hooks, &listener);
    Check((checked != 0) == (errors > 0));
    Check(ranOut || checked == result);
    FreeMenuModel(hooks);
    Check(g_menuTable.empty() && g_packageTable.empty() && system.NothingHeld());

    for (const std::string& part : parts) {
        ParseLines(part, "VXMENU");
    }
    return 0;
}
