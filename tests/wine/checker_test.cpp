// The menu checker VXMCHECK.EXE under Wine: the demo packages check clean
// and their preview sheet is painted; what only the companion library can
// tell (bitmaps, exports, a library that does not load) and what the menu
// drops in silence are reported by file and line; exit statuses.
#include <gtest/gtest.h>

#include "tests/wine/support/win_test_support.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CheckRun {
    DWORD status = 0xFFFF;
    std::vector<std::string> lines; // standard output and error, without line ends
};

bool Has(const CheckRun& run, const std::string& part) {
    return std::any_of(run.lines.begin(), run.lines.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    });
}

int Count(const CheckRun& run, const std::string& part) {
    return static_cast<int>(
        std::count_if(run.lines.begin(), run.lines.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        }));
}

uint32_t Number(const std::string& bytes, size_t at, int size, bool bigEndian) {
    uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
        uint32_t byte = static_cast<uint8_t>(bytes.at(at + (bigEndian ? i : size - 1 - i)));
        value = (value << 8) | byte;
    }
    return value;
}

class CheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        for (const char* package : {"VXDEMO", "VXDRAW", "VXTOOL"}) {
            for (const char* extension : {".MNU", ".DLL"}) {
                ASSERT_TRUE(CopyFileTo(DemoPackageDir() + "\\" + package + extension,
                                       dir + "\\" + package + extension));
            }
        }
    }

    // Runs the checker with its output in a file; waits for its end.
    CheckRun Check(const std::string& arguments) {
        CheckRun run;
        // A file of its own per run: a console helper of the last run may still hold one.
        const std::string outPath = dir + "\\out" + std::to_string(++runs) + ".txt";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(out, INVALID_HANDLE_VALUE) << GetLastError();
        std::string commandLine = std::string("\"") + VX_CHECKER_EXE + "\" " + arguments;
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = out;
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                           nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            Program program{info.hProcess, info.dwProcessId};
            EXPECT_TRUE(WaitForExit(program, 60000, &run.status));
            EndProgram(program);
        }
        CloseHandle(out);
        std::istringstream text(ReadTextFile(outPath));
        for (std::string one; std::getline(text, one);) {
            if (!one.empty() && one.back() == '\r') {
                one.pop_back();
            }
            run.lines.push_back(one);
        }
        return run;
    }

    std::string Registration(const std::string& menuFile) {
        return "VXMENU=\"" + dir + "\\" + menuFile + "\" \"名前\" ^C^C(init)\r\n";
    }

    std::string WriteConfig(const std::string& registrations) {
        WriteTextFile(dir + "\\VXMENU32.INI", "[VXMENU]\r\n" + registrations);
        return "\"" + dir + "\\VXMENU32.INI\"";
    }

    std::string dir;
    int runs = 0;
};

