// Start-up of VXMENU32.EXE under Wine: every message that can be provoked,
// the HWND hand-shake's "BUSY", the command line and the default
// configuration file beside the program.
#include <gtest/gtest.h>

#include "menu/app/startup_messages.h"
#include "tests/wine/support/win_test_support.h"

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ini = dir + "\\VXMENU32.INI";
        log = dir + "\\cad.log";
    }
    void TearDown() override {
        EndProgram(menu);
        EndStandIns();
    }

    // Runs the floating menu with these arguments and answers its one
    // message box; the program must end afterwards.
    ShownMessage RunExpectingMessage(const std::string& arguments,
                                     const std::string& currentDir = "") {
        menu = StartProgram("\"" + MenuExePath() + "\" " + arguments, currentDir);
        EXPECT_NE(menu.process, nullptr);
        ShownMessage shown = AnswerMessageBox(kMenuCaption);
        DWORD code = 1;
        EXPECT_TRUE(WaitForExit(menu, 10000, &code)) << "the program did not end";
        EXPECT_EQ(code, 0u);
        return shown;
    }

    std::string StandInCommand(const char* caption) {
        return "\"" + StandInExePath() + "\" \"-caption=" + caption + "\" -log=" + log;
    }

    std::string dir, ini, log;
    Program menu;
};

TEST_F(StartupTest, MissingConfigurationFileIsNamed) {
    ShownMessage shown = RunExpectingMessage("\"" + dir + "\\none.ini\"");
    EXPECT_EQ(shown.text, "初期設定ファイル[" + dir + "\\none.ini]がありません。(I-03)");
}

TEST_F(StartupTest, QuotedPathWithSpacesAndMenuSwitch) {
    std::string spaced = dir + "\\with space\\VX MENU.INI";
    ShownMessage shown = RunExpectingMessage("\"" + spaced + "\" /MENU:ABC");
    EXPECT_EQ(shown.text, "初期設定ファイル[" + spaced + "]がありません。(I-03)");
}

TEST_F(StartupTest, MixedCaseSwitchIsTakenAsConfigurationPath) {
    ShownMessage shown = RunExpectingMessage("/Menu:X");
    EXPECT_EQ(shown.text, "初期設定ファイル[/Menu:X]がありません。(I-03)");
}

TEST_F(StartupTest, NoCadKeyNamesTheConfigurationFile) {
    WriteTextFile(ini, "[DIRECTORY]\r\nOTHER=1\r\n[VXMENU]\r\nPKGNAME=テスト\r\n");
    ShownMessage shown = RunExpectingMessage(ini);
    EXPECT_EQ(shown.text, "実行するCADプログラムの指定が間違っています。(I-03-02)\n"
                          "初期設定ファイルを確認してください。\n\n" +
                              ini);
}

TEST_F(StartupTest, ConfigurationBesideTheProgramIsFoundByDefault) {
    std::string exe = dir + "\\VXMENU32.EXE";
    ASSERT_TRUE(CopyFileTo(MenuExePath(), exe));
    WriteTextFile(dir + "\\VXMENU32.ini", "[VXMENU]\r\nPKGNAME=x\r\n");
    menu = StartProgram("\"" + exe + "\"");
    ShownMessage shown = AnswerMessageBox(kMenuCaption);
    EXPECT_NE(shown.text.find("(I-03-02)"), std::string::npos) << shown.text;
    EXPECT_NE(shown.text.find(dir + "\\VXMENU32.ini"), std::string::npos) << shown.text;
    EXPECT_TRUE(WaitForExit(menu, 10000));
}

TEST_F(StartupTest, ConfigurationNamedWithoutFolderIsReadAndWrittenInTheCurrentFolder) {
    const std::string command = "\"" + dir + "\\missing\\ACAD.EXE\" /P x";
    WriteTextFile(dir + "\\VX.INI", "[DIRECTORY]\r\nACAD16DIR=" + command + "\r\n");
    ShownMessage shown = RunExpectingMessage("VX.INI", dir);
    EXPECT_EQ(shown.text, "CADプログラム[" + command + "]が起動できません。(I-06)");
    EXPECT_EQ(ReadIniValue(dir + "\\VX.INI", "VXMENU", "HWND"), "BUSY");
}

