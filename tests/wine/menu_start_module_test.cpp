// The start module inside the stand-in CAD program with the real floating
// menu: the HWND hand-shake, closing and restarting the menu by LISP calls
// and around PLOT, -PLOT and ASSIST, and unloading while a poll runs.
#include <gtest/gtest.h>

#include "tests/wine/support/win_test_support.h"
#include "tools/menu_driver/menu_driver.h"

#include <string>

namespace {

const char kCaption[] = "AutoCAD 2004 - [start.dwg]";

class MenuStartModule : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ini = dir + "\\VXMENU32.INI";
        log = dir + "\\cad.log";
    }

    void TearDown() override {
        FreeMeasuredMenus();
        EndProgram(cad);
        EndStandIns();
    }

    // The floating menu installed in the test folder, with its configuration
    // and a menu of two items (the second runs PLOT); key HWND holds value.
    void InstallMenu(const std::string& hwnd) {
        ASSERT_TRUE(CopyFileTo(MenuExePath(), dir + "\\VXMENU32.EXE"));
        ASSERT_TRUE(CopyFileTo(DemoLibraryPath(), dir + "\\test.dll"));
        WriteTextFile(dir + "\\test.mnu", "[テスト]\r\n[線]^C^CLINE\r\n[印刷]^C^C_plot\r\n");
        WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=\"" + StandInExePath() + "\" -log=" + dir +
                               "\\unused.log\r\n[VXMENU]\r\nVXMENU=\"" + dir +
                               "\\test.mnu\" \"テスト\" INIT\r\nHWND=" + hwnd + "\r\n");
        ASSERT_TRUE(LoadAndMeasureMenus(ini));
    }

    void StartHost() {
        window = StartModuleHost(&cad, kCaption, {StartModulePath()}, dir, log);
        ASSERT_NE(window, nullptr);
    }

    std::string Lisp(const std::string& call) { return CallLisp(window, log, call); }

    // A control verb; restarting the menu waits until it is ready.
    void Control(const std::string& verb) {
        ASSERT_TRUE(SendStandInControl(window, verb.c_str(), 120000)) << verb;
    }

    static HWND TopWindow() { return FindWindowA("VXMENU_TOP", "VXMENU"); }

    std::string Pair(HWND top) { return HexHandle(window) + " " + HexHandle(top); }

    std::string dir, ini, log;
    Program cad;
    HWND window = nullptr;
};

TEST_F(MenuStartModule, LearnsTheHandlesThenClosesAndRestartsTheMenu) {
    InstallMenu("BUSY");
    StartHost();
    ASSERT_EQ(Lisp("(vxminit)"), "");
    HWND poll = FindWindowA("VXMSTART", nullptr);
    ASSERT_NE(poll, nullptr) << "no hidden window polls the HWND key";

    // The floating menu finishes its start-up: "BUSY" turns into the pair.
    Program menu = StartProgram("\"" + dir + "\\VXMENU32.EXE\" /HWND:" + HexHandle(window));
    HWND top = WaitForTopWindow(20000);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(poll); }, 15000)) << "the poll did not end";
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), Pair(top));

    EXPECT_EQ(Lisp("(vxmend)"), "");
    EXPECT_TRUE(WaitForExit(menu, 10000)) << "vxmend did not close the menu";
    EndProgram(menu);

    EXPECT_EQ(Lisp("(vxmstart)"), "T");
    top = TopWindow();
    ASSERT_NE(top, nullptr) << "vxmstart started no menu";
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), Pair(top)) << "not attached by /HWND:";
    EXPECT_EQ(LogRecordsOf(log, "START").size(), 1u) << "the menu started a CAD program";

    // The menu's own item runs PLOT: the command runs after the menu's send
    // has returned, closes the menu and brings it back when it ends.
    const HWND clicked = top;
    ClickItem(top, 0, 1);
    ASSERT_TRUE(WaitForLogRecords(log, "COMMAND", 1, 60000));
    EXPECT_EQ(LogRecordsOf(log, "COMMAND")[0].bytes, "PLOT");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(clicked); }, 10000)) << "PLOT did not close it";
    top = TopWindow();
    ASSERT_NE(top, nullptr) << "the end of PLOT did not bring the menu back";
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), Pair(top));

    // PLOT, -PLOT and ASSIST in any case close the menu while they run.
    const char* const kCommands[][2] = {
        {"PLOT", "command-end="}, {"-plot", "command-cancel="}, {"AsSiSt", "command-fail="}};
    for (const auto& command : kCommands) {
        Control(std::string("command-start=") + command[0]);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(top); }, 10000)) << command[0];
        Control(command[1] + std::string(command[0]));
        EXPECT_TRUE(WaitUntil([&] { return (top = TopWindow()) != nullptr; }, 10000))
            << command[1] << command[0] << " did not bring the menu back";
        EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), Pair(top));
    }

    // A command that only begins with PLOT changes nothing.
    Control("command-start=PLOTTER");
    Control("command-end=PLOTTER");
    EXPECT_TRUE(IsWindow(top));
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), Pair(top));

    // PLOT while the menu is closed starts nothing at its end.
    EXPECT_EQ(Lisp("(vxmend)"), "");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(top); }, 10000));
    Control("command-start=PLOT");
    Control("command-end=PLOT");
    EXPECT_EQ(TopWindow(), nullptr);
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), Pair(top));
}

TEST_F(MenuStartModule, UnloadingWhileAPollRunsLeavesTheHostRunning) {
    InstallMenu("BUSY");
    StartHost();
    ASSERT_EQ(Lisp("(vxminit)"), "");
    ASSERT_NE(FindWindowA("VXMSTART", nullptr), nullptr);

    Control("arx-unload=" + StartModulePath());
    EXPECT_EQ(FindWindowA("VXMSTART", nullptr), nullptr)
        << "the polling window outlived its module";
    EXPECT_EQ(LogRecordsOf(log, "ARXUNLOAD").size(), 1u);
    EXPECT_EQ(LogRecordsOf(log, "REACTOR").back().bytes, "remove " + StartModulePath());
    EXPECT_EQ(Lisp("(vxminit)"), "error: no function definition: VXMINIT");

    // Loaded again, the module registers its class anew and polls again:
    // the host runs its message loop past the poll's tick.
    Control("arx-load=" + StartModulePath());
    WriteTextFile(ini, "[VXMENU]\r\nHWND=" + HexHandle(window) + "\r\n");
    ASSERT_EQ(Lisp("(vxminit)"), "");
    EXPECT_TRUE(WaitUntil([] { return FindWindowA("VXMSTART", nullptr) == nullptr; }, 15000));
    EXPECT_TRUE(LogRecordsOf(log, "PRINT").empty()) << LogRecordsOf(log, "PRINT")[0].bytes;
    EXPECT_FALSE(WaitForExit(cad, 0));
    EXPECT_TRUE(SendStandInControl(window, "still-running"));
}

} // namespace
