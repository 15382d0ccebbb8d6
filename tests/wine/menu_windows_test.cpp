// The floating menu on screen, under Wine, against the stand-in CAD program:
// docking, clicks that send commands, cascades, tearing off, the drag strip,
// the close paths and following the CAD window.
#include <gtest/gtest.h>

#include "menu/app/app_state.h"
#include "menu/app/startup.h"
#include "menu/model/menu_model.h"
#include "menu/strutil/sjis_text.h"
#include "menu/ui/menu_windows.h"
#include "tools/menu_driver/menu_driver.h"
#include "tests/wine/support/win_test_support.h"
#include "checker/preview_layout.h"

#include <cstdlib>
#include <string>

namespace {

// Menu 0: 0 線 (command and alternate), 1 図形 (opens menu 1), 2 ツール
// (opens menu 2), 3 起動 (EXEC), 4 外部 (key of the external program),
// 5 情報 (the registered-commands dialog), 6 情報２ (its short form), 7 箱 (a
// library function that shows a message box), then the items of the
// packages 追加 and 初期値なし.
// Menu 1: 0 円, 1 矩形. Menu 2: 0 深い (opens menu 3), 1 終わり.
// Menu 3: 0 内側.
const char kMenuFile[] = "[フローティング#VXテスト]\r\n"
                         "[線#線を引きます]^C^CLINE;PLINE\r\n"
                         "[->図形#図形を描きます]\r\n"
                         "[円]CIRCLE\r\n"
                         "[<-矩形]RECTANG\r\n"
                         "[->ツール]\r\n"
                         "[->深い]\r\n"
                         "[<-内側]INNER\r\n"
                         "[<-終わり]END\r\n"
                         "[起動]EXEC @EXEC@ -log=@EXECLOG@\r\n"
                         "[外部]EXT:HELLO\\\r\n"
                         "[情報]VXMENU_ABOUT\r\n"
                         "[情報２]VXMENU_ABOUT2\r\n"
                         "[箱]DLL:DemoMessage\r\n";
constexpr int kDialogItem = 5;
constexpr int kShortDialogItem = 6;
constexpr int kBoxItem = 7;
const char kDialogCaption[] = "テストパッケージ・システム情報";

class MenuWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ini = dir + "\\VXMENU32.INI";
        log = dir + "\\cad.log";
        execLog = dir + "\\exec.log";
        std::string menu = kMenuFile;
        Replace(menu, "@EXEC@", dir + "\\EXECPROG.EXE");
        Replace(menu, "@EXECLOG@", execLog);
        WriteTextFile(dir + "\\test.mnu", menu);
        ASSERT_TRUE(CopyFileTo(DemoLibraryPath(), dir + "\\test.dll"));
        ASSERT_TRUE(CopyFileTo(StandInExePath(), dir + "\\EXECPROG.EXE"));
        for (const char* package : {"extra", "bare"}) {
            WriteTextFile(dir + "\\" + package + ".mnu", std::string("[") + package + "]\r\n");
            ASSERT_TRUE(CopyFileTo(DemoLibraryPath(), dir + "\\" + package + ".dll"));
        }
    }

    void TearDown() override {
        EndProgram(menuProgram);
        EndProgramsNamed({"EXECPROG.EXE", "EXTPROG.EXE"});
        EndStandIns(); // no window of this test is left for the next one to find
        FreeMeasuredMenus();
    }

    static void Replace(std::string& text, const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
    }

    // Writes the configuration for a CAD target to path: three packages,
    // the first with its menu test.mnu.
    void WriteConfig(const std::string& path, const std::string& directoryLines) {
        // Under Wine WaitForInputIdle may return before the CAD program's
        // window exists: give the window search time, as a slow CAD would need.
        WriteTextFile(path, "[DIRECTORY]\r\n" + directoryLines +
                                "\r\n[VX_SETVAR]\r\nAcadFindWaitTime=500\r\n[VXMENU]\r\n"
                                "PKGNAME=テストパッケージ\r\nVERSION=2.5\r\nPKGTYPE=土木\r\n"
                                "VXMENU=\"" +
                                dir + "\\test.mnu\" \"テスト\" ^C^CRESET\r\nVXMENU=\"" + dir +
                                "\\extra.mnu\" \"追加\" (extra-init)\r\nVXMENU=\"" + dir +
                                "\\bare.mnu\" \"初期値なし\"\r\n");
        EXPECT_TRUE(LoadAndMeasureMenus(path));
    }

    // Starts the menu; returns its top window.
    HWND Launch(const std::string& commandLine) {
        menuProgram = StartProgram(commandLine);
        HWND top = WaitForTopWindow();
        EXPECT_NE(top, nullptr);
        return top;
    }

    HWND StartMenu(const std::string& directoryLines) {
        WriteConfig(ini, directoryLines);
        return Launch("\"" + MenuExePath() + "\" " + ini);
    }

    std::string CopyDataTarget() {
        return "ACAD16DIR=\"" + StandInExePath() +
               "\" \"-caption=AutoCAD 2004 - [図面.dwg]\" -log=" + log;
    }

    HWND StartWithCopyData() { return StartMenu(CopyDataTarget()); }

    // Clicks a dialog item of the top menu and waits for the dialog.
    static HWND OpenDialog(HWND top, int item) {
        ClickItem(top, 0, item);
        HWND dialog = WaitForDialog(kDialogCaption);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }

    // Chooses packages in the open dialog and presses 初期値設定.
    static void Reset(HWND dialog, std::initializer_list<int> packages) {
        for (int package : packages) {
            SendDlgItemMessageA(dialog, 1000, LB_SETSEL, TRUE, package);
        }
        PressButton(dialog, 1002);
    }

    // The torn-off window of menu 2 (ツール), dragged from its cascade to (300, 200).
    static HWND TearOffTools(HWND top) {
        ClickItem(top, 0, 2);
        HWND tools = nullptr;
        EXPECT_TRUE(WaitUntil(
            [&] { return (tools = FindMenuWindow("VXMENU_CHILD", 2)) != nullptr; }, 5000));
        SetWindowPos(tools, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        HWND torn = nullptr;
        EXPECT_TRUE(WaitUntil(
            [&] { return (torn = FindMenuWindow("VXMENU_PARENT", 2)) != nullptr; }, 5000));
        return torn;
    }

    // Chooses 左側 (the dialog opens with 右側 checked) and OK: the menu is
    // docked at the left edge at once at its height, and the torn-off ツール
    // is back at (300, 200).
    static void ChooseLeftSide(HWND top, int item) {
        RECT before{};
        GetWindowRect(top, &before);
        HWND dialog = OpenDialog(top, item);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(IsDlgButtonChecked(dialog, 1004), BST_CHECKED);
        PressButton(dialog, 1005);
        PressButton(dialog, IDOK);
        RECT after{};
        EXPECT_TRUE(WaitUntil(
            [&] {
                GetWindowRect(top, &after);
                return after.left == 1;
            },
            5000));
        EXPECT_EQ(after.top, before.top);
        EXPECT_EQ(after.right - after.left, before.right - before.left);
        HWND torn = nullptr;
        ASSERT_TRUE(
            WaitUntil([&] { return (torn = FindMenuWindow("VXMENU_PARENT", 2)) != nullptr; }, 5000))
            << "the torn-off window was closed for good";
        RECT r{};
        GetWindowRect(torn, &r);
        EXPECT_EQ(r.left, 300);
        EXPECT_EQ(r.top, 200);
    }

    std::string Slot(int slot, const char* key) {
        return ReadIniValue(dir + "\\VXMENU32.dsp", ("Recode" + std::to_string(slot)).c_str(), key);
    }

    std::string dir, ini, log, execLog;
    Program menuProgram;
};

