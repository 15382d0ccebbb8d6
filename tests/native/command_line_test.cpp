// The floating menu's command line: switches, the configuration path and
// the quoted form.
#include <gtest/gtest.h>

#include "menu/app/command_line.h"

#include <cstring>
#include <string>

namespace {

struct Parsed {
    char iniPath[kPathSize] = "C:\\VX\\VXMENU32.ini";
    char menuName[kPathSize] = "VXMENU";
    char cadWindowText[kNameSize] = "";
};

Parsed Parse(const char* line) {
    Parsed p;
    ParseCommandLine(line, p.iniPath, p.menuName, p.cadWindowText);
    return p;
}

TEST(CommandLine, EmptyLineKeepsTheDefaults) {
    Parsed p = Parse("");
    EXPECT_STREQ(p.iniPath, "C:\\VX\\VXMENU32.ini");
    EXPECT_STREQ(p.menuName, "VXMENU");
    EXPECT_STREQ(p.cadWindowText, "");
}

TEST(CommandLine, SwitchesInBothCasesAndTheLastWordOfAKindWins) {
    Parsed p = Parse("/HWND:1a2b  /menu:ONE /MENU:TWO D:\\a.ini D:\\b.ini");
    EXPECT_STREQ(p.cadWindowText, "1a2b");
    EXPECT_STREQ(p.menuName, "TWO");
    EXPECT_STREQ(p.iniPath, "D:\\b.ini");
    EXPECT_STREQ(Parse("/hwnd:ff").cadWindowText, "ff");
}

TEST(CommandLine, MixedCaseSwitchIsAPath) {
    Parsed p = Parse("/Menu:X");
    EXPECT_STREQ(p.iniPath, "/Menu:X");
    EXPECT_STREQ(p.menuName, "VXMENU");
}

TEST(CommandLine, QuotedPathWithSpacesThenSwitch) {
    Parsed p = Parse("\"C:\\Program Files\\VX\\VXMENU32.INI\" /MENU:ABC");
    EXPECT_STREQ(p.iniPath, "C:\\Program Files\\VX\\VXMENU32.INI");
    EXPECT_STREQ(p.menuName, "ABC");
}

TEST(CommandLine, QuotedFormAfterSeveralSpacesReadsWholeWords) {
    Parsed p = Parse("/HWND:12   \"C:\\a b\\x.ini\"    /MENU:LONGNAME");
    EXPECT_STREQ(p.cadWindowText, "12");
    EXPECT_STREQ(p.iniPath, "C:\\a b\\x.ini");
    EXPECT_STREQ(p.menuName, "LONGNAME");
}

TEST(CommandLine, UnclosedQuoteTakesTheRestAndEmptyQuotesAreNoWord) {
    EXPECT_STREQ(Parse("\"C:\\open path").iniPath, "C:\\open path");
    EXPECT_STREQ(Parse("\"\" /MENU:M").iniPath, "C:\\VX\\VXMENU32.ini");
    EXPECT_STREQ(Parse("\"\" /MENU:M").menuName, "M");
}

TEST(CommandLine, OverLongInputIsCutToTheBuffers) {
    std::string line = "/HWND:" + std::string(200, 'f');
    Parsed p = Parse(line.c_str());
    EXPECT_EQ(strlen(p.cadWindowText), static_cast<size_t>(kNameSize - 1));
    std::string path(400, 'p');
    p = Parse(path.c_str());
    EXPECT_EQ(strlen(p.iniPath), static_cast<size_t>(kPathSize - 1));
}

TEST(CommandLine, DoubleByteWordsStayWhole) {
    Parsed p = Parse("\"C:\\ソフト\\設定.ini\" /MENU:表示");
    EXPECT_STREQ(p.iniPath, "C:\\ソフト\\設定.ini");
    EXPECT_STREQ(p.menuName, "表示");
}

} // namespace
