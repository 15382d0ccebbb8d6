// What the menu builder reports to a listener: each kind of finding on a
// crafted package, by file and line, and that the load's result stays the
// one the floating menu gets.
#include <gtest/gtest.h>

#include "menu/model/menu_build.h"
#include "tests/native/menu_memory_hooks.h"

#include <string>
#include <vector>

namespace {

const char kIni[] = "C:\\pkg\\VXMENU32.INI";
const char kMenu[] = "C:\\pkg\\a.mnu";
const char kOther[] = "C:\\pkg\\b.mnu";

struct Found {
    MenuFindingKind kind;
    std::string file;
    int line;
    std::string text;
    int number;
    int number2 = -1;
    bool operator==(const Found& o) const {
        return kind == o.kind && file == o.file && line == o.line &&
               (o.text == "*" || text == o.text) && (o.number < 0 || number == o.number) &&
               (o.number2 < 0 || number2 == o.number2);
    }
};

std::ostream& operator<<(std::ostream& out, const Found& f) {
    return out << "{" << static_cast<int>(f.kind) << " " << f.file << ":" << f.line << " \""
               << f.text << "\" " << f.number << " " << f.number2 << "}";
}

void Collect(void* context, const MenuFinding& finding) {
    static_cast<std::vector<Found>*>(context)->push_back(
        Found{finding.kind, finding.file, finding.line, finding.text ? finding.text : "",
              finding.number, finding.number2});
}

struct Case {
    const char* name;
    std::vector<std::string> config; // after "[VXMENU]"; "@" stands for a good registration
    std::vector<std::string> menu;   // lines of a.mnu; a last one after "!!" has no CR LF
    std::vector<Found> expected;     // text "*" and numbers -1 match anything
    int loads;                       // 1 when the floating menu would load it
};

std::string Crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line.rfind("!!", 0) == 0 ? line.substr(2) : line + "\r\n";
    }
    return text;
}

using K = MenuFindingKind;
const std::string kGood = std::string("VXMENU=\"") + kMenu + "\" \"A\" INIT";
const std::string kLong = "[Long]" + std::string(1100, 'x');