TEST_F(MenuWindowsTest, DocksAtTheRightEdgeAndSendsCommandsByteForByte) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    RECT window{}, client{}, desktop{};
    GetWindowRect(top, &window);
    GetClientRect(top, &client);
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(client.right, g_menuTable[0].widthMinus1 + 1);
    EXPECT_EQ(client.bottom, g_menuTable[0].heightMinus1 + 14);
    EXPECT_EQ(window.right, desktop.right - 1);
    EXPECT_EQ(window.top, desktop.top - 1);
    EXPECT_TRUE(GetWindowLongA(top, GWL_EXSTYLE) & WS_EX_TOPMOST);

    HWND cad = WaitForStandInWindow("AutoCAD 2004 - [図面.dwg]");
    EXPECT_EQ(ReadIniValue(ini, "VXMENU", "HWND"), HexHandle(cad) + " " + HexHandle(top));

    ClickItem(top, 0, 0);
    ASSERT_TRUE(WaitForLogRecords(log, "COPYDATA", 1));
    ClickItem(top, 0, 0, MK_CONTROL);
    ASSERT_TRUE(WaitForLogRecords(log, "COPYDATA", 2));
    std::vector<LogRecord> sent = LogRecordsOf(log, "COPYDATA");
    EXPECT_EQ(sent[0].bytes, std::string("\x1b\x1bLINE\n", 7) + '\0');
    EXPECT_EQ(sent[1].bytes, std::string("PLINE\n") + '\0');
}

TEST_F(MenuWindowsTest, SubmenusCascadeAndCloseAfterExecutionUnlessShiftIsDown) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    ClickItem(top, 0, 1); // 図形: press opens, release keeps it open
    HWND cascade = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (cascade = FindMenuWindow("VXMENU_CHILD", 1)) != nullptr; }, 5000));
    RECT topRect{}, cascadeRect{};
    GetWindowRect(top, &topRect);
    GetWindowRect(cascade, &cascadeRect);
    // The top window sits at the right edge: the cascade opens to its left.
    EXPECT_EQ(cascadeRect.left, topRect.left - g_menuTable[1].widthMinus1 - 1);
    EXPECT_EQ(cascadeRect.top, topRect.top + g_menuTable[0].items[1].top + 1);

    ClickItem(top, 0, 1); // a second click closes it
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(cascade); }, 5000));

    ClickItem(top, 0, 1);
    ASSERT_TRUE(
        WaitUntil([&] { return (cascade = FindMenuWindow("VXMENU_CHILD", 1)) != nullptr; }, 5000));
    ClickItem(cascade, 1, 0, MK_SHIFT); // Shift: the chain stays open
    ASSERT_TRUE(WaitForLogRecords(log, "COPYDATA", 1));
    Sleep(300);
    EXPECT_TRUE(IsWindow(cascade));
    ClickItem(cascade, 1, 1); // without Shift execution closes the chain
    ASSERT_TRUE(WaitForLogRecords(log, "COPYDATA", 2));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(cascade); }, 5000));
    std::vector<LogRecord> sent = LogRecordsOf(log, "COPYDATA");
    EXPECT_EQ(sent[0].bytes, std::string("CIRCLE\n") + '\0');
    EXPECT_EQ(sent[1].bytes, std::string("RECTANG\n") + '\0');
}

