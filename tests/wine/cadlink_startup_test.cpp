// VXMENU32.EXE linking to the stand-in CAD program under Wine: the DDE
// conversation, the external programs, the window search, and older CAD
// windows hidden while the CAD program starts and shown again on every path.
#include <gtest/gtest.h>

#include "menu/app/startup_messages.h"
#include "tests/wine/support/win_test_support.h"
#include "tools/menu_driver/menu_driver.h"

#include <ostream>
#include <string>

namespace {

class CadLinkStartup : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ini = dir + "\\VXMENU32.INI";
        log = dir + "\\cad.log";
        oldLog = dir + "\\old.log";
    }

    void TearDown() override {
        EndProgram(menu);
        EndProgram(old);
        EndProgramsNamed({"EXTOOL1.EXE", "EXTOOL2.EXE"});
        EndStandIns();
        FreeMeasuredMenus();
    }

    // The log comes last: a profile value that begins and ends with a double
    // quote loses both when it is read.
    std::string StandIn(const std::string& caption, const std::string& more,
                        const std::string& logPath) {
        return "\"" + StandInExePath() + "\" \"-caption=" + caption + "\" " + more +
               " -log=" + logPath;
    }

    // A CAD program that already runs, with its main window's caption.
    HWND StartOldCad(const std::string& caption, const std::string& more = "") {
        old = StartProgram(StandIn(caption, more, oldLog));
        EXPECT_TRUE(WaitForLogRecords(oldLog, "READY", 1));
        return WaitForStandInWindow(caption.c_str());
    }

    // An older CAD program whose text window (an excluded caption) stands beside it.
    void StartOldCadWithTextWindow(const std::string& caption, const std::string& textCaption,
                                   HWND* main, HWND* text) {
        *main = StartOldCad(caption, "\"-extrawindow=" + textCaption + "\"");
        *text = WaitForStandInWindow(textCaption.c_str());
        ASSERT_NE(*main, nullptr);
        ASSERT_NE(*text, nullptr);
    }

    // The configuration with one CAD key and further [DIRECTORY] lines. The
    // wait after the start covers Wine's WaitForInputIdle, which may return
    // before the new program has even begun.
    void WriteConfig(const char* key, const std::string& command, const std::string& lines = "") {
        WriteTextFile(ini, "[DIRECTORY]\r\n" + std::string(key) + "=" + command + "\r\n" + lines +
                               "\r\n[VX_SETVAR]\r\nAcadFindWaitTime=1000\r\n");
    }

    // A configuration with a menu of one item, "線" sending ^C^CLINE; starts
    // the floating menu and returns its top window once it is shown.
    HWND RunMenuWithItem(const char* key, const std::string& command,
                         const std::string& lines = "") {
        WriteTextFile(dir + "\\test.mnu", "[テスト]\r\n[線]^C^CLINE\r\n");
        EXPECT_TRUE(CopyFileTo(DemoLibraryPath(), dir + "\\test.dll"));
        WriteConfig(key, command, lines);
        WriteTextFile(ini, ReadTextFile(ini) + "\r\n[VXMENU]\r\nVXMENU=\"" + dir +
                               "\\test.mnu\" \"テスト\" INIT\r\n");
        EXPECT_TRUE(LoadAndMeasureMenus(ini));
        RunMenu();
        HWND top = nullptr;
        WaitUntil([&] { return (top = WaitForTopWindow(0)) != nullptr || WaitForExit(menu, 0); },
                  20000);
        return top;
    }

    void RunMenu(const std::string& arguments = "") {
        menu = StartProgram("\"" + MenuExePath() + "\" " + arguments + "\"" + ini + "\"");
        ASSERT_NE(menu.process, nullptr);
    }

    // An external program: a copy of the stand-in with a DDE server of its own.
    std::string ExternalTool(const char* name, const char* service, const std::string& toolLog) {
        return PrepareStandInCopy(dir, name,
                                  {std::string("caption=Tool ") + name, "log=" + toolLog,
                                   std::string("ddeservice=") + service, "ddetopic=TOOLTOPIC"});
    }

    std::string dir, ini, log, oldLog;
    Program menu, old;
};