const Case kCases[] = {
    {"SectionHeaderWithBlank",
     {"!![VXMENU] ", "@"},
     {"[T]"},
     {{K::kSectionHeaderBlanks, kIni, 1, "VXMENU", -1},
      {K::kSectionMissing, kIni, 0, "VXMENU", -1}},
     0},
    {"KeysThatAreNotVxmenu",
     {"PKGNAME=x", "vxmenu=\"a\"", "\tVXMENU=\"a\"", "VXMENU\t=\"a\""},
     {"[T]"},
     {{K::kKeyLooksLikeVxmenu, kIni, 3, "vxmenu", -1},
      {K::kKeyLooksLikeVxmenu, kIni, 4, "\tVXMENU", -1},
      {K::kKeyLooksLikeVxmenu, kIni, 5, "VXMENU\t", -1},
      {K::kNoRegistration, kIni, 1, "VXMENU", -1}},
     0},
    {"ElevenRegistrations",
     {"@", "@", "@", "@", "@", "@", "@", "@", "@", "@", "@"},
     {"[T]"},
     {{K::kTooManyRegistrations, kIni, 12, "", 11}},
     0},
    {"BlankValueAndBlankBeforeEquals",
     {"VXMENU= \t", "VXMENU =\"C:\\pkg\\a.mnu\" \"A\""},
     {"[T]"},
     {{K::kBlankRegistration, kIni, 2, "", -1},
      {K::kBlankBeforeEquals, kIni, 3, "", -1},
      {K::kMenuFileMissing, kIni, 3, "=", -1}},
     0},
    {"EmptyValueAndLostDisplayName",
     {"VXMENU=", std::string("VXMENU=\"") + kMenu + "\"\"Name\" INIT"},
     {"[T]", "[A]"},
     {{K::kEmptyRegistration, kIni, 2, "", -1}, {K::kDisplayNameLost, kIni, 3, " INIT", -1}},
     1},
    {"EveryFailingRegistrationIsTold",
     {"@", std::string("VXMENU=\"") + kOther + "\" \"B\"", "VXMENU=\"C:\\pkg\\none.mnu\" \"N\""},
     {"T"},
     {{K::kLibraryNotLoaded, kIni, 3, "C:\\pkg\\b.dll", -1},
      {K::kMenuFileMissing, kIni, 4, "C:\\pkg\\none.mnu", -1},
      {K::kTitleLineMissing, kMenu, 1, "", -1}},
     0},
    {"LongLineIsCutAndCountsOnce",
     {"@"},
     {"[T]", kLong, "[A^NOPE^]"},
     {{K::kLineCut, kMenu, 2, "", 1023}, {K::kBitmapMissing, kMenu, 3, "NOPE", -1}},
     1},
    {"LineWithNulByteCountsOnce",
     {"@"},
     {"[T]", std::string("[A]X\0Y", 6), "[B^NOPE^]"},
     {{K::kBitmapMissing, kMenu, 3, "NOPE", -1}},
     1},
    {"LeadBytes",
     {"@"},
     {"[T]", "[A]X\x81", "[B\x81 ]Y", "!![C]Z\x81"},
     {{K::kLeadByteAtEnd, kMenu, 2, "", 5},
      {K::kLeadByteBadTrail, kMenu, 3, "", 3},
      {K::kLeadByteAtEnd, kMenu, 4, "", 5}},
     1},
    {"LabelEndIsATrailByte",
     {"@"},
     {"[T]", "[A\x81]LINE", "[B\x81]C]X", "[\x81\x81]OK"},
     {{K::kLabelEndHidden, kMenu, 2, "", 4, 0x81}, {K::kLabelEndHidden, kMenu, 3, "", 4, 0x81}},
     1},
    {"TitleLineGetsTheItemChecks",
     {"@"},
     {"; [T^BMP16^#hint]DLL:", "[A]"}, // its command is never sent: not checked
     {{K::kCommentIsItem, kMenu, 1, "", -1}, {K::kTextAfterBitmap, kMenu, 1, "#hint", -1}},
     1},
    {"TopMenuWithoutItems",
     {"@"},
     {"[T]", "; only a comment"},
     {{K::kTopMenuEmpty, kMenu, 1, "", -1}},
     1},
    {"LfOnlyFileIsOneLine",
     {"@"},
     {"!![T]\n[A]LINE\n[B]\n"},
     {{K::kLineEndsNotCrLf, kMenu, 1, "LF", 3, 1}, {K::kTopMenuEmpty, kMenu, 1, "", -1}},
     1},
    {"BareCrJoinsTwoLines",
     {"@"},
     {"[T]", "[A]LINE\r[B]", "[C]"},
     {{K::kLineEndsNotCrLf, kMenu, 2, "CR", 2, 0}},
     1},
    {"InitCommandWithAQuote",
     {std::string("VXMENU=\"") + kMenu + "\" \"A\" ^C^C(load \"vxinit\")"},
     {"[T]", "[A]"},
     {{K::kInitCommandCut, kIni, 2, "^C^C(load ", -1}},
     1},
    {"EndsBeyondTheOpenMenus",
     {"@"},
     {"[T]", "[->S]", "[<-<-X]", "; c", "[Y]", "[Z]"},
     {{K::kEndsBeyondOpen, kMenu, 3, "", 2}},
     1},
    {"BitmapPart",
     {"@"},
     {"[T]", "[A^<CT>BMP16^]", "[B^BMP16^#hint]", "[C^<ML>BMP16^]"},
     {{K::kPlacementUnclear, kMenu, 2, "CT", -1}, {K::kTextAfterBitmap, kMenu, 3, "#hint", -1}},
     1},
    {"LibraryFunctions",
     {"@"},
     {"[T]", "[A]DLL:Nope", "[B]DLL:", "[C]dll:Trace", "[D]DLL:Trace"},
     {{K::kFunctionMissing, kMenu, 2, "Nope", -1},
      {K::kFunctionNameEmpty, kMenu, 3, "", -1},
      {K::kDllPrefixCase, kMenu, 4, "dll:", -1}},
     1},
    {"PrefixesThatDoNothing",
     {"@"},
     {"[T]", "[/!A]", "[->S]", "[<-->B]", "[~->C]", "[<-D]", "[->E]"},
     {{K::kCountPrefixInvalid, kMenu, 2, "!", -1},
      {K::kSubmenuPrefixIgnored, kMenu, 4, "", -1},
      {K::kStaticOpensSubmenu, kMenu, 5, "C", -1},
      {K::kSubmenuEmpty, kMenu, 7, "E", -1}},
     1},
    {"CommentsAndCommands",
     {"@"},
     {"[T]", "; see [A]", "[B]LINE\xB1", "[C]LINE ;COPY ", "[D]^C^C", "[E]POINT \\"},
     {{K::kCommentIsItem, kMenu, 2, "", -1},
      {K::kCommandWithoutNewline, kMenu, 3, "", -1},
      {K::kCommandTrailingBlank, kMenu, 4, "", -1},
      {K::kCommandTrailingBlank, kMenu, 4, "", -1}},
     1},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class MenuFindings : public ::testing::TestWithParam<Case> {};

TEST_P(MenuFindings, ReportedByFileAndLine) {
    const Case& c = GetParam();
    MemoryMenuSystem system;
    std::vector<std::string> config{"[VXMENU]"};
    for (const std::string& line : c.config) {
        config.push_back(line == "@" ? kGood : line.rfind("!!", 0) == 0 ? line.substr(2) : line);
    }
    if (c.config.front().rfind("!!", 0) == 0) {
        config.erase(config.begin()); // the case writes its own header
    }
    system.files[kIni] = Crlf(config);
    system.files[kMenu] = Crlf(c.menu);
    system.files[kOther] = Crlf({"[X]"}); // without library
    MemoryLibrary& library = system.libraries["C:\\pkg\\a.dll"];
    library.bitmaps["BMP16"] = {16, 16};
    library.functions["Trace"] = [] {};
    MenuLoadHooks hooks = system.Hooks();

    std::vector<Found> found;
    MenuFindingListener listener{&found, Collect};
    const int loaded = LoadMenuModel(kIni, "VXMENU", hooks, &listener) == 0;
    EXPECT_EQ(found, c.expected);
    EXPECT_EQ(loaded, c.loads);
    const bool anyError =
        std::any_of(found.begin(), found.end(), [](const Found& f) { return FailsLoad(f.kind); });
    EXPECT_EQ(anyError, !loaded);
    FreeMenuModel(hooks);

    // Without a listener the load comes out the same.
    EXPECT_EQ(LoadMenuModel(kIni, "VXMENU", hooks) == 0, loaded == 1);
    FreeMenuModel(hooks);
    EXPECT_TRUE(system.NothingHeld());
}

INSTANTIATE_TEST_SUITE_P(Kinds, MenuFindings, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST(MenuFindingsFiles, UnreadableFilesAreTold) {
    MemoryMenuSystem system;
    MenuLoadHooks hooks = system.Hooks();
    std::vector<Found> found;
    MenuFindingListener listener{&found, Collect};
    EXPECT_NE(LoadMenuModel(kIni, "VXMENU", hooks, &listener), 0);
    system.files[kIni] = Crlf({"[VXMENU]", kGood});
    system.files[kMenu] = Crlf({"[T]"});
    system.libraries["C:\\pkg\\a.dll"];
    system.locked.insert(kMenu);
    EXPECT_NE(LoadMenuModel(kIni, "VXMENU", hooks, &listener), 0);
    const std::vector<Found> expected = {
        {MenuFindingKind::kConfigUnreadable, kIni, 0, "", 0},
        {MenuFindingKind::kMenuFileUnreadable, kMenu, 0, kMenu, 0}};
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(system.NothingHeld());
}

TEST(MenuFindingsMemory, RunningOutIsTold) {
    MemoryMenuSystem system;
    system.files[kIni] = Crlf({"[VXMENU]", kGood});
    system.files[kMenu] = Crlf({"[T]", "[A]"});
    system.libraries["C:\\pkg\\a.dll"];
    system.throwAtCall = 3;
    MenuLoadHooks hooks = system.Hooks();
    std::vector<Found> found;
    MenuFindingListener listener{&found, Collect};
    EXPECT_NE(LoadMenuModel(kIni, "VXMENU", hooks, &listener), 0);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, MenuFindingKind::kOutOfMemory);
    EXPECT_TRUE(system.NothingHeld());
}

} // namespace
