// VXCAD.EXE as the user starts it, from a package folder with a blank in its
// name: the whole chain to the floating menu and the stand-in CAD program,
// the files it writes, the second start with /S, and every message of the
// driver and the splash window.
#include <gtest/gtest.h>

#include "launcher/splash.h"
#include "tests/wine/support/win_test_support.h"
#include "tools/menu_driver/menu_driver.h"

#include <string>
#include <utility>
#include <vector>

namespace {

class LauncherRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        dir = MakeTestDir(name);
        pkg = dir + "\\VX Package";
        cad = dir + "\\CAD";
        log = dir + "\\cad.log";
        release = "R16.0-" + name;
        for (const std::string& folder : {pkg, pkg + "\\VXMENU", pkg + "\\MENUS", cad}) {
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        ASSERT_TRUE(CopyFileTo(LauncherExePath(), pkg + "\\VXCAD.EXE"));
        ASSERT_TRUE(CopyFileTo(MenuExePath(), pkg + "\\VXMENU\\VXMENU32.EXE"));
        PrepareStandInCopy(cad, "ACAD.EXE", {"log=" + log});
        std::string user = "HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\" + release +
                           "\\ACAD-201:411\\Profiles\\<<名前のないプロファイル>>\\General]\r\n";
        ASSERT_TRUE(SeedRegistry(dir, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Autodesk\\"
                                      "AutoCAD\\" +
                                          release + "\\ACAD-201:411]\r\n[" + user +
                                          "\"ACAD\"=\"C:\\\\CAD\"\r\n"));
        Set("VXMENU", "VXMENUFLG", "1");
        Set("REGISTRY", "PKGDIR", pkg);
        Set("REGISTRY", "PFNAME", "VXテスト");
        Set("REGISTRY", "ACADVER", release);
        Set("DIRECTORY", "ACAD16DIR", cad);
    }
    void TearDown() override {
        EndProgram(launcher);
        EndStandIns();
        DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Autodesk\\AutoCAD\\" + release);
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\Autodesk\\AutoCAD\\" + release);
    }

    // Sets a value of the setup file written by Start.
    void Set(const std::string& section, const std::string& key, const std::string& value) {
        for (auto& entry : setup) {
            if (entry.first == section && entry.second.compare(0, key.size() + 1, key + "=") == 0) {
                entry.second = key + "=" + value;
                return;
            }
        }
        setup.emplace_back(section, key + "=" + value);
    }
    void Start(const std::string& arguments) {
        std::string text;
        for (const char* section : {"VXMENU", "REGISTRY", "DIRECTORY", "VX_SETVAR", "SYSTEM"}) {
            text += "[" + std::string(section) + "]\r\n";
            for (const auto& entry : setup) {
                text += entry.first == section ? entry.second + "\r\n" : "";
            }
        }
        WriteTextFile(pkg + "\\VXCAD.ini", text);
        EndProgram(launcher);
        launcher = StartProgram("\"" + pkg + "\\VXCAD.EXE\" " + arguments);
        ASSERT_NE(launcher.process, nullptr);
    }
    // Starts the launcher and answers its boxes in turn; it must end with 0.
    std::vector<std::string> StartExpectingMessages(const std::string& arguments, size_t count) {
        Start(arguments);
        std::vector<std::string> texts;
        for (size_t i = 0; i < count; ++i) {
            texts.push_back(AnswerMessageBox("VXCAD").text);
        }
        DWORD code = 1;
        EXPECT_TRUE(WaitForExit(launcher, 10000, &code));
        EXPECT_EQ(code, 0u);
        return texts;
    }

    std::string dir, pkg, cad, log, release;
    std::vector<std::pair<std::string, std::string>> setup;
    Program launcher;
};

