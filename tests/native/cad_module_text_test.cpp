// The in-CAD modules' portable rules: line pieces of %txtread and
// %mkcmdlst, command files, window handle values and the start module's
// command line and copy paths.
#include <gtest/gtest.h>

#include "cadmodules/start/menu_link_text.h"
#include "cadmodules/utility/command_file.h"
#include "cadmodules/utility/line_pieces.h"

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

Texts Pieces(const std::string& data, int size) {
    MemoryLines memory{data.data(), data.size(), 0};
    LinePieces pieces = MakeLinePieces(ReadMemoryLine, &memory);
    Texts out;
    std::vector<char> piece(size);
    while (ReadLinePiece(piece.data(), size, &pieces) != nullptr) {
        out.emplace_back(piece.data());
    }
    return out;
}

TEST(LinePieces, RemoveOnlyARealLineEnd) {
    EXPECT_EQ(Pieces("first\n\nlast", 100), (Texts{"first", "", "last"}));
    EXPECT_EQ(Pieces("x", 100), Texts{"x"});
    EXPECT_EQ(Pieces("", 100), Texts{});
}

TEST(LinePieces, LongLinesLoseNoCharacterAndMakeNoEmptyPiece) {
    EXPECT_EQ(Pieces("abcdefghij\nk\n", 5), (Texts{"abcd", "efgh", "ij", "k"}));
    EXPECT_EQ(Pieces("abcd\n\nefgh", 5), (Texts{"abcd", "", "efgh"}));
}

TEST(LinePieces, NeverSplitADoubleByteCharacter) {
    // "abc" then ソ (0x83 0x5C) does not fit in a piece of four bytes.
    EXPECT_EQ(Pieces("abcソ\nアイ\n", 5), (Texts{"abc", "ソ", "アイ"}));
    EXPECT_EQ(Pieces("abc\x83", 5), (Texts{"abc", "\x83"}));
}

struct Entry {
    std::string name, section, value;
    bool operator==(const Entry& o) const {
        return name == o.name && section == o.section && value == o.value;
    }
};

void PrintTo(const Entry& e, std::ostream* os) {
    *os << "(" << e.name << "|" << e.section << "|" << e.value << ")";
}

int Collect(void* context, const char* name, const char* section, const char* value) {
    static_cast<std::vector<Entry>*>(context)->push_back({name, section, value});
    return 1;
}

std::vector<Entry> Commands(const std::string& data) {
    MemoryLines memory{data.data(), data.size(), 0};
    LinePieces pieces = MakeLinePieces(ReadMemoryLine, &memory);
    std::vector<Entry> entries;
    ReadCommandFile(&pieces, Collect, &entries);
    return entries;
}

TEST(CommandFile, SectionsNamesAndValues) {
    EXPECT_EQ(Commands("top=1\n; x=comment\n  \n[Draw]\nline,pline = _line\n"),
              (std::vector<Entry>{
                  {"TOP", "", "1"}, {"LINE", "draw", "_line"}, {"PLINE", "draw", "_line"}}));
    EXPECT_EQ(Commands("[ Two  Words ]\na , b;c\td=x = y  \n"),
              (std::vector<Entry>{{"A", "two  words ", "x = y  "},
                                  {"B", "two  words ", "x = y  "},
                                  {"C", "two  words ", "x = y  "},
                                  {"D", "two  words ", "x = y  "}}));
    // A "[" anywhere makes a section line; one "=" at the start is passed over.
    EXPECT_EQ(Commands("a=b[1]\n=c=d\n==e=f\nno value\n"), (std::vector<Entry>{{"C", "1", "d"}}));
}

TEST(CommandFile, TheRestOfAnOverLongLineIsNoLineOfItsOwn) {
    // Pieces hold 254 characters: a comment's rest is skipped, a value's
    // rest dropped; a line of exactly 254 characters loses nothing.
    const std::string comment = ";" + std::string(260, 'c') + " x=evil [sec]\n";
    const std::string value = "a=" + std::string(260, 'v') + "[oops]\n";
    const std::string full = "b=" + std::string(252, 'w') + "\n";
    const std::string cutLead = "c=" + std::string(251, 'x') + "ソ[lead]\n";
    EXPECT_EQ(Commands("[s]\n" + comment + value + full + cutLead + "d=1\n"),
              (std::vector<Entry>{{"A", "s", std::string(252, 'v')},
                                  {"B", "s", std::string(252, 'w')},
                                  {"C", "s", std::string(251, 'x')},
                                  {"D", "s", "1"}}));
}

