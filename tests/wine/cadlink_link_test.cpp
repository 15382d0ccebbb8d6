// The CAD link code itself, driven in this process against the stand-in CAD
// program: the application state is filled as start-up fills it, then the
// link routines run before any menu window exists.
#include <gtest/gtest.h>

#include "menu/app/app_state.h"
#include "menu/app/startup.h"
#include "menu/app/startup_messages.h"
#include "menu/cadlink/cad_link.h"
#include "menu/strutil/sjis_text.h"
#include "menu/ui/menu_session.h"
#include "tests/wine/support/win_test_support.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A command as the menu loader leaves it: ESC bytes, line feeds, and a
// double-byte character whose trail byte is the backslash ("表").
const std::string kCommand = "\x1b\x1b_LINE\n0,0\n表示\n";

bool IsCommandKind(const LogRecord& record) {
    return record.kind == "DDE" || record.kind == "COPYDATA" || record.kind == "REFUSED";
}

// What DDEML reports when a partner ends a conversation. Wine's DDEML
// marks the conversation ended but never calls the client back, so the
// tests deliver the transaction themselves.
HDDEDATA ReportDisconnect(HCONV conversation) {
    return DdeCallback(XTYP_DISCONNECT, 0, conversation, nullptr, nullptr, nullptr, 0, 0);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsInZOrder() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

size_t ZOrderOf(HWND window) {
    std::vector<HWND> windows = TopLevelWindowsInZOrder();
    return std::find(windows.begin(), windows.end(), window) - windows.begin();
}

class CadLinkDriver : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ini = dir + "\\VXMENU32.INI";
        log = dir + "\\cad.log";
        g_app = AppState{};
        g_app.canRestartFromCad = 1;
        CopyText(g_app.iniPath, sizeof g_app.iniPath, ini.c_str());
    }

    void TearDown() override {
        DisconnectDde(&g_app.cadLink);
        for (ExternalProgram& program : g_app.externalPrograms) {
            DisconnectDde(&program);
        }
        if (g_app.ddeInstance) {
            DdeUninitialize(g_app.ddeInstance);
        }
        g_app = AppState{};
        EndProgram(cad);
        EndProgramsNamed({"EXTOOL1.EXE", "EXTOOL2.EXE"});
        EndStandIns();
    }

    // The log comes last: a profile value that begins and ends with a double
    // quote loses both when it is read.
    std::string StandIn(const std::string& caption, const std::string& more = "") {
        return "\"" + StandInExePath() + "\" \"-caption=" + caption + "\" " + more + " -log=" + log;
    }

    // Links as start-up does: the target from the configuration file, the
    // DDE instance and conversation where the target has them, the window.
    void Link(const char* key, const std::string& command) {
        WriteTextFile(ini, "[DIRECTORY]\r\n" + std::string(key) + "=" + command + "\r\n");
        ASSERT_TRUE(SelectCadTarget());
        ASSERT_EQ(std::string(g_app.cadCommand), command);
        const bool dde = g_app.ddeService[0] != '\0' || g_app.ddeTopic[0] != '\0';
        if (dde) {
            ASSERT_EQ(DdeInitializeA(&g_app.ddeInstance, DdeCallback, APPCMD_CLIENTONLY, 0), 0u);
        }
        cad = StartProgram(command);
        ASSERT_NE(cad.process, nullptr);
        // Under Wine WaitForInputIdle may return before the program has even
        // begun; its own word that it is ready is awaited instead.
        ASSERT_TRUE(WaitForLogRecords(log, "READY", 1));
        if (dde) {
            g_app.cadLink.hszService = CreateDdeString(g_app.ddeService);
            g_app.cadLink.hszTopic = CreateDdeString(g_app.ddeTopic);
            ASSERT_TRUE(ConnectDde(g_app.cadLink.hszService, g_app.cadLink.hszTopic,
                                   &g_app.cadLink.conversation));
        }
        ASSERT_TRUE(FindCadWindow());
    }

    // The command records the stand-in logged up to a marker sent after
    // them, so that "nothing arrived" is told from "not yet arrived".
    std::vector<LogRecord> CommandsUpToMarker() {
        EXPECT_TRUE(SendStandInControl(g_app.cadWindow, "marker"));
        std::vector<LogRecord> commands;
        for (const LogRecord& record : ReadLogRecords(log.c_str())) {
            if (record.kind == "CONTROL" && record.bytes == "marker") {
                return commands;
            }
            if (IsCommandKind(record)) {
                commands.push_back(record);
            }
        }
        ADD_FAILURE() << "the stand-in did not take the marker";
        return commands;
    }

    // An external program: a copy of the stand-in with a DDE server of its own.
    std::string ExternalTool(const char* name, const char* service, const std::string& toolLog) {
        return PrepareStandInCopy(dir, name,
                                  {std::string("caption=Tool ") + name, "log=" + toolLog,
                                   std::string("ddeservice=") + service, "ddetopic=TOOLTOPIC"});
    }

    std::string dir, ini, log;
    Program cad;
};