TEST_F(CadLinkStartup, DdeTargetNotServingGivesI08AndHiddenWindowsReturn) {
    HWND oldMain = nullptr, oldText = nullptr;
    StartOldCadWithTextWindow("AutoCAD R14 - [old.dwg]", "AutoCAD Text Window - old.dwg", &oldMain,
                              &oldText);
    if (HasFatalFailure()) {
        return;
    }
    const std::string command = StandIn("AutoCAD - [new.dwg]", "", log); // no DDE server
    WriteConfig("ACADDIR", command);
    RunMenu();

    ShownMessage shown;
    ASSERT_TRUE(WaitForMessageBox(kMenuCaption, 20000, &shown));
    EXPECT_EQ(shown.text, "CADプログラム[" + command + "]とＤＤＥ接続できません。(I-08)");
    EXPECT_FALSE(IsWindowVisible(oldMain)) << "the older CAD window was not hidden";
    EXPECT_TRUE(IsWindowVisible(oldText)) << "an excluded window was hidden";
    EXPECT_EQ(LogRecordsOf(log, "START").size(), 1u);

    PressButton(shown.window, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(menu, 10000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(oldMain) != 0; }, 5000))
        << "the older CAD window stays hidden";
}

TEST_F(CadLinkStartup, ExternalProgramWithoutDdeInstanceGivesI13) {
    HWND oldMain = StartOldCad("AutoCAD 2000 - [old.dwg]");
    ASSERT_NE(oldMain, nullptr);
    const std::string toolLog = dir + "\\tool1.log";
    const std::string tool = ExternalTool("EXTOOL1.EXE", "VXTOOL1", toolLog);
    WriteConfig("ACAD15DIR", StandIn("AutoCAD 2000 - [new.dwg]", "", log),
                "EXAPDIR1=" + tool + ",VXTOOL1,TOOLTOPIC,T1,QUIT\r\n");
    RunMenu();

    ShownMessage shown;
    ASSERT_TRUE(WaitForMessageBox(kMenuCaption, 20000, &shown));
    EXPECT_EQ(shown.text, "外部プログラム[" + tool + "]とＤＤＥ接続できません。(I-13)");
    EXPECT_EQ(LogRecordsOf(toolLog, "START").size(), 1u) << "the external program was not started";
    EXPECT_TRUE(LogRecordsOf(toolLog, "CONNECT").empty());
    PressButton(shown.window, IDOK);
    EXPECT_TRUE(WaitForExit(menu, 10000));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(oldMain) != 0; }, 5000));
}

TEST_F(CadLinkStartup, SilentEndWhenTheStartedProgramShowsNoCadWindow) {
    HWND oldMain = StartOldCad("AutoCAD 2004 - [old.dwg]");
    ASSERT_NE(oldMain, nullptr);
    WriteConfig("ACAD16DIR", StandIn("Drawing viewer - [new.dwg]", "", log));
    RunMenu();

    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(oldMain); }, 10000))
        << "the older CAD window was not hidden while the CAD program started";
    // The old window, though hidden and matching, is not taken for the new one.
    DWORD code = 1;
    ASSERT_TRUE(WaitForExit(menu, 20000, &code)) << "the program did not end by itself";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(IsWindowVisible(oldMain)) << "the older CAD window stays hidden";
    EXPECT_EQ(LogRecordsOf(log, "START").size(), 1u);
}

TEST_F(CadLinkStartup, CadWindowShownAfterTheConfiguredWaitIsStillFound) {
    // Idle at once, its window 1.4 s later: after the configured wait of 1 s.
    const char caption[] = "AutoCAD 2004 - [late.dwg]";
    HWND top = RunMenuWithItem("ACAD16DIR", StandIn(caption, "-windowdelay=1400", log));
    ASSERT_NE(top, nullptr) << "the menu ended before the CAD window came";
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"),
              HexHandle(WaitForStandInWindow(caption)) + " " + HexHandle(top));
}

