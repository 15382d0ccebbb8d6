// Building the package and menu tables from a configuration file and menu
// files held in memory: nesting across files, the limits, failures that
// must leave nothing loaded, and running out of memory at any point.
#include <gtest/gtest.h>

#include "menu/model/menu_build.h"
#include "tests/native/menu_memory_hooks.h"
#include "tests/native/menu_text_print.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

int g_traceCalls = 0;
void TraceFunction() {
    ++g_traceCalls;
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

std::string Registration(const std::string& menuFile, const std::string& name = "Name",
                         const std::string& command = "INIT") {
    return "VXMENU=\"" + menuFile + "\" \"" + name + "\" " + command;
}

class MenuBuild : public ::testing::Test {
protected:
    void TearDown() override {
        FreeMenuModel(hooks);
        EXPECT_TRUE(system.NothingHeld());
    }

    // A package: menu file C:\pkg\<name>.mnu and its library C:\pkg\<name>.dll.
    std::string AddPackage(const std::string& name, const std::vector<std::string>& lines) {
        std::string path = "C:\\pkg\\" + name + ".mnu";
        system.files[path] = CrLf(lines);
        MemoryLibrary& library = system.libraries["C:\\pkg\\" + name + ".dll"];
        library.bitmaps["BMP16"] = {16, 15};
        library.bitmaps["WIDE"] = {48, 20};
        library.functions["Trace"] = TraceFunction;
        return path;
    }

    void SetConfig(const std::vector<std::string>& lines) { system.files[kIni] = CrLf(lines); }

    int Load(const char* menuName = "VXMENU") { return LoadMenuModel(kIni, menuName, hooks); }

    // The labels of a menu's items, joined by '|'.
    static std::string Labels(int menu) {
        std::string out;
        for (const MenuItem& item : g_menuTable.at(menu).items) {
            out += (out.empty() ? "" : "|") + item.label;
        }
        return out;
    }

    void ExpectNothingLoaded() {
        EXPECT_TRUE(g_packageTable.empty());
        EXPECT_TRUE(g_menuTable.empty());
        EXPECT_TRUE(system.NothingHeld());
    }

    static constexpr const char* kIni = "C:\\VX\\VXMENU32.INI";
    MemoryMenuSystem system;
    MenuLoadHooks hooks = system.Hooks();
};

TEST_F(MenuBuild, NestedMenusAcrossTwoPackages) {
    std::string first = AddPackage("one", {
                                              "[デモ#タイトル]",
                                              "[Line#Draws a line]^C^CLINE",
                                              "; a comment between items",
                                              "[->Tools]",
                                              "[Sub1]S1",
                                              "[->Deeper^<TL>BMP16^]",
                                              "[Deep]D",
                                              "[<-<-Back]B",
                                              "[Top2]T2",
                                          });
    std::string second = AddPackage("two", {
                                               "[->P2 Menu]",
                                               "[X]X",
                                               "[<-Y]Y",
                                               "[Z]Z",
                                           });
    SetConfig({"[VXMENU]", "PKGNAME=Demo", Registration(first, "First", "^C^CINIT1"),
               Registration(second, "Second", "INIT2"), "[OTHER]",
               Registration(first, "Not in section")});
    ASSERT_EQ(Load(), 0);

    ASSERT_EQ(g_packageTable.size(), 2u);
    EXPECT_EQ(g_packageTable[0].menuFile, first);
    EXPECT_EQ(g_packageTable[0].displayName, "First");
    EXPECT_EQ(g_packageTable[0].initCommand, "\x1b\x1bINIT1"); // no newline for packages
    EXPECT_EQ(g_packageTable[0].menuFileLength, static_cast<int32_t>(first.size() + 1));
    EXPECT_EQ(g_packageTable[0].nameLength, 6);
    EXPECT_EQ(g_packageTable[0].commandLength, 8);
    EXPECT_NE(g_packageTable[0].library, g_packageTable[1].library);

    ASSERT_EQ(g_menuTable.size(), 4u);
    EXPECT_EQ(g_menuTable[0].title, "デモ");
    EXPECT_EQ(Labels(0), "Line|Tools|Top2|P2 Menu|Z");
    EXPECT_EQ(Labels(1), "Sub1|Deeper");
    EXPECT_EQ(Labels(2), "Deep|Back");
    EXPECT_EQ(Labels(3), "X|Y");
    EXPECT_EQ(g_menuTable[1].title, "Tools");
    EXPECT_EQ(g_menuTable[2].title, "Deeper");
    EXPECT_EQ(g_menuTable[3].title, "P2 Menu");
    EXPECT_EQ(g_menuTable[3].titleLength, 8);

    const std::vector<MenuItem>& top = g_menuTable[0].items;
    EXPECT_EQ(top[0].submenu, -1);
    EXPECT_EQ(top[1].submenu, 1);
    EXPECT_EQ(g_menuTable[1].items[1].submenu, 2);
    EXPECT_EQ(top[3].submenu, 3);
    EXPECT_EQ(top[0].hint, "Draws a line");
    EXPECT_EQ(top[0].command, "\x1b\x1bLINE\n");
    EXPECT_EQ(top[0].commandLength, 8);
    for (const MenuRecord& menu : g_menuTable) {
        EXPECT_EQ(menu.itemCount, static_cast<int32_t>(menu.items.size()));
        EXPECT_EQ(menu.widthMinus1, -1);
        EXPECT_EQ(menu.heightMinus1, -1);
        EXPECT_GE(menu.itemStorageSize, static_cast<int32_t>(menu.items.size() * sizeof(MenuItem)));
    }

    // The placement holds from the item that names it on, across packages.
    const MenuItem& deeper = g_menuTable[1].items[1];
    EXPECT_EQ(deeper.placement.vertical, 'T');
    EXPECT_EQ(deeper.placement.horizontal, 'L');
    EXPECT_EQ(deeper.bitmapWidth, 16);
    EXPECT_EQ(deeper.bitmapHeight, 15);
    EXPECT_EQ(memory_hooks::BitmapName(deeper.bitmap), "BMP16");
    EXPECT_EQ(g_menuTable[1].items[0].placement.vertical, 'B');
    EXPECT_EQ(g_menuTable[1].items[0].placement.horizontal, 'R');
    EXPECT_EQ(g_menuTable[3].items[1].placement.vertical, 'T');
    EXPECT_EQ(top[4].placement.horizontal, 'L');
}

TEST_F(MenuBuild, SubmenuTitleFallsBackToHintThenEmpty) {
    std::string menu =
        AddPackage("one", {"[#Top hint]", "[->#Only a hint]", "[<-a]", "[->]", "[<-b]"});
    SetConfig({"[VXMENU]", Registration(menu)});
    ASSERT_EQ(Load(), 0);
    EXPECT_EQ(g_menuTable[0].title, "Top hint");
    EXPECT_EQ(g_menuTable[1].title, "Only a hint");
    EXPECT_EQ(g_menuTable[2].title, "");
    EXPECT_EQ(g_menuTable[2].titleLength, 1);
}

TEST_F(MenuBuild, SubmenuWithOneItem) {
    std::string menu = AddPackage("one", {"[Title]", "[->Tools]", "[<-Last]", "[After]"});
    SetConfig({"[VXMENU]", Registration(menu)});
    ASSERT_EQ(Load(), 0);
    EXPECT_EQ(Labels(0), "Tools|After");
    EXPECT_EQ(g_menuTable[1].title, "Tools");
    EXPECT_EQ(Labels(1), "Last");
}

TEST_F(MenuBuild, EndingMoreLevelsThanOpenEndsTheFile) {
    std::string first = AddPackage(
        "one", {"[Title]", "[->Sub]", "[a]", "[<-<-Gone]", "[Skipped]", "[->Skipped too]"});
    std::string second = AddPackage("two", {"[<-Top level end]", "[Skipped]"});
    std::string third = AddPackage("three", {"[->S3]", "[<-<-<-x]", "[Skipped]"});
    std::string fourth = AddPackage("four", {"[Last]"});
    SetConfig({"[VXMENU]", Registration(first), Registration(second), Registration(third),
               Registration(fourth)});
    ASSERT_EQ(Load(), 0);
    ASSERT_EQ(g_menuTable.size(), 3u);
    EXPECT_EQ(Labels(0), "Sub|Top level end|S3|Last");
    EXPECT_EQ(Labels(1), "a|Gone");
    EXPECT_EQ(Labels(2), "x");
}

TEST_F(MenuBuild, EndOfFileEndsOpenMenus) {
    std::string first = AddPackage("one", {"[Title]", "[->A]", "[->B]", "[in B]"});
    std::string second = AddPackage("two", {"[in top]"});
    SetConfig({"[VXMENU]", Registration(first), Registration(second)});
    ASSERT_EQ(Load(), 0);
    EXPECT_EQ(Labels(0), "A|in top");
    EXPECT_EQ(Labels(1), "B");
    EXPECT_EQ(Labels(2), "in B");
}

TEST_F(MenuBuild, CommentsAndOpeningOnAnEndingLine) {
    // Comments after an opening or ending item change nothing; "->" on a
    // line with "<-" opens no submenu.
    std::string menu = AddPackage(
        "one", {"[Title]", "[->Sub]", "comment ->", "[<-->End]", "<- another comment", "[Top]"});
    SetConfig({"[VXMENU]", Registration(menu)});
    ASSERT_EQ(Load(), 0);
    ASSERT_EQ(g_menuTable.size(), 2u);
    EXPECT_EQ(Labels(0), "Sub|Top");
    EXPECT_EQ(Labels(1), "End");
    EXPECT_EQ(g_menuTable[1].items[0].submenu, -1);
}

TEST_F(MenuBuild, LongMenusKeepTheirItemsInOrder) {
    // Menus of hundreds of items across files, with a submenu opened at the
    // 257th item of the top menu and holding 300 items itself.
    std::vector<std::string> lines{"[Title]"};
    std::string top;
    std::string sub;
    for (int i = 0; i < 256; ++i) {
        lines.push_back("[t" + std::to_string(i) + "]");
        top += "t" + std::to_string(i) + "|";
    }
    lines.push_back("[->S]");
    top += "S";
    for (int i = 0; i < 300; ++i) {
        lines.push_back(std::string(i == 299 ? "[<-" : "[") + "s" + std::to_string(i) + "]");
        sub += (i == 0 ? "s" : "|s") + std::to_string(i);
    }
    std::vector<std::string> more;
    for (int i = 0; i < 300; ++i) {
        more.push_back("[u" + std::to_string(i) + "]");
        top += "|u" + std::to_string(i);
    }
    SetConfig({"[VXMENU]", Registration(AddPackage("one", lines)),
               Registration(AddPackage("two", more))});
    ASSERT_EQ(Load(), 0);
    EXPECT_EQ(Labels(0), top);
    EXPECT_EQ(Labels(1), sub);
    EXPECT_EQ(g_menuTable[0].itemCount, 557);
    EXPECT_EQ(g_menuTable[0].items[256].submenu, 1);
}

// The heap in use, as AddressSanitizer counts it (the native preset's build).
#if defined(__SANITIZE_ADDRESS__)
} // namespace
extern "C" size_t __sanitizer_get_current_allocated_bytes();
namespace {
constexpr bool kHeapCounted = true;
size_t HeapInUse() {
    return __sanitizer_get_current_allocated_bytes();
}
#else
constexpr bool kHeapCounted = false;
size_t HeapInUse() {
    return 0;
}
#endif

// The heap in use at its highest while a load reads its files (sampled
// before each block the line reader asks for).
size_t g_heapPeak = 0;
void SampleHeap() {
    g_heapPeak = std::max(g_heapPeak, HeapInUse());
}

TEST_F(MenuBuild, DeepNestingTakesMemoryByUse) {
    if (!kHeapCounted) {
        GTEST_SKIP() << "the heap is counted in the build with AddressSanitizer";
    }
    // 2,000 levels of "[->a]" against 2,000 plain items of the same length.
    system.beforeRead = SampleHeap;
    size_t cost[2] = {0, 0};
    for (int deep = 0; deep < 2; ++deep) {
        std::vector<std::string> lines{"[Title]"};
        lines.insert(lines.end(), 2000, deep ? "[->a]" : "[--a]");
        SetConfig({"[VXMENU]", Registration(AddPackage("one", lines))});
        const size_t before = HeapInUse();
        g_heapPeak = before;
        ASSERT_EQ(Load(), 0);
        ASSERT_EQ(g_menuTable.size(), deep ? 2001u : 1u);
        cost[deep] = g_heapPeak - before;
        FreeMenuModel(hooks);
    }
    EXPECT_LT(cost[1], cost[0] + 2000 * 1024) << "flat " << cost[0] << " bytes, deep " << cost[1];
}

TEST_F(MenuBuild, TitleLineAddsNoItemButSetsThePlacement) {
    std::string menu = AddPackage("one", {"[Title^<MC>BMP16^]", "[Item]"});
    SetConfig({"[VXMENU]", Registration(menu)});
    ASSERT_EQ(Load(), 0);
    EXPECT_EQ(g_menuTable[0].itemCount, 1);
    EXPECT_EQ(g_menuTable[0].items[0].placement.vertical, 'M');
    EXPECT_EQ(g_menuTable[0].items[0].placement.horizontal, 'C');
    EXPECT_EQ(system.bitmapsLoaded, 0);
}

TEST_F(MenuBuild, TopMenuWithoutItemsStillLoads) {
    std::string menu = AddPackage("one", {"[Title only]"});
    SetConfig({"[VXMENU]", Registration(menu)});
    ASSERT_EQ(Load(), 0);
    ASSERT_EQ(g_menuTable.size(), 1u);
    EXPECT_EQ(g_menuTable[0].itemCount, 0);
}

TEST_F(MenuBuild, BitmapsFunctionsAndDialogItems) {
    std::string menu =
        AddPackage("one", {"[Title]", "[Pic^BMP16^]", "[Missing^NOPE^]", "[Call]DLL:Trace",
                           "[Nothing]DLL:NoSuch", "[About]VXMENU_ABOUT", "[^<C>WIDE^]"});
    SetConfig({"[VXMENU]", Registration(menu)});
    ASSERT_EQ(Load(), 0);
    const std::vector<MenuItem>& items = g_menuTable[0].items;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_NE(items[0].bitmap, nullptr);
    EXPECT_EQ(items[0].bitmapWidth, 16);
    EXPECT_EQ(items[1].bitmap, nullptr);
    EXPECT_EQ(items[1].bitmapWidth, 0);
    EXPECT_EQ(items[1].bitmapHeight, 0);
    ASSERT_EQ(items[2].libraryFunction, &TraceFunction);
    EXPECT_EQ(items[2].command, "");
    EXPECT_EQ(items[3].libraryFunction, nullptr);
    EXPECT_EQ(items[3].command, "");
    EXPECT_EQ(items[4].dialogKind, 1);
    EXPECT_EQ(items[4].command, "VXMENU_ABOUT\n");
    EXPECT_EQ(items[5].bitmapWidth, 48);
    EXPECT_EQ(items[5].placement.horizontal, 'C');
    EXPECT_EQ(system.liveBitmaps, 2);
    g_traceCalls = 0;
    items[2].libraryFunction();
    EXPECT_EQ(g_traceCalls, 1);
}

TEST_F(MenuBuild, ItemsNamingOneBitmapOfOneLibraryShareIt) {
    std::string first = AddPackage(
        "one", {"[T]", "[a^BMP16^]", "[b^WIDE^]", "[c^BMP16 ^]", "[d^NOPE^]", "[e^NOPE^]"});
    std::string second = AddPackage("two", {"[f^BMP16^]"});
    SetConfig({"[VXMENU]", Registration(first), Registration(second)});
    ASSERT_EQ(Load(), 0);
    const std::vector<MenuItem>& items = g_menuTable[0].items;
    EXPECT_EQ(items[0].bitmap, items[2].bitmap);
    EXPECT_EQ(items[2].bitmapWidth, 16);
    EXPECT_NE(items[0].bitmap, items[1].bitmap);
    EXPECT_EQ(items[4].bitmap, nullptr);
    EXPECT_NE(items[5].bitmap, nullptr);
    EXPECT_NE(items[5].bitmap, items[0].bitmap); // another library
    EXPECT_EQ(system.bitmapsLoaded, 3);
    EXPECT_EQ(system.liveBitmaps, 3);
    FreeMenuModel(hooks); // each deleted once: the count would go below 0
    EXPECT_EQ(system.liveBitmaps, 0);
}

TEST_F(MenuBuild, CompanionLibraryLiesBesideTheMenuFileAlsoInAFolderWithADot) {
    system.files["C:\\pkg1.2\\menu.mnu"] = CrLf({"[T]", "[a]"});
    system.libraries["C:\\pkg1.2\\menu.dll"];
    SetConfig({"[VXMENU]", Registration("C:\\pkg1.2\\menu.mnu")});
    ASSERT_EQ(Load(), 0);
    EXPECT_EQ(system.libraryLoads, std::set<std::string>{"C:\\pkg1.2\\menu.dll"});
}

TEST_F(MenuBuild, TenRegistrationsLoadAndAnEleventhFails) {
    std::vector<std::string> config = {"[VXMENU]"};
    for (int i = 0; i < 10; ++i) {
        config.push_back(Registration(AddPackage("p" + std::to_string(i), {"[T]", "[x]"})));
        config.push_back("VXMENU="); // empty values are no registrations
    }
    SetConfig(config);
    ASSERT_EQ(Load(), 0);
    EXPECT_EQ(g_packageTable.size(), 10u);
    // The first file's title line is no item; every later file is read whole.
    EXPECT_EQ(g_menuTable[0].itemCount, 1 + 9 * 2);
    FreeMenuModel(hooks);
    EXPECT_TRUE(system.NothingHeld());

    config.push_back(Registration(AddPackage("p10", {"[x]"})));
    SetConfig(config);
    EXPECT_NE(Load(), 0);
    ExpectNothingLoaded();
}

TEST_F(MenuBuild, EveryFailureLeavesNothingLoaded) {
    std::string good = AddPackage("good", {"[Title]", "[Pic^BMP16^]"});
    std::string noLibrary = "C:\\pkg\\nolib.mnu";
    system.files[noLibrary] = CrLf({"[x]"});
    std::string locked = AddPackage("locked", {"[x]"});
    system.locked.insert(locked);
    std::string noTitle = AddPackage("notitle", {"no bracket", "[x]"});
    std::string empty = AddPackage("empty", {});

    struct Case {
        const char* what;
        std::vector<std::string> config;
    };
    const std::vector<Case> cases = {
        {"section missing", {"[OTHER]", Registration(good)}},
        {"no registration", {"[VXMENU]", "PKGNAME=x", "[NEXT]", Registration(good)}},
        {"blank value", {"[VXMENU]", Registration(good), "VXMENU=  "}},
        {"menu file missing", {"[VXMENU]", Registration(good), Registration("C:\\no.mnu")}},
        {"library missing", {"[VXMENU]", Registration(good), Registration(noLibrary)}},
        {"menu file cannot be opened", {"[VXMENU]", Registration(good), Registration(locked)}},
        {"title line without '['", {"[VXMENU]", Registration(noTitle), Registration(good)}},
        {"empty first menu file", {"[VXMENU]", Registration(empty)}},
        {"blank before '='", {"[VXMENU]", "VXMENU =\"" + good + "\" \"x\" y"}},
    };
    for (const Case& c : cases) {
        SetConfig(c.config);
        EXPECT_NE(Load(), 0) << c.what;
        ExpectNothingLoaded();
    }
    // The empty first file fails only as the first package.
    SetConfig({"[VXMENU]", Registration(good), Registration(empty)});
    EXPECT_EQ(Load(), 0);
}

TEST_F(MenuBuild, MissingConfigurationOrPathFails) {
    EXPECT_NE(Load(), 0);
    EXPECT_NE(LoadMenuModel(nullptr, "VXMENU", hooks), 0);
    EXPECT_NE(LoadMenuModel("", "VXMENU", hooks), 0);
    ExpectNothingLoaded();
}

TEST_F(MenuBuild, SecondLoadFailsAndFreesUntilFreed) {
    std::string menu = AddPackage("one", {"[Title]", "[Pic^BMP16^]"});
    SetConfig({"[VXMENU]", Registration(menu)});
    ASSERT_EQ(Load(), 0);
    EXPECT_NE(Load(), 0);
    ExpectNothingLoaded();
    ASSERT_EQ(Load(), 0);
    FreeMenuModel(hooks);
    FreeMenuModel(hooks);
    ExpectNothingLoaded();
    ASSERT_EQ(Load(), 0);
    EXPECT_EQ(Labels(0), "Pic");
}

TEST_F(MenuBuild, OtherSectionNameAndSectionEnd) {
    std::string a = AddPackage("a", {"[A]", "[from a]"});
    std::string b = AddPackage("b", {"[B]", "[from b]"});
    SetConfig({"[VXMENU]", Registration(a), "[abc]", "VXMENU=" + std::string(), "other=1",
               "  VXMENU=\"" + b + "\" \"B\" x", "[VXMENU2]", Registration(a)});
    ASSERT_EQ(Load("ABC"), 0);
    ASSERT_EQ(g_packageTable.size(), 1u);
    EXPECT_EQ(g_packageTable[0].menuFile, b);
    EXPECT_EQ(Labels(0), "from b");
}

TEST_F(MenuBuild, BlockBoundariesLastLineAndCtrlZ) {
    std::string menu = "C:\\pkg\\one.mnu";
    system.libraries["C:\\pkg\\one.dll"];
    system.files[menu] = "[T]\r\n[a]A\r\n[b]B\\\r\n[c]C\x1a";
    system.files[kIni] = "[VXMENU]\r\n" + Registration(menu); // no CR LF at the end
    for (int chunk : {0, 1, 3, 7}) {
        system.maxChunk = chunk;
        ASSERT_EQ(Load(), 0) << chunk;
        EXPECT_EQ(Labels(0), "a|b|c");
        EXPECT_EQ(g_menuTable[0].items[1].command, "B");
        EXPECT_EQ(g_menuTable[0].items[2].command, "C\n");
        FreeMenuModel(hooks);
    }
}

TEST_F(MenuBuild, OverLongLinesAreReadInPieces) {
    std::string label(2000, 'a');
    std::string menu = AddPackage("one", {"[T]", "[" + label + "]CMD", "[" + label, "[next]N"});
    SetConfig({"[VXMENU]", Registration(menu)});
    ASSERT_EQ(Load(), 0);
    const std::vector<MenuItem>& items = g_menuTable[0].items;
    // The first 1023 bytes make an item without command; the rest has no '['.
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].label, std::string(1022, 'a'));
    EXPECT_EQ(items[0].command, "");
    EXPECT_EQ(items[2].label, "next");
}

