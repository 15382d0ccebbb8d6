// What a chosen item does, and the "EXEC" command line.
#include <gtest/gtest.h>

#include "menu/cadlink/exec_command.h"
#include "menu/cadlink/item_route.h"

#include <string>

namespace {

void Function() {}

struct Routed {
    ItemRoute route;
    int slot;
    std::string text;
};

Routed Route(const MenuItem& item, bool ctrl = false, std::vector<const char*> keys = {}) {
    char text[1028];
    int slot = 0;
    ItemRoute route = RouteMenuItem(item, ctrl, keys.data(), static_cast<int>(keys.size()), &slot,
                                    text, sizeof text);
    return Routed{route, slot, text};
}

MenuItem Command(const char* command, const char* alternate = "") {
    MenuItem item;
    item.command = MenuText(command);
    item.alternate = MenuText(alternate);
    return item;
}

TEST(ItemRoute, DialogThenFunctionThenCtrlComeFirst) {
    MenuItem about = Command("VXMENU_ABOUT\n");
    about.dialogKind = 1;
    EXPECT_EQ(Route(about, true).route, ItemRoute::Dialog);
    MenuItem withFunction = Command("LINE\n", "ALT\n");
    withFunction.libraryFunction = Function;
    EXPECT_EQ(Route(withFunction, true).route, ItemRoute::Function); // never sends its text
    Routed alternate = Route(Command("EXEC notepad\n", "COPY\n"), true);
    EXPECT_EQ(alternate.route, ItemRoute::Alternate);
    EXPECT_EQ(alternate.text, "COPY\n");
    EXPECT_EQ(Route(Command("LINE\n"), true).route, ItemRoute::Nothing);
    EXPECT_EQ(Route(Command("")).route, ItemRoute::Nothing);
}

TEST(ItemRoute, ExecTakesTheTextAfterItsSeparatorUpToTheLineFeed) {
    Routed r = Route(Command("EXEC notepad C:\\a.txt\nignored"));
    EXPECT_EQ(r.route, ItemRoute::Exec);
    EXPECT_EQ(r.text, "notepad C:\\a.txt");
    EXPECT_EQ(Route(Command("exec x\n")).route, ItemRoute::Cad); // case as written
    Routed bare = Route(Command("EXEC"));
    EXPECT_EQ(bare.route, ItemRoute::Exec);
    EXPECT_EQ(bare.text, "");
    // A full-width space as the separator is one character, both of its bytes.
    EXPECT_EQ(Route(Command("EXEC　notepad\n")).text, "notepad");
    EXPECT_EQ(Route(Command("AB　LINE\n"), false, {"AB"}).text, "LINE");
}

TEST(ItemRoute, FirstMatchingExternalKeyWinsAndFreeSlotsAreSkipped) {
    Routed r = Route(Command("ABC:LINE\n"), false, {"", "AB", "ABC"});
    EXPECT_EQ(r.route, ItemRoute::External);
    EXPECT_EQ(r.slot, 1);
    EXPECT_EQ(r.text, ":LINE"); // key "AB", then its separator 'C'
    r = Route(Command("ABC:LINE\n"), false, {"", "ABC"});
    EXPECT_EQ(r.slot, 1);
    EXPECT_EQ(r.text, "LINE");
    // Once the program's slot is free again, the whole text goes to the CAD program.
    r = Route(Command("ABC:LINE\n"), false, {""});
    EXPECT_EQ(r.route, ItemRoute::Cad);
    EXPECT_EQ(r.text, "ABC:LINE\n");
    r = Route(Command("ABC"), false, {"ABC"});
    EXPECT_EQ(r.route, ItemRoute::External);
    EXPECT_EQ(r.text, "");
}

TEST(ExecCommand, SplitsAtTheFirstSpaceAndTrims) {
    char program[kPathSize];
    char arguments[kPathSize];
    SplitExecText("notepad  C:\\a b.txt ", program, arguments);
    EXPECT_STREQ(program, "notepad");
    EXPECT_STREQ(arguments, "C:\\a b.txt");
    SplitExecText("calc.exe", program, arguments);
    EXPECT_STREQ(program, "calc.exe");
    EXPECT_STREQ(arguments, "");
}

TEST(ExecCommand, DirectoryMacroNeedsANonEmptyKey) {
    char prefix[kPathSize], key[kPathSize], tail[kPathSize];
    ASSERT_TRUE(SplitDirectoryMacro("#TOOLS#\\tool.exe", prefix, key, tail));
    EXPECT_STREQ(prefix, "");
    EXPECT_STREQ(key, "TOOLS");
    EXPECT_STREQ(tail, "\\tool.exe");
    ASSERT_TRUE(SplitDirectoryMacro("C:#A#\\#B#", prefix, key, tail));
    EXPECT_STREQ(key, "A");
    EXPECT_STREQ(tail, "\\#B#"); // only the first pair
    EXPECT_FALSE(SplitDirectoryMacro("C:##x", prefix, key, tail));
    EXPECT_FALSE(SplitDirectoryMacro("C:#open", prefix, key, tail));
    EXPECT_FALSE(SplitDirectoryMacro("plain.exe", prefix, key, tail));
}

TEST(ExecCommand, ProgramWithASpaceIsQuoted) {
    char line[600];
    BuildExecCommandLine("notepad", "a.txt", line, sizeof line);
    EXPECT_STREQ(line, "notepad a.txt");
    BuildExecCommandLine("C:\\Program Files\\t.exe", "-x", line, sizeof line);
    EXPECT_STREQ(line, "\"C:\\Program Files\\t.exe\" -x");
}

} // namespace