TEST_F(CadLinkStartup, LinksTheCadProgramByDdeAndShowsHiddenWindowsAgain) {
    HWND oldMain = nullptr, oldText = nullptr;
    StartOldCadWithTextWindow("AutoCAD LT 2000 - [old.dwg]", "AutoCAD LT ﾃｷｽﾄ ｳｨﾝﾄﾞｳ", &oldMain,
                              &oldText);
    if (HasFatalFailure()) {
        return;
    }
    WriteConfig("ACLTDIR", StandIn("AutoCAD LT 2002 - [new.dwg]",
                                   "\"-ddeservice=AutoCAD LT.DDE\" -ddetopic=SYSTEM", log));
    RunMenu();

    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(oldMain); }, 10000));
    EXPECT_TRUE(IsWindowVisible(oldText)) << "an excluded window was hidden";
    ASSERT_TRUE(WaitForLogRecords(log, "CONNECT", 1, 20000));
    EXPECT_EQ(LogRecordsOf(log, "CONNECT")[0].bytes, "AutoCAD LT.DDE");
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(oldMain) != 0; }, 10000))
        << "the older CAD window stays hidden";
}

TEST_F(CadLinkStartup, StartsAndLinksTheExternalPrograms) {
    const std::string tool1Log = dir + "\\tool1.log";
    const std::string tool2Log = dir + "\\tool2.log";
    const std::string tool1 = ExternalTool("EXTOOL1.EXE", "VXTOOL1", tool1Log);
    const std::string tool2 = ExternalTool("EXTOOL2.EXE", "VXTOOL2", tool2Log);
    WriteConfig("ACADDIR",
                StandIn("AutoCAD - [ext.dwg]", "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM", log),
                "EXAPDIR1=" + tool1 + ",VXTOOL1,TOOLTOPIC,T1,QUIT\r\nEXAPDIR2=\r\nEXAPDIR3=" +
                    tool2 + ",VXTOOL2,TOOLTOPIC,T2\r\n");
    RunMenu();

    ASSERT_TRUE(WaitForLogRecords(log, "CONNECT", 1, 20000));
    for (const std::string& toolLog : {tool1Log, tool2Log}) {
        ASSERT_TRUE(WaitForLogRecords(toolLog, "CONNECT", 1, 20000)) << toolLog;
        std::vector<LogRecord> starts = LogRecordsOf(toolLog, "START");
        ASSERT_EQ(starts.size(), 1u) << toolLog;
        EXPECT_EQ(starts[0].bytes, "") << "an external program gets an empty command line";
    }
    EXPECT_EQ(LogRecordsOf(tool1Log, "CONNECT")[0].bytes, "VXTOOL1");
    EXPECT_EQ(LogRecordsOf(tool2Log, "CONNECT")[0].bytes, "VXTOOL2");
}

TEST_F(CadLinkStartup, AttachedCadProgramIsLinkedAndNothingIsHidden) {
    HWND cad =
        StartOldCad("AutoCAD - [attached.dwg]", "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM "
                                                "\"-extrawindow=AutoCAD - [other.dwg]\"");
    HWND other = WaitForStandInWindow("AutoCAD - [other.dwg]");
    ASSERT_NE(cad, nullptr);
    ASSERT_NE(other, nullptr);
    WriteConfig("ACADDIR", "\"" + dir + "\\never.exe\" /P x");
    RunMenu("/HWND:" + HexHandle(cad) + " ");

    bool everHidden = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            everHidden = everHidden || !IsWindowVisible(other);
            return !LogRecordsOf(oldLog, "CONNECT").empty();
        },
        20000))
        << "no DDE conversation with the attached CAD program";
    EXPECT_FALSE(everHidden) << "a CAD window was hidden although none is started";
    EXPECT_EQ(LogRecordsOf(oldLog, "START").size(), 1u);
}

// ---------------------------------------------------------------------------
// The whole way: a configuration of each target, the menu on screen, a click.

struct TargetCase {
    const char* key;
    const char* caption;   // of the stand-in's main window
    const char* dde;       // the stand-in's DDE options (a trap where unused)
    const char* arrivesAs; // log kind, or "" when the text is dropped
};

void PrintTo(const TargetCase& target, std::ostream* out) {
    *out << target.key;
}

class CadTargetFromConfiguration : public CadLinkStartup,
                                   public ::testing::WithParamInterface<TargetCase> {};