TEST_F(StartupTest, CadProgramThatCannotStart) {
    const std::string command = "\"" + dir + "\\missing\\ACAD.EXE\" /P x";
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=" + command + "\r\n");
    ShownMessage shown = RunExpectingMessage(ini);
    EXPECT_EQ(shown.text, "CADプログラム[" + command + "]が起動できません。(I-06)");
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), "BUSY");
}

TEST_F(StartupTest, EmptyProgramTokenIsRefused) {
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD15DIR=\"\r\n");
    ShownMessage shown = RunExpectingMessage(ini);
    EXPECT_EQ(shown.text, "CADプログラム[\"]が起動できません。(I-09)");
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), "<absent>");
}

TEST_F(StartupTest, ExternalProgramWithoutKeyIsRefused) {
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=" + StandInCommand("AutoCAD 2004 - [a.dwg]") +
                           "\r\nEXAPDIR1=C:\\tool.exe, SERVICE , TOPIC\r\n");
    ShownMessage shown = RunExpectingMessage(ini);
    EXPECT_EQ(shown.text, "外部プログラムの定義に誤りがあります。(I-10)");
    ASSERT_TRUE(WaitForLogRecords(log, "START", 1));
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), "BUSY");
}

TEST_F(StartupTest, AttachToAWindowThatDoesNotExist) {
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=" + StandInCommand("AutoCAD 2004") + "\r\n");
    ShownMessage shown = RunExpectingMessage("/HWND:7ffff00 \"" + ini + "\"");
    EXPECT_EQ(shown.text, "CADプログラムのハンドルが取得できません。(I-05)");
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), "<absent>");
    EXPECT_TRUE(LogRecordsOf(log, "START").empty()) << "the CAD program was started";
}

TEST_F(StartupTest, StartsTheCadProgramWithItsCommandLine) {
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=" + StandInCommand("AutoCAD 2004 - [b.dwg]") +
                           " /P プロファイル\r\n[VX_SETVAR]\r\nAcadFindWaitTime=abc\r\n");
    menu = StartProgram("\"" + MenuExePath() + "\" " + ini);
    ASSERT_TRUE(WaitForLogRecords(log, "START", 1));
    std::vector<LogRecord> starts = LogRecordsOf(log, "START");
    EXPECT_NE(starts[0].bytes.find("/P プロファイル"), std::string::npos) << starts[0].bytes;
    EXPECT_TRUE(WaitUntil([&] { return ReadIniValue(ini, "VXMENU", "HWND") != "<absent>"; }, 5000));
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND").substr(0, 4), "BUSY");
}

TEST_F(StartupTest, AttachDoesNotStartTheCadProgramNorWriteBusy) {
    Program cad = StartProgram(StandInCommand("AutoCAD 2004 - [attached.dwg]"));
    HWND cadWindow = WaitForStandInWindow("AutoCAD 2004 - [attached.dwg]");
    ASSERT_NE(cadWindow, nullptr);
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=\"" + dir +
                           "\\never.exe\"\r\n[VXMENU]\r\n"
                           "VXMENU=\"" +
                           DemoPackageDir() + "\\VXDEMO.MNU\" \"デモ\" x\r\n");
    menu = StartProgram("\"" + MenuExePath() + "\" /hwnd:" + HexHandle(cadWindow) + " " + ini);
    // Attached: the top window comes up and writes the pair with that CAD window.
    std::string pair;
    EXPECT_TRUE(WaitUntil(
        [&] { return (pair = ReadIniValue(ini, "VXMENU", "HWND")).find(' ') != std::string::npos; },
        10000));
    HWND top = FindWindowA("VXMENU_TOP", "VXMENU");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(pair, HexHandle(cadWindow) + " " + HexHandle(top));
    EXPECT_EQ(LogRecordsOf(log, "START").size(), 1u) << "a second CAD program was started";
    PostMessageA(top, WM_COMMAND, 109, 0);
    EXPECT_TRUE(WaitForExit(menu, 5000));
    EndProgram(cad);
}

} // namespace