TEST_F(CheckerTest, DemoChecksCleanAndItsSheetIsPainted) {
    const std::string config = WriteConfig(Registration("VXDEMO.MNU") + Registration("VXDRAW.MNU") +
                                           Registration("VXTOOL.MNU"));
    CheckRun run = Check(config + " \"/PREVIEW:" + dir + "\\sheet.bmp\"");
    EXPECT_EQ(run.status, 0u);
    EXPECT_FALSE(Has(run, ": error: ") || Has(run, ": warning: ")) << run.lines.at(0);
    EXPECT_TRUE(Has(run, "エラー 0 件、警告 0 件（パッケージ 3、メニュー 7、項目 33）"));

    const std::string bmp = ReadTextFile(dir + "\\sheet.bmp");
    ASSERT_GT(bmp.size(), 54u);
    ASSERT_EQ(bmp.substr(0, 2), "BM");
    const uint32_t width = Number(bmp, 18, 4, false);
    const uint32_t height = Number(bmp, 22, 4, false);
    EXPECT_GT(width, 300u);
    EXPECT_GT(height, 150u);
    EXPECT_EQ(bmp.size(), 54 + ((width * 3 + 3) & ~3u) * height);
    // Not blank: white sheet, grey menus, black frames and the bitmaps' colours.
    std::set<uint32_t> colours;
    for (size_t at = 54; at + 3 <= bmp.size() && colours.size() < 8; at += 3) {
        colours.insert(Number(bmp, at, 3, true));
    }
    EXPECT_GE(colours.size(), 8u);

    run = Check(config + " \"/PREVIEW:" + dir + "\\sheet.png\"");
    EXPECT_EQ(run.status, 0u);
    const std::string png = ReadTextFile(dir + "\\sheet.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(Number(png, 16, 4, true), width);
    EXPECT_EQ(Number(png, 20, 4, true), height);
}

TEST_F(CheckerTest, LibraryFindingsNameTheLineAndWhy) {
    WriteTextFile(dir + "\\VXDEMO.MNU", "[T]\r\n[a^NOSUCH^]A\r\n[b]DLL:demotrace\r\n"
                                        "; ok\r\n[c^LOGO^]DLL:NoSuchFunction\r\n");
    const std::string menu = dir + "\\VXDEMO.MNU";
    CheckRun run = Check("\"" + menu + "\"");
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(Count(run, ": warning: "), 3);
    EXPECT_EQ(Count(run, ": error: "), 0);
    EXPECT_TRUE(Has(run, menu +
                             ":2: warning: ビットマップ[NOSUCH]を付属ライブラリから読み込めません"
                             "（この名前のビットマップリソースがありません）"));
    EXPECT_TRUE(Has(run, menu + ":3: warning: 関数[demotrace]は付属ライブラリからエクスポートされて"
                                "いません（大文字・小文字の違う「DemoTrace」ならあります）"));
    EXPECT_TRUE(Has(run, menu + ":5: warning: 関数[NoSuchFunction]は"));

    // A __stdcall export without a .def file: decorated only in the 32-bit build.
    const std::string stdcallMenu = dir + "\\STDCALL.MNU";
    ASSERT_TRUE(CopyFileTo(VX_STDCALL_LIBRARY, dir + "\\STDCALL.DLL"));
    WriteTextFile(stdcallMenu, "[T]\r\n[a]DLL:PackageEntry\r\n");
    run = Check("\"" + stdcallMenu + "\"");
    if (sizeof(void*) == 4) {
        EXPECT_TRUE(Has(run, stdcallMenu + ":2: warning: 関数[PackageEntry]は")) << run.lines.at(0);
        EXPECT_TRUE(Has(run, "「PackageEntry@0」ならあります"));
    } else {
        EXPECT_EQ(Count(run, ": warning: "), 0) << run.lines.at(0);
    }
}

TEST_F(CheckerTest, LoadFailuresAreErrorsAndNoSheetIsPainted) {
    WriteTextFile(dir + "\\NOLIB.MNU", "[x]\r\n");
    const std::string config = WriteConfig(Registration("VXDEMO.MNU") + "PKGNAME=x\r\n" +
                                           Registration("MISSING.MNU") + Registration("NOLIB.MNU"));
    CheckRun run = Check(config + " \"/PREVIEW:" + dir + "\\sheet.bmp\"");
    EXPECT_EQ(run.status, 1u);
    const std::string ini = dir + "\\VXMENU32.INI";
    EXPECT_TRUE(
        Has(run, ini + ":4: error: メニューファイル[" + dir + "\\MISSING.MNU]がありません。"));
    EXPECT_TRUE(Has(run, ini + ":5: error: 付属ライブラリ[" + dir +
                             "\\NOLIB.dll]を読み込めません（ファイルがありません）。(MC-08)"));
    EXPECT_TRUE(Has(run, "(MC-51)"));
    EXPECT_EQ(GetFileAttributesA((dir + "\\sheet.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // A menu file checked alone: its library's failure is told at its first line.
    run = Check("\"" + dir + "\\NOLIB.MNU\"");
    EXPECT_EQ(run.status, 1u);
    EXPECT_TRUE(Has(run, dir + "\\NOLIB.MNU:1: error: 付属ライブラリ[")) << run.lines.at(0);
}

TEST_F(CheckerTest, WhatTheMenuDropsSilentlyIsTold) {
    // LF line ends make the file its title line alone; a quote cuts the
    // initialisation command.
    const std::string menu = dir + "\\VXDEMO.MNU";
    WriteTextFile(menu, "[T]\n[a]LINE\n");
    const std::string config =
        WriteConfig("VXMENU=\"" + menu + "\" \"名前\" ^C^C(load \"vxinit\")\r\n");
    CheckRun run = Check(config + " \"/PREVIEW:" + dir + "\\sheet.bmp\"");
    EXPECT_EQ(run.status, 1u);
    EXPECT_TRUE(Has(run, "(MC-51)")); // the menu loads, but shows nothing to paint
    EXPECT_TRUE(Has(run, menu + ":1: warning: 行末が CR LF ではなく LF だけのため、ファイル全体の "
                                "2 行がフローティングメニューには 1 行に見えます。(MC-43)"));
    EXPECT_TRUE(Has(run, menu + ":1: error: トップメニューに項目がありません。"));
    EXPECT_TRUE(Has(run, dir + "\\VXMENU32.INI:2: warning: 初期化コマンドに「\"」があるため、"
                               "［初期値設定］で CAD に送られるのは「^C^C(load 」だけです"));
}

TEST_F(CheckerTest, UsageErrorsEndWithStatusTwo) {
    CheckRun run = Check("");
    EXPECT_EQ(run.status, 2u);
    EXPECT_TRUE(Has(run, "使い方: VXMCHECK.EXE"));
    EXPECT_EQ(Check("A.INI /PREVIEW:x.gif").status, 2u);
}

} // namespace
