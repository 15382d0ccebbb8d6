// The in-CAD modules hosted by the stand-in CAD program and driven by LISP
// calls: the module frame, the utility module's functions with their
// argument errors, file search failures and vxmcopy.
#include <gtest/gtest.h>

#include "tests/wine/support/win_test_support.h"

#include <ddeml.h>

#include <string>
#include <vector>

namespace {

const char kCaption[] = "AutoCAD 2004 - [host.dwg]";

class CadModules : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        log = dir + "\\cad.log";
    }

    void TearDown() override {
        EndProgram(cad);
        EndStandIns();
    }

    void StartHost(const std::string& support, const std::string& options = "") {
        window = StartModuleHost(&cad, kCaption, {StartModulePath(), UtilityModulePath()}, support,
                                 log, options);
        ASSERT_NE(window, nullptr);
    }

    // A LISP call's result; its alerts are dismissed as they come.
    std::string Lisp(const std::string& call, size_t alerts = 0) {
        return CallLisp(window, log, call, alerts);
    }

    void Control(const std::string& verb) { ASSERT_TRUE(SendStandInControl(window, verb.c_str())); }

    std::vector<std::string> Bodies(const char* kind) {
        std::vector<std::string> bodies;
        for (const LogRecord& record : LogRecordsOf(log, kind)) {
            bodies.push_back(record.bytes);
        }
        return bodies;
    }

    // The PRINT records logged from here on.
    size_t Mark() { return LogRecordsOf(log, "PRINT").size(); }
    std::vector<std::string> PrintsSince(size_t mark) {
        std::vector<std::string> prints = Bodies("PRINT");
        return std::vector<std::string>(prints.begin() + mark, prints.end());
    }

    std::string dir, log;
    Program cad;
    HWND window = nullptr;
};

using Texts = std::vector<std::string>;

HDDEDATA CALLBACK IgnoreDde(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// Sends text as a DDE execute transaction to service and topic "SYSTEM".
bool ExecuteByDde(const char* service, const std::string& text) {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, IgnoreDde, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        return false;
    }
    HSZ serviceName = DdeCreateStringHandleA(instance, service, CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(instance, "SYSTEM", CP_WINANSI);
    HCONV conversation = DdeConnect(instance, serviceName, topic, nullptr);
    bool sent = conversation != nullptr &&
                DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(text.c_str())),
                                     static_cast<DWORD>(text.size() + 1), conversation, nullptr, 0,
                                     XTYP_EXECUTE, 10000, nullptr) != nullptr;
    if (conversation != nullptr) {
        DdeDisconnect(conversation);
    }
    DdeFreeStringHandle(instance, serviceName);
    DdeFreeStringHandle(instance, topic);
    DdeUninitialize(instance);
    return sent;
}

