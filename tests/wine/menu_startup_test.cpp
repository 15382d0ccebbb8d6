// The floating menu's start-up with its menus: a package that cannot be
// loaded ends start-up with I-15; an empty top menu ends it silently.
#include <gtest/gtest.h>

#include "menu/app/startup_messages.h"
#include "tests/wine/support/win_test_support.h"

#include <string>

namespace {

class MenuStartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ini = dir + "\\VXMENU32.INI";
        log = dir + "\\cad.log";
        ASSERT_TRUE(CopyFileTo(DemoLibraryPath(), dir + "\\VXDEMO.DLL"));
    }
    void TearDown() override {
        EndProgram(menu);
        EndStandIns();
    }

    void WriteConfig(const std::string& menuLines) {
        WriteTextFile(dir + "\\VXDEMO.MNU", menuLines);
        WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=\"" + StandInExePath() +
                               "\" \"-caption=AutoCAD 2004 - [menu.dwg]\" -log=" + log +
                               "\r\n[VXMENU]\r\nVXMENU=\"" + dir +
                               "\\VXDEMO.MNU\" \"デモ\" INIT\r\n");
    }

    std::string dir, ini, log;
    Program menu;
};

TEST_F(MenuStartupTest, MenuThatCannotBeLoadedShowsI15) {
    WriteConfig("no title line\r\n[a]A\r\n");
    menu = StartProgram("\"" + MenuExePath() + "\" " + ini);
    ShownMessage shown = AnswerMessageBox(kMenuCaption);
    EXPECT_EQ(shown.text, "メニューをロード出来ません。(I-15)");
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(menu, 10000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(LogRecordsOf(log, "START").size(), 1u) << "the CAD program was not started";
}

TEST_F(MenuStartupTest, EmptyTopMenuEndsSilently) {
    WriteConfig("[タイトルだけ]\r\n; no items\r\n");
    menu = StartProgram("\"" + MenuExePath() + "\" " + ini);
    ASSERT_TRUE(WaitForLogRecords(log, "START", 1));
    // A message box would keep the program running.
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(menu, 15000, &code)) << "start-up did not end";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), "BUSY");
}

} // namespace