TEST_F(MenuWindowsTest, ItemsFromTheHundredthOnHoldAndReleaseTheirSubmenus) {
    // Rows of ten items, 0 to 105; item 1 opens menu 1, item 105 menu 2.
    std::string menu = "[百以上]\r\n";
    for (int i = 0; i <= 105; ++i) {
        std::string label = (i % 10 == 0 ? "/a" : "") + std::to_string(i);
        menu += i == 1 || i == 105 ? "[->" + label + "]\r\n[<-下]DOWN\r\n"
                                   : "[" + label + "]I" + std::to_string(i) + "\r\n";
    }
    WriteTextFile(dir + "\\test.mnu", menu);
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    ClickItem(top, 0, 105);
    ASSERT_TRUE(WaitUntil([&] { return FindMenuWindow("VXMENU_CHILD", 2) != nullptr; }, 5000));
    ClickItem(top, 0, 105); // the second click closes it
    ClickItem(top, 0, 101); // a plain item, then one that opens a submenu
    ClickItem(top, 0, 1);
    PostMessageA(top, WM_COMMAND, 106, 0); // saving slot 1 marks the clicks as handled
    ASSERT_TRUE(WaitUntil(
        [&] { return ReadIniValue(dir + "\\VXMENU32.dsp", "Recode1", "MENU0") != "<absent>"; },
        5000));
    EXPECT_EQ(FindMenuWindow("VXMENU_CHILD", 2), nullptr) << "item 105 opened its submenu again";
    EXPECT_NE(FindMenuWindow("VXMENU_CHILD", 1), nullptr) << "item 101 stayed selected";
    ASSERT_TRUE(WaitForLogRecords(log, "COPYDATA", 1));
    EXPECT_EQ(LogRecordsOf(log, "COPYDATA")[0].bytes, std::string("I101\n") + '\0');
}

TEST_F(MenuWindowsTest, ChainsOfCascadesAndDraggingOneTearsItOff) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    ClickItem(top, 0, 2); // ツール
    HWND tools = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (tools = FindMenuWindow("VXMENU_CHILD", 2)) != nullptr; }, 5000));
    ClickItem(tools, 2, 0); // 深い: a cascade of the cascade
    HWND deep = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (deep = FindMenuWindow("VXMENU_CHILD", 3)) != nullptr; }, 5000));
    EXPECT_EQ(GetWindow(deep, GW_OWNER), tools);

    // Dragging the cascade by its caption: a torn-off window takes its place.
    RECT before{};
    GetWindowRect(tools, &before);
    SetWindowPos(tools, nullptr, before.left - 150, before.top + 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND torn = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (torn = FindMenuWindow("VXMENU_PARENT", 2)) != nullptr; }, 5000));
    EXPECT_FALSE(IsWindow(tools));
    EXPECT_FALSE(IsWindow(deep)); // the chain went with it
    RECT tornRect{};
    GetWindowRect(torn, &tornRect);
    EXPECT_EQ(tornRect.left, before.left - 150);
    EXPECT_EQ(tornRect.top, before.top + 40);
    EXPECT_EQ(GetWindow(torn, GW_OWNER), top);

    // An item executed in the torn-off window leaves it open.
    ClickItem(torn, 2, 1);
    ASSERT_TRUE(WaitForLogRecords(log, "COPYDATA", 1));
    EXPECT_EQ(LogRecordsOf(log, "COPYDATA")[0].bytes, std::string("END\n") + '\0');
    EXPECT_TRUE(IsWindow(torn));
}

TEST_F(MenuWindowsTest, DragStripMovesTheTopWindowOnlyVerticallyAndKeepsItOnTheScreen) {
    // The drag follows the cursor's screen position. The cursor stays away
    // from every window, so that no late pointer event of the display puts
    // it back somewhere else while the menu reads it. Wine answers from the
    // display itself once its own record is 100 ms old: a placement counts
    // once both agree.
    const int x = 600;
    auto placeCursor = [&](int y) {
        return WaitUntil(
            [&] {
                SetCursorPos(x, y);
                Sleep(120);
                POINT p{};
                GetCursorPos(&p);
                return p.x == x && p.y == y;
            },
            5000);
    };
    struct CursorBack { // where it was, for the tests after this one
        POINT at{};
        CursorBack() { GetCursorPos(&at); }
        ~CursorBack() { SetCursorPos(at.x, at.y); }
    } cursorBack;
    ASSERT_TRUE(placeCursor(300));
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    const DWORD thread = GetWindowThreadProcessId(top, nullptr);
    const LPARAM strip = MAKELPARAM(30, 5);
    auto holdsMouse = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndCapture == top;
    };
    // Presses the drag strip; true once the press holds the mouse.
    auto pressStrip = [&] {
        PostMessageA(top, WM_LBUTTONDOWN, MK_LBUTTON, strip);
        return WaitUntil(holdsMouse, 5000);
    };
    auto moveCursorTo = [&](int y) {
        EXPECT_TRUE(placeCursor(y));
        PostMessageA(top, WM_MOUSEMOVE, MK_LBUTTON, strip);
    };
    // Releases the button; true once the window let the mouse go.
    auto release = [&] {
        PostMessageA(top, WM_LBUTTONUP, 0, strip);
        return WaitUntil([&] { return !holdsMouse(); }, 5000);
    };
    auto topAfter = [&](const RECT& before) {
        RECT after = before;
        EXPECT_TRUE(WaitUntil(
            [&] {
                GetWindowRect(top, &after);
                return after.top != before.top;
            },
            5000));
        return after;
    };
    RECT start{};
    GetWindowRect(top, &start);
    ASSERT_TRUE(pressStrip());
    moveCursorTo(420);
    ASSERT_TRUE(release());
    RECT moved = topAfter(start);
    EXPECT_EQ(moved.top, start.top + 120);
    EXPECT_EQ(moved.left, start.left);

    // Dragged up past the screen's edge, the strip stays wholly on the screen.
    ASSERT_TRUE(pressStrip());
    moveCursorTo(220);
    ASSERT_TRUE(release());
    EXPECT_EQ(topAfter(moved).top, start.top);

    // A lost mouse capture ends the drag: later moves leave the window alone.
    ASSERT_TRUE(pressStrip());
    PostMessageA(top, WM_CAPTURECHANGED, 0, 0);
    moveCursorTo(520);
    PostMessageA(top, WM_COMMAND, 106, 0); // saving slot 1 marks the moves as handled
    ASSERT_TRUE(WaitUntil([&] { return Slot(1, "MENU0") != "<absent>"; }, 5000));
    RECT after{};
    GetWindowRect(top, &after);
    EXPECT_EQ(after.top, start.top);
    EXPECT_TRUE(LogRecordsOf(log, "COPYDATA").empty()) << "a drag executed an item";
}