// ---------------------------------------------------------------------------
// WM_COPYDATA refused or undeliverable.

TEST_F(CadLinkDriver, RefusedCopyDataShowsSd01ThenTheSystemText) {
    Link("ACAD16DIR", StandIn("AutoCAD 2004 - [refuse.dwg]", "-refusecopydata=1"));
    if (HasFatalFailure()) {
        return;
    }
    MessageBoxAnswerer boxes({kMenuCaption, "Error(SD-02)"});
    SendCadCommand(kCommand.c_str(), nullptr);
    std::vector<ShownMessage> shown = boxes.Finish();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "コマンドを発行できません。(SD-01)");
    EXPECT_FALSE(shown[1].text.empty());

    std::vector<LogRecord> commands = CommandsUpToMarker();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].kind, "REFUSED");
    EXPECT_EQ(commands[0].bytes, kCommand + '\0');

    // Once the CAD program takes commands again they pass without a message.
    ASSERT_TRUE(SendStandInControl(g_app.cadWindow, "refuse=0"));
    MessageBoxAnswerer none({kMenuCaption}, 1000);
    SendCadCommand(kCommand.c_str(), nullptr);
    EXPECT_TRUE(none.Finish().empty());
    std::vector<LogRecord> taken = LogRecordsOf(log, "COPYDATA");
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].bytes, kCommand + '\0');
}

TEST_F(CadLinkDriver, VanishedCadWindowGivesTheSystemTextOfItsError) {
    Link("ACAD15DIR", StandIn("AutoCAD 2000i - [gone.dwg]"));
    if (HasFatalFailure()) {
        return;
    }
    ASSERT_TRUE(SendStandInControl(g_app.cadWindow, "close"));
    ASSERT_TRUE(WaitForExit(cad, 10000));

    char* expected = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, ERROR_INVALID_WINDOW_HANDLE, 0x400, reinterpret_cast<char*>(&expected),
                   0, nullptr);
    ASSERT_NE(expected, nullptr);
    std::string expectedText = expected;
    LocalFree(expected);

    MessageBoxAnswerer boxes({kMenuCaption, "Error(SD-02)"});
    SendCadCommand(kCommand.c_str(), nullptr);
    std::vector<ShownMessage> shown = boxes.Finish();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "コマンドを発行できません。(SD-01)");
    // The static control may drop the trailing line break of the system text.
    EXPECT_EQ(expectedText.substr(0, expectedText.find_last_not_of("\r\n") + 1),
              shown[1].text.substr(0, shown[1].text.find_last_not_of("\r\n") + 1));
}

// ---------------------------------------------------------------------------
// Window search: captions, exclusions, Z-order, hiding.