TEST_F(LauncherRunTest, WholeChainToTheMenuAndTheCadProgramThenAPackageLeftOutWithS) {
    const std::string demo = DemoPackageDir();
    const std::string longLine = "VXMENU=\"" + demo +
                                 "\\VXDRAW.MNU\" \"VX寸法\" ^C^C(vxdraw-init \"" +
                                 std::string(300, 'x') + "\")";
    WriteTextFile(pkg + "\\MENUS\\DEMO.INI",
                  "; menu source\r\nVXMENU=\"" + demo +
                      "\\VXDEMO.MNU\" \"VXデモ\" ^C^C(%getenv \"%s%n\")\r\n" + longLine +
                      "\r\nVXMENUX=kept too\r\n");
    WriteTextFile(pkg + "\\MENUS\\TOOL.INI", "VXMENU=\"" + demo + "\\VXTOOL.MNU\" \"VX設定\" x");
    const std::string longKey(300, 'K');
    Set("SYSTEM", "DEMO", "\"" + pkg + "\\MENUS\\\" DEMO.INI 1");
    Set("SYSTEM", "TOOL", "\"" + pkg + "\\MENUS\" \"TOOL.INI\" 0");
    Set("SYSTEM", longKey, "\"" + pkg + "\\MENUS\" NONE.INI 1");
    // Options that end in a quote and hold '%'; a package name with '%'.
    const std::string options = "/P \"VX Profile\" /b \"start %s.scr\"";
    Set("DIRECTORY", "ACAD16DIR_CMDLINE", options);
    Set("VXMENU", "PKGNAME", "パッケージ%s%n");
    Set("VX_SETVAR", "AcadFindWaitTime", "0");

    Start("");
    HWND splash = nullptr;
    RECT r{};
    // The window exists before it is placed and shown: wait for that.
    ASSERT_TRUE(WaitUntil(
        [&] {
            splash = FindWindowA("VXCAD", "VXCAD");
            return splash != nullptr && IsWindowVisible(splash) && GetWindowRect(splash, &r) &&
                   r.right > r.left;
        },
        10000));
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_TRUE(GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(r.left, (desktop.right - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (desktop.bottom - (r.bottom - r.top)) / 2);

    const std::string cadExe = "\"" + cad + "\\ACAD.EXE\"";
    ASSERT_TRUE(WaitForLogRecords(log, "START", 1, 30000));
    EXPECT_EQ(LogRecordsOf(log, "START")[0].bytes, options); // read back whole by the menu
    EXPECT_NE(WaitForTopWindow(30000), nullptr);
    std::string ini = pkg + "\\VXMENU\\VXMENU32.INI";
    EXPECT_EQ(ReadIniValue(ini, "DIRECTORY", "ACAD16DIR"), cadExe + " " + options);
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "PKGNAME"), "パッケージ%s%n");
    // The menu's own write of HWND has rewritten the file without its empty
    // lines; the launcher's bytes as written are checked below.
    std::string expected = "[DIRECTORY]\r\nACAD16DIR=\"" + cadExe + " " + options +
                           "\"\r\n[VX_SETVAR]\r\nDdeConnectWaitTime=\r\nAcadFindWaitTime=0\r\n"
                           "[VXMENU]\r\nPKGNAME=パッケージ%s%n\r\nVERSION=\r\nPKGTYPE=\r\n"
                           "VXMENU=\"" +
                           demo + "\\VXDEMO.MNU\" \"VXデモ\" ^C^C(%getenv \"%s%n\")\r\n" +
                           longLine + "\r\nVXMENUX=kept too\r\nVXMENU=\"" + demo +
                           "\\VXTOOL.MNU\" \"VX設定\" x\r\nHWND=";
    EXPECT_EQ(ReadTextFile(ini).substr(0, expected.size()), expected);
    EXPECT_EQ(ReadTextFile(pkg + "\\SYSTEM.DAT"), "DEMO\r\nTOOL\r\n" + longKey + "\r\n");
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(launcher, 30000, &code)) << "the splash did not close";
    EXPECT_EQ(code, 0u);
    EndStandIns();

    // /S TOOL: the list is written anew without TOOL, and so is the
    // configuration. A drawing in quotes goes on as it is.
    const std::string drawing = "\"C:\\My Drawings\\a.dwg\" /S TOOL";
    Start(drawing);
    ASSERT_TRUE(WaitForLogRecords(log, "START", 2, 30000));
    EXPECT_EQ(LogRecordsOf(log, "START")[1].bytes, drawing + " " + options);
    EXPECT_EQ(ReadTextFile(pkg + "\\SYSTEM.DAT"), "DEMO\r\n" + longKey + "\r\n");
    EXPECT_EQ(ReadTextFile(ini).find("VXTOOL.MNU"), std::string::npos);
}