TEST_F(MenuWindowsTest, CloseAsksAndCancelKeepsEverythingWhile109ClosesAndSavesSlot0) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    PostMessageA(top, WM_CLOSE, 0, 0); // Alt+F4 asks as the popup's close entry (100) does
    ShownMessage question;
    ASSERT_TRUE(WaitForMessageBox("VXMENU", 5000, &question));
    EXPECT_EQ(question.text, "\"VXMENU\"とタイプすることで再度VXMENUを使用することができます。\n"
                             "VXMENUを閉じますか?");
    PressButton(question.window, IDCANCEL);
    Sleep(500);
    EXPECT_TRUE(IsWindow(top));
    const std::string layout = dir + "\\VXMENU32.dsp";
    EXPECT_EQ(ReadIniValue(layout, "Recode0", "DeskTop"), "<absent>");

    PostMessageA(top, WM_COMMAND, 109, 0);
    DWORD code = 1;
    ASSERT_TRUE(WaitForExit(menuProgram, 5000, &code));
    EXPECT_EQ(code, 0u);
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(ReadIniValue(layout, "Recode0", "DeskTop"),
              std::to_string(desktop.right) + ", " + std::to_string(desktop.bottom));
    EXPECT_NE(ReadIniValue(layout, "Recode0", "MENU0"), "<absent>");
    EXPECT_EQ(ReadIniValue(layout, "Recode0", "MENU1"), "");
    ShownMessage none;
    EXPECT_FALSE(WaitForMessageBox("VXMENU", 200, &none));
}

TEST_F(MenuWindowsTest, SlotZeroBringsBackTheTornOffWindowsAtTheirPlaces) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    HWND torn = TearOffTools(top);
    ASSERT_NE(torn, nullptr);
    // The user slot 1 keeps this layout; "表示１" brings it back later.
    PostMessageA(top, WM_COMMAND, 106, 0);
    // Closed by Alt+F4: slot 0 is saved before the torn-off window goes.
    PostMessageA(top, WM_CLOSE, 0, 0);
    EXPECT_FALSE(AnswerMessageBox("VXMENU").text.empty());
    ASSERT_TRUE(WaitForExit(menuProgram, 5000));
    EXPECT_EQ(Slot(0, "MENU2"), "300, 200");
    EXPECT_EQ(Slot(1, "MENU2"), "300, 200");
    EndProgram(menuProgram);

    // The next start re-opens it where it was, also after a second round.
    for (int round = 0; round < 2; ++round) {
        menuProgram = StartProgram("\"" + MenuExePath() + "\" " + ini);
        top = WaitForTopWindow();
        ASSERT_NE(top, nullptr);
        torn = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] { return (torn = FindMenuWindow("VXMENU_PARENT", 2)) != nullptr; }, 5000));
        RECT r{};
        GetWindowRect(torn, &r);
        EXPECT_EQ(r.left, 300);
        EXPECT_EQ(r.top, 200);
        if (round == 0) {
            PostMessageA(top, WM_COMMAND, 102, 0); // 全消去: closes it
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(torn); }, 5000));
            PostMessageA(top, WM_COMMAND, 103, 0); // 表示１: back from slot 1
            ASSERT_TRUE(
                WaitUntil([&] { return FindMenuWindow("VXMENU_PARENT", 2) != nullptr; }, 5000));
        }
        PostMessageA(top, WM_COMMAND, 109, 0);
        ASSERT_TRUE(WaitForExit(menuProgram, 5000));
        EndProgram(menuProgram);
    }
}

TEST_F(MenuWindowsTest, FollowsTheCadWindowAndEndsWithIt) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    HWND cad = WaitForStandInWindow("AutoCAD 2004 - [図面.dwg]");
    ASSERT_TRUE(SendStandInControl(cad, "minimize"));
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(top) != 0; }, 3000));
    ASSERT_TRUE(SendStandInControl(cad, "restore"));
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(top) == 0; }, 3000));

    // Iconised by the user: the menu no longer follows the CAD window.
    ASSERT_NE(TearOffTools(top), nullptr);
    PostMessageA(top, WM_COMMAND, 101, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(top) != 0; }, 3000));
    Sleep(400);
    EXPECT_TRUE(IsIconic(top));

    ASSERT_TRUE(SendStandInControl(cad, "close")); // the menu's timer finds it gone
    ASSERT_TRUE(WaitForExit(menuProgram, 10000));
    EXPECT_EQ(Slot(0, "MENU2"), "300, 200") << "minimised, the torn-off window was not saved";
}