TEST_F(CadLinkDriver, CadWindowIsFoundBehindLookAlikes) {
    // The look-alikes lie in front of the main window; each of them would be
    // taken if its rule failed.
    const char* lookAlikes[] = {
        "AutoCAD Text Window - main.dwg",      // prefix matches, exclusion anywhere
        "AutoCAD 2004 TEXT WINDOW - main.dwg", // exclusion in another letter case
        "AUTOCAD 2004 - [upper.dwg]",          // the prefix is case-sensitive
        "AutoCAD ﾃｷｽﾄ ｳｨﾝﾄﾞｳ - main.dwg",      // half-width katakana exclusion
        "AutoCAD 2002 ヘルプ",                 // double-byte exclusion
        "Autodesk オーソライゼーション",       // second prefix, excluded
        "AutoCAD - ｺﾏﾝﾄﾞ ﾗｲﾝ",
        "AutoCAD 2002 Today",
        "AutoCAD2004 - [nospace.dwg]", // "AutoCAD " needs its space
    };
    std::string extra = "-extraontop=1";
    for (const char* caption : lookAlikes) {
        extra += std::string(" \"-extrawindow=") + caption + "\"";
    }
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=x\r\n");
    ASSERT_TRUE(SelectCadTarget());
    cad = StartProgram(StandIn("AutoCAD 2004 - [main.dwg]", extra));
    ASSERT_TRUE(WaitForLogRecords(log, "READY", 1));
    HWND main = WaitForStandInWindow("AutoCAD 2004 - [main.dwg]");
    std::vector<HWND> windows;
    for (const char* caption : lookAlikes) {
        windows.push_back(WaitForStandInWindow(caption));
        ASSERT_NE(windows.back(), nullptr) << caption;
    }
    // Sent behind them until it stays there: its own activation may still
    // bring it forward.
    ASSERT_TRUE(WaitUntil(
        [&] {
            SetWindowPos(main, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            for (HWND window : windows) {
                if (ZOrderOf(window) > ZOrderOf(main)) {
                    return false;
                }
            }
            return true;
        },
        10000));
    EXPECT_TRUE(FindCadWindow());
    EXPECT_EQ(g_app.cadWindow, main);
}

TEST_F(CadLinkDriver, FirstWindowOfTheEnumerationIsExamined) {
    Link("ACADDIR",
         StandIn("AutoCAD - [first.dwg]", "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM"));
    if (HasFatalFailure()) {
        return;
    }
    HWND main = g_app.cadWindow;
    ASSERT_TRUE(WaitUntil(
        [&] {
            SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return TopLevelWindowsInZOrder().front() == main;
        },
        10000));
    g_app.cadWindow = nullptr;
    EXPECT_TRUE(FindCadWindow());
    EXPECT_EQ(g_app.cadWindow, main);
    EXPECT_EQ(IsCadWindowPresent(main), 1);
}

TEST_F(CadLinkDriver, PresenceMeansATopLevelWindowWhateverItsCaption) {
    Link("ACAD15DIR", StandIn("AutoCAD 2000 - [p.dwg]", "\"-extrawindow=AutoCAD Help\""));
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_EQ(IsCadWindowPresent(WaitForStandInWindow("AutoCAD Help")), 1);

    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "AutoCAD 2000 - [child]", WS_CHILD, 0, 0, 5, 5,
                                 parent, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(IsCadWindowPresent(parent), 1);
    EXPECT_EQ(IsCadWindowPresent(child), 0);
    EXPECT_EQ(IsCadWindowPresent(nullptr), 0);
    DestroyWindow(parent);

    HWND main = g_app.cadWindow;
    ASSERT_TRUE(SendStandInControl(main, "close"));
    ASSERT_TRUE(WaitForExit(cad, 10000));
    EXPECT_EQ(IsCadWindowPresent(main), 0);
}

TEST_F(CadLinkDriver, HidesVisibleCadWindowsOnlyAndShowsThemAgain) {
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=x\r\n");
    ASSERT_TRUE(SelectCadTarget());
    cad = StartProgram(StandIn("AutoCAD 2004 - [one.dwg]",
                               "\"-extrawindow=AutoCAD 2002 - [two.dwg]\" "
                               "\"-extrawindow=AutoCAD 2004 - [already hidden.dwg]\" "
                               "\"-extrawindow=AutoCAD Text Window - one.dwg\" "
                               "\"-extrawindow=Notepad\""));
    ASSERT_TRUE(WaitForLogRecords(log, "READY", 1));
    HWND one = WaitForStandInWindow("AutoCAD 2004 - [one.dwg]");
    HWND two = WaitForStandInWindow("AutoCAD 2002 - [two.dwg]");
    HWND already = WaitForStandInWindow("AutoCAD 2004 - [already hidden.dwg]");
    HWND text = WaitForStandInWindow("AutoCAD Text Window - one.dwg");
    HWND other = WaitForStandInWindow("Notepad");
    ShowWindow(already, SW_HIDE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(already); }, 5000));

    HideCadWindows();
    ASSERT_EQ(g_app.hiddenCount, 2);
    std::vector<HWND> hidden(g_app.hiddenWindows, g_app.hiddenWindows + 2);
    EXPECT_NE(std::find(hidden.begin(), hidden.end(), one), hidden.end());
    EXPECT_NE(std::find(hidden.begin(), hidden.end(), two), hidden.end());
    EXPECT_FALSE(IsWindowVisible(one));
    EXPECT_FALSE(IsWindowVisible(two));
    EXPECT_TRUE(IsWindowVisible(text));
    EXPECT_TRUE(IsWindowVisible(other));

    ShowHiddenCadWindows();
    EXPECT_EQ(g_app.hiddenCount, 0);
    EXPECT_EQ(g_app.hiddenWindows[0], nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(one) && IsWindowVisible(two); }, 5000));
    EXPECT_FALSE(IsWindowVisible(already)) << "a window hidden by someone else was shown";
}