TEST_F(LauncherRunTest, MessagesThatEndTheStart) {
    std::string dotted = dir + "\\v1.5 pkg";
    CreateDirectoryA(dotted.c_str(), nullptr);
    ASSERT_TRUE(CopyFileTo(LauncherExePath(), dotted + "\\VXCAD.EXE"));
    Program alone = StartProgram("\"" + dotted + "\\VXCAD.EXE\"");
    EXPECT_EQ(AnswerMessageBox("VXCAD").text, dotted + "\\VXCAD.iniファイルがオープンできません。");
    EXPECT_TRUE(WaitForExit(alone, 10000));
    EndProgram(alone);

    Set("DIRECTORY", "ACAD16DIR", "null");
    EXPECT_EQ(
        StartExpectingMessages("", 1),
        std::vector<std::string>{"AutoCADの定義が見つかりません。\n\n" + pkg + "\\VXCAD.ini"});

    Set("DIRECTORY", "ACAD16DIR", cad);
    Set("DIRECTORY", "ACAD16DIR_CMDLINE", std::string(360, 'o'));
    const std::vector<std::string> tooLong16{
        "AutoCADの起動コマンドが長すぎます。\nACAD16DIRは359文字まで"
        "です。\n\n" +
        pkg + "\\VXCAD.ini"};
    EXPECT_EQ(StartExpectingMessages("", 1), tooLong16);
    // Refused before anything is written: no profile made.
    const std::string profiles =
        "Software\\Autodesk\\AutoCAD\\" + release + "\\ACAD-201:411\\Profiles\\";
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, profiles + "VXテスト"));
    // An empty ACADDIR counts as not set.
    Set("DIRECTORY", "ACADDIR", "");
    EXPECT_EQ(StartExpectingMessages("", 1), tooLong16);

    // ACADDIR comes first: its series, its options key and its shorter limit.
    Set("DIRECTORY", "ACADDIR", cad);
    Set("DIRECTORY", "ACADDIR_CMDLINE", std::string(260, 'o'));
    EXPECT_EQ(StartExpectingMessages("", 1),
              std::vector<std::string>{"AutoCADの起動コマンドが長すぎます。\nACADDIRは259文字まで"
                                       "です。\n\n" +
                                       pkg + "\\VXCAD.ini"});

    Set("DIRECTORY", "ACADDIR", "Null");
    Set("DIRECTORY", "ACAD16DIR_CMDLINE", "NULL");
    // A '\\' would make the profile below another key: refused before any write.
    Set("REGISTRY", "PFNAME", "VX\\テスト");
    EXPECT_EQ(StartExpectingMessages("", 1),
              std::vector<std::string>{"ﾌﾟﾛﾌｧｲﾙ名 VX\\テスト に \\ は使えません。\n\n" + pkg +
                                       "\\VXCAD.ini"});
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, profiles + "VX"));
    Set("REGISTRY", "PFNAME", "VXテスト");
    Set("REGISTRY", "PKGDIR", dir + "\\missing");
    EXPECT_EQ(
        StartExpectingMessages("", 1),
        std::vector<std::string>{dir + "\\missing\\SYSTEM.DATファイルがオープンできません。"});

    Set("REGISTRY", "PKGDIR", cad); // a folder without VXMENU
    EXPECT_EQ(
        StartExpectingMessages("", 1),
        std::vector<std::string>{cad + "\\VXMENU\\VXMENU32.INIファイルがオープンできません。"});
}

TEST_F(LauncherRunTest, AssistanceMessageContinuesAndStartFailuresKeepTheirBox) {
    // Active Assistance's key is missing (M-4, the start goes on); the CAD
    // program is missing too.
    Set("VXMENU", "VXMENUFLG", "0");
    Set("DIRECTORY", "ACAD16DIR", dir + "\\nocad");
    Set("VX_SETVAR", "ACAD2000i", "2");
    EXPECT_EQ(
        StartExpectingMessages("", 2),
        (std::vector<std::string>{
            "ｱｸﾃｨﾌﾞｱｼｽﾀﾝﾄのStartupをOFFに設定できませんでした。\n初期設定のままで起動します。",
            "CADプログラム[\"" + dir + "\\nocad\\ACAD.EXE\" /C \"" + pkg +
                "\" /P VXテスト]が起動できません。"}));
    // Without the floating menu the system list is written, VXMENU32.INI is not.
    EXPECT_NE(GetFileAttributesA((pkg + "\\SYSTEM.DAT").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((pkg + "\\VXMENU\\VXMENU32.INI").c_str()),
              INVALID_FILE_ATTRIBUTES);

    // The floating menu program is missing: its box outlives the splash's five seconds.
    Set("VXMENU", "VXMENUFLG", "1");
    Set("VX_SETVAR", "ACAD2000i", "0");
    DeleteFileA((pkg + "\\VXMENU\\VXMENU32.EXE").c_str());
    Start("");
    ShownMessage shown;
    ASSERT_TRUE(WaitForMessageBox("VXCAD", 10000, &shown));
    EXPECT_EQ(shown.text, "VXMENU実行に失敗");
    EXPECT_EQ(ReadTextFile(pkg + "\\VXMENU\\VXMENU32.INI"),
              "[DIRECTORY]\r\nACAD16DIR=\"" + dir + "\\nocad\\ACAD.EXE\" /C \"" + pkg +
                  "\" /P VXテスト\r\n\r\n[VX_SETVAR]\r\nDdeConnectWaitTime=\r\n"
                  "AcadFindWaitTime=\r\n\r\n[VXMENU]\r\nPKGNAME=\r\nVERSION=\r\nPKGTYPE=\r\n");
    EXPECT_FALSE(WaitUntil([&] { return !IsWindow(shown.window); }, kSplashLifeMs + 1000));
    PressButton(shown.window, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(WaitForExit(launcher, 10000, &code));
    EXPECT_EQ(code, 0u);
}

} // namespace