TEST_F(MenuWindowsTest, ExecItemsStartProgramsAndKeysGoToTheirLinkedProgram) {
    std::string externalLog = dir + "\\ext.log";
    std::string external = PrepareStandInCopy(dir, "EXTPROG.EXE",
                                              {"caption=外部プログラム", "ddeservice=EXTSERVICE",
                                               "ddetopic=EXTTOPIC", "log=" + externalLog});
    HWND top = StartMenu("ACADDIR=\"" + StandInExePath() +
                         "\" -ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM -log=" + log +
                         "\r\nEXAPDIR1=" + external + ",EXTSERVICE,EXTTOPIC,EXT,QUIT");
    ASSERT_NE(top, nullptr);
    ClickItem(top, 0, 3); // 起動: EXEC
    ASSERT_TRUE(WaitForLogRecords(execLog, "START", 1));
    EXPECT_EQ(LogRecordsOf(execLog, "START")[0].bytes, "-log=" + execLog);

    ClickItem(top, 0, 4); // 外部: "EXT:HELLO" to the linked program, without the separator
    ASSERT_TRUE(WaitForLogRecords(externalLog, "DDE", 1));
    EXPECT_EQ(LogRecordsOf(externalLog, "DDE")[0].bytes, std::string("HELLO") + '\0');

    ClickItem(top, 0, 0); // an ordinary item goes to the CAD program by DDE
    ASSERT_TRUE(WaitForLogRecords(log, "DDE", 1));
    EXPECT_EQ(LogRecordsOf(log, "DDE")[0].bytes, std::string("\x1b\x1bLINE\n", 7) + '\0');

    PostMessageA(top, WM_COMMAND, 109, 0); // the linked program gets its exit command
    ASSERT_TRUE(WaitForExit(menuProgram, 5000));
    ASSERT_TRUE(WaitForLogRecords(externalLog, "DDE", 2));
    EXPECT_EQ(LogRecordsOf(externalLog, "DDE")[1].bytes, std::string("QUIT\n") + '\0');
}

TEST_F(MenuWindowsTest, ExecProgramThatCannotStartIsReported) {
    std::string menu = kMenuFile;
    Replace(menu, "@EXEC@", dir + "\\missing.exe");
    Replace(menu, "@EXECLOG@", execLog);
    WriteTextFile(dir + "\\test.mnu", menu);
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    ClickItem(top, 0, 3);
    ShownMessage shown = AnswerMessageBox("フローティングメニュー");
    EXPECT_EQ(shown.text, "外部プログラム[" + dir + "\\missing.exe -log=" + execLog +
                              "]が起動できません。(E-11)");
    EXPECT_TRUE(IsWindow(top));
}

TEST_F(MenuWindowsTest, BothDialogsShowThePackagesAndResetSendsTheChosenCommands) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    RECT before{};
    GetWindowRect(top, &before);
    HWND dialog = OpenDialog(top, kDialogItem);
    ASSERT_NE(dialog, nullptr);
    char text[256] = "";
    GetDlgItemTextA(dialog, 1003, text, sizeof text);
    EXPECT_STREQ(text, "テストパッケージ 2.5");
    GetDlgItemTextA(dialog, 1006, text, sizeof text);
    EXPECT_STREQ(text, "土木");
    HWND list = GetDlgItem(dialog, 1000);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ListBoxEntry(list, 0) + ListBoxEntry(list, 1) + ListBoxEntry(list, 2),
              "テスト追加初期値なし");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1004), BST_CHECKED);

    // By WM_COPYDATA, as every command for this CAD program goes.
    Reset(dialog, {0, 2});
    ASSERT_TRUE(WaitForLogRecords(log, "COPYDATA", 1));
    EXPECT_EQ(LogRecordsOf(log, "COPYDATA")[0].bytes, std::string("\x1b\x1bRESET\n\n") + '\0');
    EXPECT_TRUE(IsWindow(dialog));
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));

    dialog = OpenDialog(top, kShortDialogItem);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetDlgItem(dialog, 1002), nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 1000, LB_GETCOUNT, 0, 0), 3);
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
    RECT after{};
    GetWindowRect(top, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(ReadIniValue(dir + "\\VXMENU32.dsp", "Recode0", "DeskTop"), "<absent>");
}

TEST_F(MenuWindowsTest, ResetTextReachesADdeTargetByteForByte) {
    HWND top = StartMenu("ACADDIR=\"" + StandInExePath() +
                         "\" -ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM -log=" + log);
    ASSERT_NE(top, nullptr);
    HWND dialog = OpenDialog(top, kDialogItem);
    ASSERT_NE(dialog, nullptr);
    Reset(dialog, {0, 1, 2});
    ASSERT_TRUE(WaitForLogRecords(log, "DDE", 1));
    EXPECT_EQ(LogRecordsOf(log, "DDE")[0].bytes,
              std::string("\x1b\x1bRESET\n(extra-init)\n\n") + '\0');
}

TEST_F(MenuWindowsTest, SideChosenWithOkMovesTheMenuAtOnceAndCancelChangesNothing) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    HWND torn = TearOffTools(top);
    ASSERT_NE(torn, nullptr);
    RECT before{};
    GetWindowRect(top, &before);
    const std::string layout = dir + "\\VXMENU32.dsp";

    HWND dialog = OpenDialog(top, kShortDialogItem);
    ASSERT_NE(dialog, nullptr);
    PressButton(dialog, 1005);
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
    RECT after{};
    GetWindowRect(top, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(IsWindow(torn));
    EXPECT_EQ(ReadIniValue(layout, "Recode0", "DeskTop"), "<absent>");

    ChooseLeftSide(top, kDialogItem); // (Cancel dropped the choice: 右側 is checked)
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_EQ(ReadIniValue(layout, "Recode0", "MENU0"),
              std::to_string(before.left) + ", " + std::to_string(before.top) + ", 1");
    EXPECT_EQ(ReadIniValue(layout, "Recode0", "MENU2"), "300, 200");

    // Back to the right edge; slot 0 is written again when the menu ends.
    dialog = OpenDialog(top, kShortDialogItem);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1005), BST_CHECKED);
    PressButton(dialog, 1004);
    PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitUntil(
        [&] {
            GetWindowRect(top, &after);
            return after.left == before.left;
        },
        5000));
    PostMessageA(top, WM_COMMAND, 109, 0);
    ASSERT_TRUE(WaitForExit(menuProgram, 5000));
    EXPECT_EQ(ReadIniValue(layout, "Recode0", "MENU0"),
              std::to_string(before.left) + ", " + std::to_string(before.top) + ", 0");
}