TEST_F(CadLinkDriver, MoreThanTwentyCadWindowsLeaveNoneHiddenForEver) {
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD15DIR=x\r\n");
    ASSERT_TRUE(SelectCadTarget());
    std::string extra;
    for (int i = 1; i <= 22; ++i) {
        extra += " \"-extrawindow=AutoCAD 2000 - [" + std::to_string(i) + ".dwg]\"";
    }
    cad = StartProgram(StandIn("AutoCAD 2000 - [0.dwg]", extra));
    ASSERT_TRUE(WaitForLogRecords(log, "READY", 1));
    std::vector<HWND> windows;
    for (int i = 0; i <= 22; ++i) {
        std::string caption = "AutoCAD 2000 - [" + std::to_string(i) + ".dwg]";
        windows.push_back(WaitForStandInWindow(caption.c_str()));
        ASSERT_NE(windows.back(), nullptr) << caption;
    }
    auto visibleCount = [&] {
        return std::count_if(windows.begin(), windows.end(),
                             [](HWND w) { return IsWindowVisible(w) != 0; });
    };

    HideCadWindows();
    EXPECT_EQ(g_app.hiddenCount, 20);
    EXPECT_EQ(visibleCount(), 3) << "only the windows the list holds may be hidden";
    ShowHiddenCadWindows();
    EXPECT_TRUE(WaitUntil([&] { return visibleCount() == 23; }, 5000));
}

TEST_F(CadLinkDriver, WindowsHiddenBeforeTheStartAreNotTakenForTheNewOne) {
    Program old = StartProgram(StandIn("AutoCAD 2004 - [old.dwg]"));
    ASSERT_TRUE(WaitForLogRecords(log, "READY", 1));
    HWND oldWindow = WaitForStandInWindow("AutoCAD 2004 - [old.dwg]");
    WriteTextFile(ini, "[DIRECTORY]\r\nACAD16DIR=x\r\n");
    ASSERT_TRUE(SelectCadTarget());

    HideCadWindows();
    ASSERT_EQ(g_app.hiddenCount, 1);
    // The new program shows no CAD window: the old, hidden one is no answer.
    cad = StartProgram(StandIn("Drawing viewer"));
    ASSERT_TRUE(WaitForLogRecords(log, "READY", 2));
    EXPECT_FALSE(FindCadWindow());
    EXPECT_EQ(g_app.cadWindow, nullptr);

    // A new CAD window, even behind the old one, is.
    Program second = StartProgram(StandIn("AutoCAD 2004 - [new.dwg]"));
    ASSERT_TRUE(WaitForLogRecords(log, "READY", 3));
    HWND newWindow = WaitForStandInWindow("AutoCAD 2004 - [new.dwg]");
    // Sent behind until it stays there: its own activation may still bring it forward.
    ASSERT_TRUE(WaitUntil(
        [&] {
            SetWindowPos(newWindow, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return ZOrderOf(oldWindow) < ZOrderOf(newWindow);
        },
        10000));
    EXPECT_TRUE(FindCadWindow());
    EXPECT_EQ(g_app.cadWindow, newWindow);
    ShowHiddenCadWindows();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(oldWindow) != 0; }, 5000));
    EndProgram(second);
    EndProgram(old);
}

// ---------------------------------------------------------------------------
// DDE conversations: connect, disconnect, their end by the partner, shutdown.