TEST_F(MenuBuild, LongRegistrationIsNotCutInsideADoubleByteCharacter) {
    std::string a = AddPackage("a", {"[A]", "[from a]"});
    std::string b = AddPackage("b", {"[from b]"});
    // "ー" is 0x81 0x5B: its lead byte falls on the last byte of the first
    // 1023-byte piece, its trail byte '[' would begin the next piece.
    std::string first = Registration(a, "A", "");
    first += std::string(1022 - first.size(), 'x') + "ー" + std::string(20, 'y');
    ASSERT_EQ(static_cast<unsigned char>(first[1022]), 0x81);
    SetConfig({"[VXMENU]", first, Registration(b)});
    ASSERT_EQ(Load(), 0);
    ASSERT_EQ(g_packageTable.size(), 2u);
    EXPECT_EQ(g_packageTable[0].initCommand,
              std::string(1022 - Registration(a, "A", "").size(), 'x'));
    EXPECT_EQ(Labels(0), "from a|from b");
}

TEST_F(MenuBuild, RunningOutOfMemoryAnywhereFailsCleanly) {
    std::string first = AddPackage("one", {"[T]", "[->S^BMP16^]", "[x]DLL:Trace", "[<-y^WIDE^]"});
    std::string second = AddPackage("two", {"[z^BMP16^]"});
    SetConfig({"[VXMENU]", Registration(first), Registration(second)});
    // Count the hook calls of a good load, then fail each one in turn.
    system.throwAtCall = 1 << 30;
    ASSERT_EQ(Load(), 0);
    int calls = system.calls;
    FreeMenuModel(hooks);
    ASSERT_GT(calls, 5);
    for (int n = 1; n <= calls; ++n) {
        system.calls = 0;
        system.throwAtCall = n;
        EXPECT_NE(Load(), 0) << "call " << n;
        ExpectNothingLoaded();
    }
}

} // namespace