// A layout file the menu may read but not write (held open here without
// write sharing, as a read-only share would keep it): the side still takes
// effect and the torn-off window stays, placed from what is on screen.
TEST_F(MenuWindowsTest, SideChosenWithOkHoldsWhenTheLayoutFileCannotBeWritten) {
    const std::string layout = dir + "\\VXMENU32.dsp";
    WriteTextFile(layout, "");
    HANDLE held = CreateFileA(layout.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    ASSERT_NE(TearOffTools(top), nullptr);
    ChooseLeftSide(top, kDialogItem);
    EXPECT_EQ(ReadTextFile(layout), "") << "the layout file was written";
    CloseHandle(held);
}

TEST_F(MenuWindowsTest, ProgramInAFolderWithADotFindsItsConfigurationAndLayoutThere) {
    const std::string folder = dir + "\\VX v1.5\\VXMENU";
    CreateDirectoryA((dir + "\\VX v1.5").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileTo(MenuExePath(), folder + "\\VXMENU32.EXE"));
    WriteConfig(folder + "\\VXMENU32.INI", CopyDataTarget());
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const std::string layout = folder + "\\VXMENU32.dsp";
    WriteTextFile(layout, "[Recode0]\r\nDeskTop=" + std::to_string(desktop.right) + ", " +
                              std::to_string(desktop.bottom) + "\r\nMENU0=500, 150, 1\r\n");
    HWND top = Launch("\"" + folder + "\\VXMENU32.EXE\"");
    ASSERT_NE(top, nullptr);
    RECT r{};
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 150);
    PostMessageA(top, WM_COMMAND, 109, 0);
    ASSERT_TRUE(WaitForExit(menuProgram, 5000));
    EXPECT_EQ(ReadIniValue(layout, "Recode0", "MENU0"), "1, 150, 1");
    EXPECT_EQ(GetFileAttributesA((dir + "\\VX v1.dsp").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Two monitors, run by scripts/test.sh on displays of their own (VX_MONITORS
// names the arrangement): the primary 1024 x 768 at the origin and a second
// 1280 x 1024 at its right ("right") or at -1280 ("left"); "primary" after
// the second monitor was switched off. Elsewhere these tests are skipped.
class MonitorsTest : public MenuWindowsTest {
protected:
    // The monitor at a point; an empty rectangle where there is none.
    static RECT MonitorAt(POINT point) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONULL);
        if (monitor != nullptr) {
            GetMonitorInfoA(monitor, &info);
        }
        return info.rcMonitor;
    }

    void SetUpFor(const char* arrangements) {
        const char* wanted = getenv("VX_MONITORS");
        if (wanted == nullptr || std::string(arrangements).find(wanted) == std::string::npos) {
            GTEST_SKIP() << "run by scripts/test.sh on a display of its own";
        }
        arrangement = wanted;
        const bool one = arrangement == "primary";
        ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), one ? 1 : 2);
        RECT primary = MonitorAt(POINT{0, 0});
        ASSERT_TRUE(EqualRect(&primary, &kPrimary));
        const RECT expected =
            arrangement == "right" ? RECT{1024, 0, 2304, 1024} : RECT{-1280, 0, 0, 1024};
        second = MonitorAt(POINT{expected.left + 10, 10});
        ASSERT_TRUE(one || EqualRect(&second, &expected));
        MenuWindowsTest::SetUp();
    }

    // The layout that the second phase restores with the second monitor gone.
    static std::string KeptLayout() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        return std::string(temp) + "vxtests\\two-monitors.dsp";
    }

    // The whole desk (the virtual screen) as a BMP file, when VX_SCREENSHOT names one.
    static void SaveScreenshot() {
        const char* path = getenv("VX_SCREENSHOT");
        if (path == nullptr) {
            return;
        }
        const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN),
                  h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        BITMAPINFO info{};
        info.bmiHeader =
            BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, x, y, SRCCOPY);
        GdiFlush();
        WriteTextFile(path, EncodeBmp(w, h, static_cast<const uint8_t*>(pixels)));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        EXPECT_NE(GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES) << path;
    }

    // Drags the cascade of menu 2 (ツール) to (x, y): its torn-off window.
    HWND TearOffToolsAt(HWND top, int x, int y) {
        ClickItem(top, 0, 2);
        HWND tools = nullptr;
        EXPECT_TRUE(WaitUntil(
            [&] { return (tools = FindMenuWindow("VXMENU_CHILD", 2)) != nullptr; }, 5000));
        SetWindowPos(tools, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        HWND torn = nullptr;
        EXPECT_TRUE(WaitUntil(
            [&] { return (torn = FindMenuWindow("VXMENU_PARENT", 2)) != nullptr; }, 5000));
        return torn;
    }

    void TearDown() override {
        MenuWindowsTest::TearDown();
        EndProgram(cadProgram);
    }

    // The stand-in started first and the menu attached to its window, so
    // that the first start of a new server, which may be slow, does not
    // outlast the menu's search for the CAD window.
    HWND StartAttached() {
        cad = StartModuleHost(&cadProgram, "AutoCAD 2004 - [図面.dwg]", {}, dir, log);
        EXPECT_NE(cad, nullptr);
        WriteConfig(ini, CopyDataTarget());
        return Launch("\"" + MenuExePath() + "\" " + ini + " /HWND:" + HexHandle(cad));
    }

    // Menu 2's torn-off window, once it is open (an empty rectangle if it is not).
    static RECT TornOffToolsRect() {
        HWND torn = nullptr;
        EXPECT_TRUE(WaitUntil(
            [&] { return (torn = FindMenuWindow("VXMENU_PARENT", 2)) != nullptr; }, 5000));
        RECT r{};
        GetWindowRect(torn, &r);
        return r;
    }

    static constexpr RECT kPrimary{0, 0, 1024, 768};
    std::string arrangement;
    RECT second{};
    Program cadProgram;
    HWND cad = nullptr;
};