TEST_F(CadLinkDriver, ConnectNeedsBothHandlesAndDisconnectClearsEveryField) {
    Link("ACLTDIR", StandIn("AutoCAD LT 2000 - [c.dwg]", "\"-ddeservice=AutoCAD LT.DDE\" "
                                                         "-ddetopic=SYSTEM"));
    if (HasFatalFailure()) {
        return;
    }
    HCONV untouched = reinterpret_cast<HCONV>(0x1234);
    EXPECT_EQ(ConnectDde(nullptr, g_app.cadLink.hszTopic, &untouched), 0);
    EXPECT_EQ(ConnectDde(g_app.cadLink.hszService, nullptr, &untouched), 0);
    EXPECT_EQ(untouched, reinterpret_cast<HCONV>(0x1234));

    // A service nobody offers does not connect.
    HSZ wrong = CreateDdeString("AutoCAD.r13.DDE");
    HCONV none = nullptr;
    EXPECT_EQ(ConnectDde(wrong, g_app.cadLink.hszTopic, &none), 0);
    EXPECT_EQ(none, nullptr);
    DdeFreeStringHandle(g_app.ddeInstance, wrong);

    ASSERT_TRUE(WaitForLogRecords(log, "CONNECT", 1));
    EXPECT_EQ(LogRecordsOf(log, "CONNECT")[0].bytes, "AutoCAD LT.DDE");
    DisconnectDde(&g_app.cadLink);
    EXPECT_EQ(g_app.cadLink.hszService, nullptr);
    EXPECT_EQ(g_app.cadLink.hszTopic, nullptr);
    EXPECT_EQ(g_app.cadLink.conversation, nullptr);
    EXPECT_TRUE(WaitForLogRecords(log, "DISCONNECT", 1));
    DisconnectDde(&g_app.cadLink); // a second time finds nothing to release
}

TEST_F(CadLinkDriver, CadProgramEndingItsConversationEndsTheMenu) {
    Link("ACADDIR", StandIn("AutoCAD - [end.dwg]", "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM"));
    if (HasFatalFailure()) {
        return;
    }
    HWND top = CreateWindowExA(0, "STATIC", "VXMENU", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(top, nullptr);
    g_app.topWindow = top;
    HCONV conversation = g_app.cadLink.conversation;

    // Another conversation's end leaves the menu alone.
    EXPECT_EQ(ReportDisconnect(reinterpret_cast<HCONV>(0x4321)), nullptr);
    EXPECT_TRUE(IsWindow(top));
    EXPECT_EQ(g_app.cadLink.conversation, conversation);

    // Reported while an item's call runs, the end waits until it returned.
    static HCONV ending;
    static bool menuDuringCall;
    ending = conversation;
    std::vector<MenuItem> items(1);
    items[0].libraryFunction = [] {
        EXPECT_EQ(ReportDisconnect(ending), nullptr);
        menuDuringCall = IsWindow(g_app.topWindow) != 0;
    };
    RunMenuItem(0, top, 0, items);
    EXPECT_TRUE(menuDuringCall) << "the menu ended under the running call";
    EXPECT_FALSE(IsWindow(top)) << "the top window remains";
    EXPECT_EQ(g_app.cadLink.conversation, nullptr);
}

TEST_F(CadLinkDriver, CadConversationEndingOnlyClearsItUntilTheRunEnds) {
    Link("ACADDIR",
         StandIn("AutoCAD - [early.dwg]", "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM"));
    if (HasFatalFailure()) {
        return;
    }
    HSZ service = g_app.cadLink.hszService;
    EXPECT_EQ(ReportDisconnect(g_app.cadLink.conversation), nullptr);
    EXPECT_EQ(g_app.cadLink.conversation, nullptr);
    EXPECT_EQ(g_app.cadLink.hszService, service);
    // Without the conversation a command for this target goes nowhere, silently.
    MessageBoxAnswerer none({kMenuCaption}, 1000);
    SendCadCommand(kCommand.c_str(), g_app.cadLink.conversation);
    EXPECT_TRUE(none.Finish().empty());
    EXPECT_TRUE(CommandsUpToMarker().empty());

    // The end of the run gives the link's names back and ends the DDE instance.
    const DWORD instance = g_app.ddeInstance;
    CloseLinks();
    EXPECT_EQ(g_app.cadLink.hszService, nullptr);
    EXPECT_EQ(g_app.cadLink.hszTopic, nullptr);
    EXPECT_EQ(g_app.ddeInstance, 0u);
    EXPECT_EQ(DdeCreateStringHandleA(instance, "VXMENU", CP_WINANSI), nullptr)
        << "the DDE instance lives on";
}

TEST_F(CadLinkDriver, CommandsStopWhenTheCadProgramEndsTheConversation) {
    Link("ACLTDIR", StandIn("AutoCAD LT 2000i - [stop.dwg]",
                            "\"-ddeservice=AutoCAD LT.DDE\" -ddetopic=SYSTEM"));
    if (HasFatalFailure()) {
        return;
    }
    SendCadCommand(kCommand.c_str(), g_app.cadLink.conversation);
    ASSERT_TRUE(SendStandInControl(g_app.cadWindow, "dde-disconnect"));
    // The message loop takes the partner's end of the conversation in.
    EXPECT_TRUE(WaitUntil(
        [&] {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            CONVINFO info{};
            info.cb = sizeof info;
            return DdeQueryConvInfo(g_app.cadLink.conversation, QID_SYNC, &info) == 0 ||
                   (info.wStatus & ST_CONNECTED) == 0;
        },
        5000));
    // The execute fails: nothing arrives, nothing is shown.
    MessageBoxAnswerer none({kMenuCaption}, 1000);
    SendCadCommand("_PAN\n", g_app.cadLink.conversation);
    EXPECT_TRUE(none.Finish().empty());
    std::vector<LogRecord> commands = CommandsUpToMarker();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].kind, "DDE");
    EXPECT_EQ(commands[0].bytes, kCommand + '\0'); // byte for byte, with its NUL
}