TEST_P(CadTargetFromConfiguration, ClickedItemReachesTheCadProgramByItsTransport) {
    const TargetCase& target = GetParam();
    HWND top = RunMenuWithItem(target.key, StandIn(target.caption, target.dde, log));
    ASSERT_NE(top, nullptr) << "the menu did not come up";
    HWND cad = WaitForStandInWindow(target.caption);
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), HexHandle(cad) + " " + HexHandle(top));
    const bool dde = std::string(target.arrivesAs) == "DDE";
    EXPECT_EQ(LogRecordsOf(log, "CONNECT").size(), dde ? 1u : 0u);

    ClickItem(top, 0, 0);
    if (target.arrivesAs[0] != '\0') {
        ASSERT_TRUE(WaitForLogRecords(log, target.arrivesAs, 1));
        EXPECT_EQ(LogRecordsOf(log, target.arrivesAs)[0].bytes,
                  std::string("\x1b\x1bLINE\n") + '\0');
    }
    // Whatever was sent has arrived once the stand-in takes a later message.
    ASSERT_TRUE(SendStandInControl(cad, "marker"));
    for (const char* kind : {"DDE", "COPYDATA", "REFUSED"}) {
        const size_t expected = std::string(kind) == target.arrivesAs ? 1 : 0;
        EXPECT_EQ(LogRecordsOf(log, kind).size(), expected) << kind;
    }

    // Command 109 closes the menu; the conversation ends with it.
    PostMessageA(top, WM_COMMAND, 109, 0);
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(menu, 10000, &code));
    EXPECT_EQ(code, 0u);
    if (dde) {
        EXPECT_TRUE(WaitForLogRecords(log, "DISCONNECT", 1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, CadTargetFromConfiguration,
    ::testing::Values(TargetCase{"ACADDIR", "AutoCAD - [r13.dwg]",
                                 "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM", "DDE"},
                      TargetCase{"ACAD14DIR", "AutoCAD R14 - [r14.dwg]",
                                 "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM", ""},
                      TargetCase{"ACAD15DIR", "AutoCAD 2002 - [a.dwg]", "", "COPYDATA"},
                      TargetCase{"ACAD16DIR", "Autodesk Architectural Desktop - [b.dwg]", "",
                                 "COPYDATA"},
                      TargetCase{"ACLTDIR", "AutoCAD LT 2002 - [lt.dwg]",
                                 "\"-ddeservice=AutoCAD LT.DDE\" -ddetopic=SYSTEM", "DDE"},
                      TargetCase{"MGDSDIR", "MicroGDS 7 - [m.man]",
                                 "\"-ddeservice=AutoCAD LT.DDE\" -ddetopic=SYSTEM", ""}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return std::string(info.param.key); });

TEST_F(CadLinkStartup, ClosingTheMenuSendsExitCommandsAndEndsTheLinks) {
    const std::string toolLog = dir + "\\tool1.log";
    const std::string tool = ExternalTool("EXTOOL1.EXE", "VXTOOL1", toolLog);
    HWND top = RunMenuWithItem(
        "ACADDIR",
        StandIn("AutoCAD - [close.dwg]", "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM", log),
        "EXAPDIR1=" + tool + ",VXTOOL1,TOOLTOPIC,T1,QUIT^C\r\n");
    ASSERT_NE(top, nullptr) << "the menu did not come up";
    ASSERT_TRUE(WaitForLogRecords(toolLog, "CONNECT", 1));

    PostMessageA(top, WM_COMMAND, 109, 0);
    EXPECT_TRUE(WaitForExit(menu, 10000));
    ASSERT_TRUE(WaitForLogRecords(toolLog, "DDE", 1));
    EXPECT_EQ(LogRecordsOf(toolLog, "DDE")[0].bytes, std::string("QUIT^C\n") + '\0');
    EXPECT_TRUE(WaitForLogRecords(toolLog, "DISCONNECT", 1));
    EXPECT_TRUE(WaitForLogRecords(log, "DISCONNECT", 1));
    EXPECT_TRUE(LogRecordsOf(log, "DDE").empty()) << "the exit command reached the CAD program";
}

} // namespace