class TwoMonitors : public MonitorsTest {
protected:
    void SetUp() override { SetUpFor("right left"); }
};

class SecondMonitorGone : public MonitorsTest {
protected:
    void SetUp() override { SetUpFor("primary"); }
};

TEST_F(TwoMonitors, DocksCascadesAndCentresTheDialogOnTheCadWindowsMonitor) {
    HWND top = StartAttached();
    ASSERT_NE(top, nullptr);
    RECT r{};
    GetWindowRect(top, &r);
    EXPECT_EQ(r.right, kPrimary.right - 1) << "the CAD window starts on the primary monitor";

    // The CAD window maximised on the second monitor: the top window docks there.
    SetWindowPos(cad, nullptr, second.left + 100, 100, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(cad, SW_MAXIMIZE);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return MonitorFromWindow(cad, MONITOR_DEFAULTTONULL) ==
                   MonitorFromPoint(POINT{second.left, 0}, MONITOR_DEFAULTTONULL);
        },
        5000));
    PostMessageA(top, WM_COMMAND, 103, 0); // 表示１, never saved: the default placement
    EXPECT_TRUE(WaitUntil(
        [&] {
            GetWindowRect(top, &r);
            return r.right == second.right - 1;
        },
        5000));
    EXPECT_EQ(r.top, second.top - 1);

    // At the second monitor's right edge a cascade opens to the left.
    ClickItem(top, 0, 1);
    HWND cascade = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (cascade = FindMenuWindow("VXMENU_CHILD", 1)) != nullptr; }, 5000));
    RECT c{};
    GetWindowRect(cascade, &c);
    EXPECT_EQ(c.left, r.left - g_menuTable[1].widthMinus1 - 1);

    // Low on the second monitor, below the primary's bottom, a cascade of a
    // torn-off window opens to its right at its item's height.
    HWND torn = TearOffToolsAt(top, second.left + 300, 800);
    ASSERT_NE(torn, nullptr);
    RECT t{};
    GetWindowRect(torn, &t);
    EXPECT_EQ(t.left, second.left + 300);
    EXPECT_EQ(t.top, 800);
    ClickItem(torn, 2, 0);
    HWND deep = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (deep = FindMenuWindow("VXMENU_CHILD", 3)) != nullptr; }, 5000));
    GetWindowRect(deep, &c);
    EXPECT_EQ(c.left, t.right - 1);
    EXPECT_EQ(c.top, t.top + g_menuTable[2].items[0].top + 1);

    // The dialog opened from the top window is centred on its monitor.
    HWND dialog = OpenDialog(top, kDialogItem);
    ASSERT_NE(dialog, nullptr);
    RECT d{};
    GetWindowRect(dialog, &d);
    EXPECT_EQ(d.left, second.left + (second.right - second.left - (d.right - d.left)) / 2);
    EXPECT_EQ(d.top, second.top + (second.bottom - second.top - (d.bottom - d.top)) / 2);
    // Painted before the picture is taken (WM_PAINT is sent to its thread).
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveScreenshot();
    PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
}

TEST_F(TwoMonitors, TornOffWindowOnTheSecondMonitorComesBackThereFromSlot0) {
    HWND top = StartAttached();
    ASSERT_NE(top, nullptr);
    const int x = second.left + 300;
    ASSERT_NE(TearOffToolsAt(top, x, 740), nullptr); // passing the primary's bottom
    PostMessageA(top, WM_COMMAND, 109, 0);
    ASSERT_TRUE(WaitForExit(menuProgram, 5000));
    EndProgram(menuProgram);
    EXPECT_EQ(Slot(0, "DeskTop"), "1024, 768");
    EXPECT_EQ(Slot(0, "MENU2"), std::to_string(x) + ", 740");
    EXPECT_EQ(Slot(0, "Monitors"), "0, 0, 1024, 768, " + std::to_string(second.left) + ", 0, " +
                                       std::to_string(second.right) + ", 1024");

    top = Launch("\"" + MenuExePath() + "\" " + ini + " /HWND:" + HexHandle(cad));
    ASSERT_NE(top, nullptr);
    RECT r = TornOffToolsRect();
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, 740);
    PostMessageA(top, WM_COMMAND, 109, 0);
    ASSERT_TRUE(WaitForExit(menuProgram, 5000));
    ASSERT_TRUE(CopyFileTo(dir + "\\VXMENU32.dsp", KeptLayout()));
}

TEST_F(SecondMonitorGone, TheSlotBringsTheTornOffWindowWhollyOntoThePrimary) {
    ASSERT_TRUE(CopyFileTo(KeptLayout(), dir + "\\VXMENU32.dsp")) << "the two-monitor run first";
    const bool wasRight = Slot(0, "Monitors").find("1024, 0, 2304, 1024") != std::string::npos;
    HWND top = StartAttached();
    ASSERT_NE(top, nullptr);
    RECT r = TornOffToolsRect();
    EXPECT_EQ(wasRight ? r.right : r.left, wasRight ? kPrimary.right : kPrimary.left);
    EXPECT_EQ(r.bottom, kPrimary.bottom);
    GetWindowRect(top, &r);
    EXPECT_EQ(r.right, kPrimary.right - 1);
}