class ExternalProgramsDriver : public CadLinkDriver {
protected:
    void SetUp() override {
        CadLinkDriver::SetUp();
        tool1Log = dir + "\\tool1.log";
        tool2Log = dir + "\\tool2.log";
        tool1 = ExternalTool("EXTOOL1.EXE", "VXTOOL1", tool1Log);
        tool2 = ExternalTool("EXTOOL2.EXE", "VXTOOL2", tool2Log);
    }

    // The CAD program linked by DDE, then the external programs of lines.
    void LinkWithExternalLines(const std::string& lines) {
        std::string command =
            StandIn("AutoCAD - [ext.dwg]", "-ddeservice=AutoCAD.r13.DDE -ddetopic=SYSTEM");
        Link("ACADDIR", command);
        if (HasFatalFailure()) {
            return;
        }
        WriteTextFile(ini, "[DIRECTORY]\r\nACADDIR=" + command + "\r\n" + lines);
    }

    std::string tool1, tool2, tool1Log, tool2Log;
};

TEST_F(ExternalProgramsDriver, StartedFromAnEmptyCommandLineAndLinked) {
    LinkWithExternalLines("EXAPDIR1 = " + tool1 + " , VXTOOL1 , TOOLTOPIC , T1 , QUIT1\r\n" +
                          "[OTHER]\r\nEXAPDIR2=" + tool2 + ",VXTOOL2,TOOLTOPIC,T2\r\n");
    if (HasFatalFailure()) {
        return;
    }
    MessageBoxAnswerer none({kMenuCaption}, 1000);
    EXPECT_EQ(StartExternalPrograms(), 1);
    EXPECT_TRUE(none.Finish().empty());
    ASSERT_EQ(g_app.externalCount, 2);
    const ExternalProgram& first = g_app.externalPrograms[0];
    EXPECT_STREQ(first.path, tool1.c_str());
    EXPECT_STREQ(first.service, "VXTOOL1");
    EXPECT_STREQ(first.topic, "TOOLTOPIC");
    EXPECT_STREQ(first.key, "T1");
    EXPECT_STREQ(first.exitCommand, "QUIT1\n");
    EXPECT_NE(first.conversation, nullptr);
    EXPECT_NE(g_app.externalPrograms[1].conversation, nullptr);
    EXPECT_STREQ(g_app.externalPrograms[1].exitCommand, "");

    for (const std::string& toolLog : {tool1Log, tool2Log}) {
        std::vector<LogRecord> starts = LogRecordsOf(toolLog, "START");
        ASSERT_EQ(starts.size(), 1u) << toolLog;
        EXPECT_EQ(starts[0].bytes, "") << "an external program gets an empty command line";
        EXPECT_EQ(LogRecordsOf(toolLog, "CONNECT").size(), 1u) << toolLog;
    }
    SendCadCommand("RUN\x1b\n", first.conversation);
    ASSERT_EQ(LogRecordsOf(tool1Log, "DDE").size(), 1u);
    EXPECT_EQ(LogRecordsOf(tool1Log, "DDE")[0].bytes, std::string("RUN\x1b\n") + '\0');
    EXPECT_TRUE(LogRecordsOf(log, "DDE").empty()) << "the CAD program got the tool's command";
}