TEST(CommandFile, KeepsTheLastCharacterAndDoubleByteCharacters) {
    // ア (0x83 0x41) and ヂ (0x83 0x61) keep their trail bytes when cased.
    EXPECT_EQ(Commands("[アB]\nヂx=_copy"), (std::vector<Entry>{{"ヂX", "アb", "_copy"}}));
}

TEST(CommandFile, StopsWhenTheSinkStops) {
    const std::string data = "a,b=1\n";
    MemoryLines memory{data.data(), data.size(), 0};
    LinePieces pieces = MakeLinePieces(ReadMemoryLine, &memory);
    int calls = 0;
    auto stop = [](void* context, const char*, const char*, const char*) {
        ++*static_cast<int*>(context);
        return 0;
    };
    EXPECT_EQ(ReadCommandFile(&pieces, stop, &calls), 0);
    EXPECT_EQ(calls, 1);
}

TEST(WindowValues, HexRoundTripKeepsPointerSizedHandles) {
    for (uintptr_t handle :
         {uintptr_t{0x1234}, uintptr_t{0x7fffffff}, WindowValueFromHex32(0x80001234u)}) {
        char text[16];
        snprintf(text, sizeof text, "%x", static_cast<unsigned>(WindowValueToHex32(handle)));
        uintptr_t back = 0, other = 7;
        EXPECT_EQ(ScanWindowPair(text, &back, &other), 1) << text;
        EXPECT_EQ(back, handle) << text;
        EXPECT_EQ(other, 7u);
    }
}

TEST(WindowValues, ScanTakesWhatIsThereLikeTwoHexNumbers) {
    uintptr_t a = 1, b = 2;
    EXPECT_EQ(ScanWindowPair("1a2b 3C4D", &a, &b), 2);
    EXPECT_EQ(a, 0x1a2bu);
    EXPECT_EQ(b, 0x3c4du);
    EXPECT_EQ(ScanWindowPair("0x10\t0X20", &a, &b), 2);
    EXPECT_EQ(b, 0x20u);
    for (const char* text : {"", "zz", "123456789 1"}) {
        a = 1;
        b = 2;
        EXPECT_EQ(ScanWindowPair(text, &a, &b), 0) << text;
        EXPECT_EQ(a, 1u);
        EXPECT_EQ(b, 2u);
    }
}

TEST(StartModuleText, WatchedCommandsIgnoreCaseOnly) {
    for (const char* name : {"PLOT", "plot", "-Plot", "assist"}) {
        EXPECT_EQ(IsMenuClosingCommand(name), 1) << name;
    }
    for (const char* name : {"PLOTTER", "PLO", "-", "", "ASSIST "}) {
        EXPECT_EQ(IsMenuClosingCommand(name), 0) << name;
    }
}

TEST(StartModuleText, CommandLineAndCopyPathsAreRefusedRatherThanCut) {
    char line[260];
    EXPECT_EQ(FormatMenuStartCommand(line, sizeof line, "C:\\VX\\VXMENU32.EXE", 0x1a2b), 1);
    EXPECT_STREQ(line, "\"C:\\VX\\VXMENU32.EXE\" /HWND:1a2b");
    EXPECT_EQ(FormatMenuStartCommand(line, sizeof line, std::string(250, 'p').c_str(), 1), 0);
    EXPECT_STREQ(line, "");

    char source[kCopyPathSize], destination[kCopyPathSize];
    ASSERT_EQ(BuildCopyPaths("C:\\VX\\VXMENU32.EXE", "a.ini", "sub\\b.ini", source, destination),
              1);
    EXPECT_STREQ(source, "C:\\VX\\a.ini");
    EXPECT_STREQ(destination, "C:\\VX\\sub\\b.ini");
    const std::string exe = "C:\\VX\\VXMENU32.EXE"; // a folder of 6 characters
    EXPECT_EQ(BuildCopyPaths(exe.c_str(), std::string(249, 'a').c_str(), "b", source, destination),
              1);
    EXPECT_EQ(strlen(source), 255u);
    EXPECT_EQ(BuildCopyPaths(exe.c_str(), "a", std::string(250, 'b').c_str(), source, destination),
              0);
    EXPECT_EQ(BuildCopyPaths("SHORT.EXE", "a", "b", source, destination), 0);
}

} // namespace