// While a library function's message box is open the menu is asked to end:
// it ends once the function has returned, with slot 0 and the exit command.
class EndWhileAnItemRuns : public MenuWindowsTest,
                           public ::testing::WithParamInterface<const char*> {
protected:
    // Command 109, or the CAD window closed, which the menu's timer finds;
    // true once the menu has taken the request: slot 0 is saved at once, up
    // to its last key (menu 3's).
    bool RequestEnd(HWND top, HWND cad) {
        if (std::string(GetParam()) == "109") {
            SendMessageA(top, WM_COMMAND, 109, 0);
        } else if (!SendStandInControl(cad, "close")) {
            return false;
        }
        return WaitUntil([&] { return Slot(0, "MENU3") != "<absent>"; }, 5000);
    }
};

TEST_P(EndWhileAnItemRuns, WaitsUntilTheItemReturned) {
    const std::string externalLog = dir + "\\ext.log";
    const std::string external =
        PrepareStandInCopy(dir, "EXTPROG.EXE",
                           {"caption=外部プログラム", "ddeservice=EXTSERVICE", "ddetopic=EXTTOPIC",
                            "log=" + externalLog});
    HWND top = StartMenu("ACADDIR=\"" + StandInExePath() +
                         "\" \"-caption=AutoCAD - [end.dwg]\" -ddeservice=AutoCAD.r13.DDE "
                         "-ddetopic=SYSTEM -log=" +
                         log + "\r\nEXAPDIR1=" + external + ",EXTSERVICE,EXTTOPIC,EXT,QUIT");
    ASSERT_NE(top, nullptr);
    HWND cad = WaitForStandInWindow("AutoCAD - [end.dwg]");
    HWND torn = TearOffTools(top);
    ASSERT_NE(torn, nullptr);
    ClickItem(top, 0, kBoxItem); // 箱: the library function shows its box
    ShownMessage box;
    ASSERT_TRUE(WaitForMessageBox("VXデモ", 5000, &box));
    ASSERT_TRUE(RequestEnd(top, cad));
    EXPECT_EQ(Slot(0, "MENU2"), "300, 200");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(top) && !IsWindowVisible(torn); }, 5000))
        << "the menu stays on screen";
    EXPECT_TRUE(IsWindow(top)) << "the menu ended under the running function";
    PressButton(box.window, IDOK);
    DWORD code = 1;
    ASSERT_TRUE(WaitForExit(menuProgram, 10000, &code));
    EXPECT_EQ(code, 0u);
    ASSERT_TRUE(WaitForLogRecords(externalLog, "DDE", 1));
    EXPECT_EQ(LogRecordsOf(externalLog, "DDE")[0].bytes, std::string("QUIT\n") + '\0');
}

// Asked to end while the registered-commands dialog is open, the menu ends
// it as Cancel (the side chosen in it is dropped) and sends nothing more.
TEST_P(EndWhileAnItemRuns, EndsTheOpenDialogAsCancel) {
    HWND top = StartWithCopyData();
    ASSERT_NE(top, nullptr);
    HWND cad = WaitForStandInWindow("AutoCAD 2004 - [図面.dwg]");
    HWND dialog = OpenDialog(top, kDialogItem);
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageA(dialog, 1000, LB_SETSEL, TRUE, 0);
    PressButton(dialog, 1005);
    ASSERT_TRUE(WaitUntil([&] { return IsDlgButtonChecked(dialog, 1005) == BST_CHECKED; }, 5000));
    RECT before{};
    GetWindowRect(top, &before);
    ASSERT_TRUE(RequestEnd(top, cad));
    PressButton(dialog, 1002); // too late: 初期値設定 sends nothing
    DWORD code = 1;
    ASSERT_TRUE(WaitForExit(menuProgram, 10000, &code)) << "the dialog kept the menu";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Slot(0, "MENU0"),
              std::to_string(before.left) + ", " + std::to_string(before.top) + ", 0");
    EXPECT_TRUE(LogRecordsOf(log, "COPYDATA").empty());
}

INSTANTIATE_TEST_SUITE_P(ByCommandOrCadWindow, EndWhileAnItemRuns,
                         ::testing::Values("109", "CadWindowClosed"));

// Windows sends WM_DESTROY to a window whose WM_CREATE failed; Wine does
// not, so the test delivers it as Windows would.
LRESULT CALLBACK DestroyAfterFailedCreate(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_CREATE && call->lResult == -1) {
        TopWindowProc(call->hwnd, WM_DESTROY, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A top window whose creation fails (here: it has no system menu) leaves the
// user's layout and the links alone, and no handle of it behind.
TEST_F(MenuWindowsTest, FailedCreationSavesNothingAndEndsNoLink) {
    WriteTextFile(ini, "[VXMENU]\r\nVXMENU=\"" + dir + "\\test.mnu\" \"テスト\" X\r\n");
    ASSERT_TRUE(LoadAndMeasureMenus(ini));
    g_app.instance = GetModuleHandleA(nullptr);
    CopyText(g_app.iniPath, sizeof g_app.iniPath, ini.c_str());
    ASSERT_TRUE(RegisterMenuClasses(g_app.instance));
    const HCONV linked = reinterpret_cast<HCONV>(0x5678);
    g_app.externalPrograms[0].conversation = linked;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, DestroyAfterFailedCreate, nullptr,
                                   GetCurrentThreadId());
    HWND top = CreateWindowExA(WS_EX_TOPMOST, "VXMENU_TOP", "VXMENU", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, g_app.instance, nullptr);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(top, nullptr);
    EXPECT_EQ(g_app.topWindow, nullptr);
    EXPECT_EQ(Slot(0, "MENU0"), "<absent>") << "the layout was overwritten";
    EXPECT_EQ(g_app.externalPrograms[0].conversation, linked) << "the links were ended";
    g_app = AppState{};
}

} // namespace