TEST_F(ExternalProgramsDriver, ProgramEndingItsConversationFreesOnlyItsSlot) {
    LinkWithExternalLines("EXAPDIR1=" + tool1 + ",VXTOOL1,TOOLTOPIC,T1,Q1\r\n" +
                          "EXAPDIR2=" + tool2 + ",VXTOOL2,TOOLTOPIC,T2,Q2\r\n");
    if (HasFatalFailure()) {
        return;
    }
    ASSERT_EQ(StartExternalPrograms(), 1);
    ASSERT_EQ(g_app.externalCount, 2);
    HCONV cadConversation = g_app.cadLink.conversation;
    HWND top = CreateWindowExA(0, "STATIC", "VXMENU", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
    g_app.topWindow = top;

    EXPECT_EQ(ReportDisconnect(g_app.externalPrograms[0].conversation), nullptr);
    ExternalProgram empty{};
    EXPECT_EQ(memcmp(&g_app.externalPrograms[0], &empty, sizeof empty), 0)
        << "the slot is not cleared whole";
    EXPECT_STREQ(g_app.externalPrograms[1].key, "T2");
    EXPECT_NE(g_app.externalPrograms[1].conversation, nullptr);
    EXPECT_EQ(g_app.cadLink.conversation, cadConversation);
    EXPECT_EQ(g_app.externalCount, 2);
    EXPECT_TRUE(IsWindow(top)) << "an external program's end closed the menu";
    DestroyWindow(top);
}

TEST_F(ExternalProgramsDriver, EmptyLinesTakeSlotsAndTheTwentyFirstIsIgnored) {
    std::string lines = "EXAPDIR1=" + tool1 + ",VXTOOL1,TOOLTOPIC,T1\r\n";
    for (int i = 2; i <= 20; ++i) {
        lines += "EXAPDIR" + std::to_string(i) + "=\r\n";
    }
    lines += "EXAPDIR21=" + dir + "\\missing.exe,S,T,K\r\n"; // would fail with I-11
    LinkWithExternalLines(lines);
    if (HasFatalFailure()) {
        return;
    }
    MessageBoxAnswerer none({kMenuCaption}, 1500);
    EXPECT_EQ(StartExternalPrograms(), 1);
    std::vector<ShownMessage> shown = none.Finish();
    EXPECT_TRUE(shown.empty()) << shown[0].text;
    EXPECT_EQ(g_app.externalCount, 20);
    EXPECT_NE(g_app.externalPrograms[0].conversation, nullptr);
    EXPECT_STREQ(g_app.externalPrograms[19].path, "");
}

TEST_F(ExternalProgramsDriver, ProgramThatCannotStartIsNamed) {
    const std::string missing = dir + "\\missing.exe";
    LinkWithExternalLines("EXAPDIR1=" + tool1 + ",VXTOOL1,TOOLTOPIC,T1\r\nEXAPDIR2=" + missing +
                          ",S,T,K\r\n");
    if (HasFatalFailure()) {
        return;
    }
    MessageBoxAnswerer boxes({kMenuCaption});
    EXPECT_EQ(StartExternalPrograms(), 0);
    std::vector<ShownMessage> shown = boxes.Finish();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "外部プログラム[" + missing + "]が起動できません。(I-11)");
    // Both slots count, so the failure clean-up releases the first link.
    EXPECT_EQ(g_app.externalCount, 2);
    EXPECT_NE(g_app.externalPrograms[0].conversation, nullptr);
}

} // namespace