// A path as a LISP string literal.
std::string LispLiteral(const std::string& path) {
    std::string out = "\"";
    for (char c : path) {
        out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return out + "\"";
}

TEST_F(CadModules, FrameDefinesPerDrawingDispatchesOnlyItsCodesAndUnloadsAtExit) {
    StartHost(dir, "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM");
    const std::string start = StartModulePath(), utility = UtilityModulePath();
    const Texts table = {"vxminit 1",
                         "vxmend 2",
                         "vxmstart 3",
                         "vxmcopy 4",
                         "%mkcmdlst 1",
                         "%txtread 2",
                         "%writeprivateprofilestring 3",
                         "%getprivateprofilestring 4",
                         "%OutputDebugString 5",
                         "%OutputDebugStringOn 6",
                         "%OutputDebugStringOff 7"};
    EXPECT_EQ(Bodies("DEFUN"), table);
    EXPECT_EQ(Bodies("UNLOCK"), (Texts{start, utility}));
    EXPECT_EQ(Bodies("MDIAWARE"), (Texts{start, utility}));
    EXPECT_EQ(Bodies("REACTOR"), Texts{"add " + start});

    // A second drawing defines the whole table again; closing it removes it
    // there, and the first drawing keeps its functions.
    Control("dwg-open");
    EXPECT_EQ(Bodies("DEFUN").size(), 2 * table.size());
    Control("dwg-close");
    EXPECT_EQ(Bodies("UNDEF"), table);
    EXPECT_EQ(Lisp("(%outputdebugstringon)"), "") << "a handler without result gives void";
    EXPECT_EQ(Lisp("(nosuch 1 \"a\")"), "error: no function definition: NOSUCH");
    const size_t results = Bodies("RESULT").size();
    ASSERT_TRUE(ExecuteByDde("AutoCAD.r13.DDE", "(%OutputDebugStringOff)\n"));
    ASSERT_TRUE(WaitForLogRecords(log, "RESULT", results + 1)) << "a LISP call by DDE execute";
    EXPECT_EQ(LogRecordsOf(log, "LISP").back().bytes, "(%OutputDebugStringOff)\n");
    EXPECT_EQ(Bodies("RESULT").back(), "");

    // Codes the tables do not hold call nothing.
    for (const std::string& verb :
         {"invoke=0," + start, "invoke=5," + start, "invoke=0," + utility, "invoke=8," + utility}) {
        Control(verb);
        EXPECT_EQ(Bodies("RESULT").back(), "") << verb;
    }
    EXPECT_TRUE(Bodies("PRINT").empty());
    EXPECT_TRUE(Bodies("ALERT").empty());

    // At exit each module hears kUnloadDwgMsg, then kUnloadAppMsg, and is freed.
    Control("close");
    ASSERT_TRUE(WaitForExit(cad, 10000));
    Texts tail;
    bool closing = false;
    for (const LogRecord& record : ReadLogRecords(log.c_str())) {
        closing = closing || (record.kind == "CONTROL" && record.bytes == "close");
        if (closing && record.kind != "CONTROL") {
            tail.push_back(record.kind + " " + record.bytes);
        }
    }
    Texts expected;
    for (size_t i = 4; i < table.size(); ++i) {
        expected.push_back("UNDEF " + table[i]);
    }
    expected.push_back("ARXUNLOAD " + utility);
    for (size_t i = 0; i < 4; ++i) {
        expected.push_back("UNDEF " + table[i]);
    }
    expected.push_back("REACTOR remove " + start);
    expected.push_back("ARXUNLOAD " + start);
    expected.push_back("EXIT ");
    EXPECT_EQ(tail, expected);
}

TEST_F(CadModules, ProfileAndDebugFunctionsCheckTheirStringArguments) {
    StartHost(dir);
    const std::string ini = dir + "\\test.ini";
    const std::string escapedIni = LispLiteral(ini);
    EXPECT_EQ(Lisp("(%writeprivateprofilestring \"図面\" \"key\" \"値\\\\ソ\" " + escapedIni + ")"),
              "T");
    EXPECT_EQ(ReadIniValue(ini, "図面", "key"), "値\\ソ");
    EXPECT_EQ(Lisp("(%getprivateprofilestring \"図面\" \"KEY\" " + escapedIni + ")"),
              "\"値\\\\ソ\"");
    EXPECT_EQ(Lisp("(%getprivateprofilestring \"図面\" \"none\" " + escapedIni + " 1 2)"), "\"\"");

    size_t mark = Mark();
    EXPECT_EQ(Lisp("(%writeprivateprofilestring)"), "nil");
    EXPECT_EQ(Lisp("(%writeprivateprofilestring \"s\" 1)"), "nil");
    EXPECT_EQ(Lisp("(%writeprivateprofilestring \"s\" \"k\" nil \"f\")"), "nil");
    EXPECT_EQ(Lisp("(%writeprivateprofilestring \"s\" \"k\" \"v\")"), "nil");
    EXPECT_EQ(Lisp("(%getprivateprofilestring \"s\" \"k\" 2.5)"), "nil");
    EXPECT_EQ(Lisp("(%OutputDebugString)"), "nil");
    EXPECT_EQ(Lisp("(%outputdebugstring T)"), "nil");
    EXPECT_EQ(PrintsSince(mark), (Texts{"1st Argument not exist.", "2nd Argument must be a string.",
                                        "3rd Argument must be a string.", "4th Argument not exist.",
                                        "3rd Argument must be a string.", "1st Argument not exist.",
                                        "1st Argument must be a string."}));

    EXPECT_EQ(Lisp("(%OutputDebugString \"off\")"), "T");
    EXPECT_EQ(Lisp("(%OutputDebugStringOn 1)"), "");
    EXPECT_EQ(Lisp("(%OutputDebugString \"on\")"), "T");
    EXPECT_EQ(Lisp("(%OutputDebugStringOff)"), "");
}

TEST_F(CadModules, TextAndCommandFilesBecomeListsThatFreeNoForeignText) {
    StartHost(dir);
    // The last line has no line end; a trail byte 0x5C stays unescaped.
    WriteTextFile(dir + "\\text.txt", "first\r\n\r\nソ\"q\\\r\nlast");
    // A command file deep enough for a full path of more than 64 characters.
    std::string deep = dir;
    for (int i = 0; i < 4; ++i) {
        deep += "\\folder-with-a-long-name-" + std::to_string(i);
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    const std::string commands = deep + "\\commands.cmd";
    ASSERT_GT(commands.size(), 160u);
    WriteTextFile(commands, "; comment\r\nfree=_free\r\n[ Draw ]\r\nline,pline ; 線分 = _line "
                            "x\r\n   \r\na=b[Edit ]\r\nCopy=_copy");

    EXPECT_EQ(Lisp("(%txtread " + LispLiteral(dir + "\\text.txt") + ")"),
              "(\"first\" \"\" \"ソ\\\"q\\\\\" \"last\")");
    EXPECT_EQ(Lisp("(%mkcmdlst " + LispLiteral(commands) + ")"),
              "((\"FREE\" \"\" \"_free\") (\"LINE\" \"draw \" \"_line x\") "
              "(\"PLINE\" \"draw \" \"_line x\") (\"線分\" \"draw \" \"_line x\") "
              "(\"COPY\" \"edit \" \"_copy\"))");
    EXPECT_EQ(Lisp("(%txtread " + LispLiteral(dir + "\\missing.txt") + ")"), "nil");
    EXPECT_EQ(Lisp("(%mkcmdlst " + LispLiteral(dir + "\\missing.cmd") + ")"), "nil");
    EXPECT_EQ(Lisp("(%txtread \"" + std::string(300, 'x') + "\")"), "nil");

    size_t mark = Mark();
    EXPECT_EQ(Lisp("(%txtread)"), "");
    EXPECT_EQ(Lisp("(%mkcmdlst 12)"), "");
    EXPECT_EQ(PrintsSince(mark), (Texts{"argument1 not exist", "argument1 not match type"}));

    // acutRelRb met only texts of the host's own heap and acedRetList only
    // balanced lists; a module's own text or a stray RTLE would be refused
    // and logged.
    EXPECT_TRUE(LogRecordsOf(log, "ERROR").empty());
    Control("foreign-text");
    Control("unbalanced-list");
    EXPECT_EQ(LogRecordsOf(log, "ERROR").size(), 2u);
}

TEST_F(CadModules, FindAndStartFailuresAreReportedAndVxmcopyCopiesBesideTheMenu) {
    // Folders ending in a trail byte 0x5C (ソ, 表) still take a backslash.
    const std::string empty = dir + "\\emptyソ", menuDir = dir + "\\menu表";
    CreateDirectoryA(empty.c_str(), nullptr);
    CreateDirectoryA(menuDir.c_str(), nullptr);
    StartHost(empty + ";" + menuDir);

    // Neither file anywhere on the search path.
    EXPECT_EQ(Lisp("(vxmcopy \"a.ini\" \"b.ini\")", 1), "nil");
    EXPECT_EQ(Lisp("(vxminit)", 1), "");
    EXPECT_EQ(Bodies("ALERT"),
              (Texts{"VXMENUのパスを取得できません。", "VXMENU32.INIを取得できません。"}));
    // The poll finds no value at its first tick and ends.
    EXPECT_TRUE(WaitUntil([] { return FindWindowA("VXMSTART", nullptr) == nullptr; }, 10000));
    EXPECT_EQ(Lisp("(vxmstart)"), "nil") << "no CAD window known";

    // A configuration still "BUSY", but no VXMENU32.EXE. The alert is modal
    // like the CAD program's: the call waits for it, and the poll's timer
    // ticks meanwhile and learns the CAD window once it is written.
    const std::string ini = menuDir + "\\VXMENU32.INI";
    WriteTextFile(ini, "[VXMENU]\r\nHWND=BUSY\r\n");
    EXPECT_EQ(Lisp("(vxminit)"), "");
    HWND poll = FindWindowA("VXMSTART", nullptr);
    ASSERT_NE(poll, nullptr);
    const size_t results = Bodies("RESULT").size();
    ASSERT_TRUE(SendLisp(window, "(vxmcopy \"a.ini\" \"b.ini\")"));
    ASSERT_TRUE(WaitForLogRecords(log, "ALERT", 3));
    WriteTextFile(ini, "[VXMENU]\r\nHWND=" + HexHandle(window) + "\r\n");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(poll); }, 10000)) << "no tick during the alert";
    EXPECT_EQ(Bodies("RESULT").size(), results) << "the call did not wait for its alert";
    Control("alert-ok");
    ASSERT_TRUE(WaitForLogRecords(log, "RESULT", results + 1));
    EXPECT_EQ(Bodies("RESULT").back(), "nil");
    EXPECT_EQ(Lisp("(vxmstart)", 1), "nil");
    EXPECT_EQ(Bodies("ALERT").back(), "VXMENU32.EXEのパスを取得できません。");

    // A VXMENU32.EXE that cannot be started.
    WriteTextFile(menuDir + "\\VXMENU32.EXE", "");
    MessageBoxAnswerer answerer({"VXMENU"});
    EXPECT_EQ(Lisp("(vxmstart)"), "nil");
    std::vector<ShownMessage> boxes = answerer.Finish();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "VXMENUが起動できません。");

    // vxmcopy works in the folder of VXMENU32.EXE, found in the second folder.
    WriteTextFile(menuDir + "\\a.ini", "new");
    WriteTextFile(menuDir + "\\b.ini", "old");
    EXPECT_EQ(Lisp("(vxmcopy \"a.ini\" \"b.ini\" \"extra\")"), "T");
    EXPECT_EQ(ReadTextFile(menuDir + "\\b.ini"), "new");
    EXPECT_EQ(Lisp("(vxmcopy \"a.ini\")"), "nil");
    EXPECT_EQ(Lisp("(vxmcopy \"a.ini\" 2)"), "nil");
    EXPECT_EQ(Lisp("(vxmcopy \"missing.ini\" \"c.ini\")"), "nil");
    // A destination that does not fit in 255 characters is refused, not cut.
    const std::string longName = std::string(250, 'd') + ".ini";
    EXPECT_EQ(Lisp("(vxmcopy \"a.ini\" \"" + longName + "\")"), "nil");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((menuDir + "\\ddd*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "copied to " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    EXPECT_EQ(Bodies("ALERT").size(), 4u);
}

} // namespace
