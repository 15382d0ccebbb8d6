// The launcher's start rules: system entries and the /S option, the CAD
// command line, values written for the floating menu, the registry script.
#include <gtest/gtest.h>

#include "launcher/launch_rules.h"
#include "launcher/script_values.h"

#include <string>

namespace {

struct Entry {
    bool inUse;
    std::string menuFile;
};

Entry Evaluate(const char* key, const char* value, const char* arguments) {
    Entry entry{false, "<unchanged>"};
    entry.inUse = EvaluateSystemEntry(key, value, arguments, &entry.menuFile);
    return entry;
}

TEST(OptionText, RunsFromTheLastSlashSUpToTheNextSlash) {
    EXPECT_EQ(OptionText("/S ARCH STRUCT /X"), "ARCH STRUCT ");
    EXPECT_EQ(OptionText("/S ARCH/X"), "ARCH");
    EXPECT_EQ(OptionText("a /s B /S C"), "C");
    EXPECT_EQ(OptionText("plain.dwg"), "plain.dwg");
    EXPECT_EQ(OptionText("/S "), "");
    EXPECT_TRUE(AsksForNewSystemList("x /s y"));
    EXPECT_FALSE(AsksForNewSystemList("x /S"));
}

TEST(SystemEntry, MenuFilePathFromQuotedAndPlainParts) {
    EXPECT_EQ(Evaluate("K", "\"C:\\PKG\\ARCH\" ARCH.INI 0", "").menuFile,
              "C:\\PKG\\ARCH\\ARCH.INI");
    EXPECT_EQ(Evaluate("K", " \"C:\\A B\\\"   \"M N.INI\" 1 ", "").menuFile, "C:\\A B\\M N.INI");
    EXPECT_EQ(Evaluate("K", "C:\\PKG 0", "").menuFile, "C:\\PKG\\");
    // 表 ends in the byte 0x5C but is no backslash: one is added.
    EXPECT_EQ(Evaluate("K", "\"C:\\図表\" M.INI 0", "").menuFile, "C:\\図表\\M.INI");
    EXPECT_EQ(Evaluate("K", "\"C:\\open M.INI 1", "").menuFile, "C:\\open M.INI 1\\");
}

TEST(SystemEntry, InUseUnlessNamedInTheOptionText) {
    EXPECT_TRUE(Evaluate("ARCH", "\"C:\\P\" A.INI 0", "").inUse);
    EXPECT_FALSE(Evaluate("ARCH", "\"C:\\P\" A.INI 0", "/S ARCH").inUse);
    EXPECT_FALSE(Evaluate("STRUCT", "\"C:\\P\" S.INI 0", "/S ARCH STRUCT").inUse);
    EXPECT_TRUE(Evaluate("ARCH", "\"C:\\P\" A.INI 1", "/S ARCH").inUse);
    EXPECT_TRUE(Evaluate("X", "\"C:\\P\" A.INI 0", "/S ARCH/X").inUse);
    // ア is 0x83 0x41: its trail byte is no "A".
    EXPECT_TRUE(Evaluate("A", "\"C:\\P\" A.INI 0", "/S ア").inUse);
    Entry empty = Evaluate("K", " \t ", "");
    EXPECT_FALSE(empty.inUse);
    EXPECT_EQ(empty.menuFile, "<unchanged>");
}

TEST(CadCommandLine, FourTemplates) {
    CadCommandParts parts{"C:\\CAD", "", "C:\\PKG", "PROF", "NULL", "a.dwt"};
    EXPECT_EQ(BuildCadCommandLine(parts), "\"C:\\CAD\\ACAD.EXE\" /C \"C:\\PKG\" /P PROF /T a.dwt");
    parts.arguments = "/S ARCH";
    parts.templateName = "";
    EXPECT_EQ(BuildCadCommandLine(parts),
              "\"C:\\CAD\\ACAD.EXE\" \"/S ARCH\" /C \"C:\\PKG\" /P PROF");
    parts.options = "/p \"My Profile\"";
    parts.templateName = "a.dwt"; // options leave the template out
    EXPECT_EQ(BuildCadCommandLine(parts), "\"C:\\CAD\\ACAD.EXE\" \"/S ARCH\" /p \"My Profile\"");
    parts.arguments = "";
    EXPECT_EQ(BuildCadCommandLine(parts), "\"C:\\CAD\\ACAD.EXE\" /p \"My Profile\"");
}

TEST(CadCommandLine, AnArgumentTextHoldingAQuoteIsPassedOnAsItIs) {
    CadCommandParts parts{"C:\\CAD", "\"C:\\My Drawings\\a.dwg\"", "C:\\PKG", "P", "NULL", ""};
    EXPECT_EQ(BuildCadCommandLine(parts),
              "\"C:\\CAD\\ACAD.EXE\" \"C:\\My Drawings\\a.dwg\" /C \"C:\\PKG\" /P P");
    parts.arguments = "x.dwg /b \"a b.scr\"";
    EXPECT_EQ(BuildCadCommandLine(parts),
              "\"C:\\CAD\\ACAD.EXE\" x.dwg /b \"a b.scr\" /C \"C:\\PKG\" /P P");
}

TEST(CadCommandLine, BackslashesBeforeAClosingQuoteAreDoubled) {
    CadCommandParts parts{"C:\\CAD", "D:\\図面\\", "C:\\PKG\\", "P", "null", ""};
    EXPECT_EQ(BuildCadCommandLine(parts),
              "\"C:\\CAD\\ACAD.EXE\" \"D:\\図面\\\\\" /C \"C:\\PKG\\\\\" /P P");
    parts.arguments = "C:\\図表"; // ends in 0x5C as a trail byte only
    parts.packageDir = "C:\\PKG";
    EXPECT_EQ(BuildCadCommandLine(parts), "\"C:\\CAD\\ACAD.EXE\" \"C:\\図表\" /C \"C:\\PKG\" /P P");
}

TEST(ProfileValueText, QuotesAValueThatWouldLoseItsOwnQuotes) {
    EXPECT_EQ(ProfileValueText("\"C:\\A.EXE\" /p \"My Profile\""),
              "\"\"C:\\A.EXE\" /p \"My Profile\"\"");
    EXPECT_EQ(ProfileValueText("'x'"), "\"'x'\"");
    EXPECT_EQ(ProfileValueText("\"C:\\A.EXE\" /P x"), "\"C:\\A.EXE\" /P x");
    EXPECT_EQ(ProfileValueText("\""), "\"");
    EXPECT_EQ(ProfileReadLength("  abc \t"), 3u);
}

TEST(ScriptValues, TextTable) {
    EXPECT_EQ(ScriptedText("A;B", ""), "A;B");
    EXPECT_EQ(ScriptedText("A;B", "+"), "A;B");
    EXPECT_EQ(ScriptedText("A;B", "+;C"), "A;B;C");
    EXPECT_EQ(ScriptedText("A;B", "C;+"), "C;A;B");
    EXPECT_EQ(ScriptedText("A", "+X+"), "AX+");
    EXPECT_EQ(ScriptedText("A", "new"), "new");
}

TEST(ScriptValues, NumbersAndNewValues) {
    EXPECT_EQ(ScriptedDword(2, "0x0000000A"), 10u);
    EXPECT_EQ(ScriptedDword(2, "5"), 2u);
    EXPECT_EQ(ScriptedDword(2, "0x5"), 2u);
    EXPECT_EQ(ScriptedDword(2, ""), 2u);
    uint32_t number = 0;
    EXPECT_EQ(ClassifyNewScriptValue("0x00000005", &number), NewScriptValue::kDword);
    EXPECT_EQ(number, 5u);
    EXPECT_EQ(ClassifyNewScriptValue("on", &number), NewScriptValue::kText);
    EXPECT_EQ(ClassifyNewScriptValue("", &number), NewScriptValue::kNone);
}

} // namespace
