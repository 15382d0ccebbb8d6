// The menu loader on Windows with the demo packages' companion libraries:
// the model of the demo packages, bitmap sizes from the bitmap objects,
// "DLL:" functions, failures that release everything, and freeing.
#include <gtest/gtest.h>

#include "menu/model/menu_loader.h"
#include "tests/native/menu_text_print.h"
#include "tests/wine/support/win_test_support.h"

#include <set>
#include <string>
#include <vector>

namespace {

const char* const kPackages[] = {"VXDEMO", "VXDRAW", "VXTOOL"};

class MenuLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ini = dir + "\\VXMENU32.INI";
        for (const char* package : kPackages) {
            for (const char* extension : {".MNU", ".DLL"}) {
                ASSERT_TRUE(CopyFileTo(DemoPackageDir() + "\\" + package + extension,
                                       dir + "\\" + package + extension))
                    << package << extension;
            }
        }
    }
    void TearDown() override {
        FreeMenus();
        for (const char* package : kPackages) {
            EXPECT_EQ(LibraryHandle(package), nullptr) << package << " still loaded";
        }
    }

    std::string Registration(const std::string& menuFile, const std::string& name,
                             const std::string& command) {
        return "VXMENU=\"" + dir + "\\" + menuFile + "\" \"" + name + "\" " + command + "\r\n";
    }

    void WriteConfig(const std::string& registrations) {
        WriteTextFile(ini, "[VXMENU]\r\nPKGNAME=デモ\r\n" + registrations);
    }

    HMODULE LibraryHandle(const char* package) {
        return GetModuleHandleA((dir + "\\" + package + ".DLL").c_str());
    }

    static std::string Labels(int menu) {
        std::string out;
        for (const MenuItem& item : g_menuTable.at(menu).items) {
            out += (out.empty() ? "" : "|") + item.label;
        }
        return out;
    }

    std::string dir, ini;
};

TEST_F(MenuLoaderTest, DemoPackagesLoadIntoTheModel) {
    WriteConfig(Registration("VXDEMO.MNU", "VXデモ", "^C^C(vxdemo)") +
                Registration("VXDRAW.MNU", "VX寸法", "(vxdraw)") +
                Registration("VXTOOL.MNU", "VX設定", "(vxtool)"));
    ASSERT_EQ(LoadMenus(ini.c_str(), "VXMENU"), 0);

    ASSERT_EQ(PackageCount(), 3);
    EXPECT_EQ(PackageAt(0)->displayName, "VXデモ");
    EXPECT_EQ(PackageAt(0)->initCommand, "\x1b\x1b(vxdemo)");
    EXPECT_EQ(PackageAt(2)->menuFile, dir + "\\VXTOOL.MNU");
    EXPECT_EQ(PackageAt(1)->library, LibraryHandle("VXDRAW"));
    EXPECT_NE(LibraryHandle("VXDEMO"), nullptr);

    ASSERT_EQ(MenuCount(), 7);
    EXPECT_EQ(g_menuTable[0].title, "VXデモ");
    EXPECT_EQ(Labels(0), "　　線分|円|文字記入||作図|ツール|座標入力|||　　寸法|画層|設定");
    EXPECT_EQ(Labels(1), "長方形|多角形|編集");
    EXPECT_EQ(Labels(2), "複写|移動|削除");
    EXPECT_EQ(Labels(3), "メモ帳|ライブラリ呼出し|メッセージ表示|~注記：ソフト表示|バージョン情報");
    EXPECT_EQ(Labels(4), "水平|平行|角度・半径");
    EXPECT_EQ(Labels(5), "角度|半径|直径");
    EXPECT_EQ(Labels(6), "パッケージ情報|データ表示|表示切替|　　　終了");
    EXPECT_EQ(g_menuTable[5].title, "角度・半径");

    const std::vector<MenuItem>& top = g_menuTable[0].items;
    EXPECT_EQ(top[4].submenu, 1);
    EXPECT_EQ(g_menuTable[1].items[2].submenu, 2);
    EXPECT_EQ(top[5].submenu, 3);
    EXPECT_EQ(top[9].submenu, 4);
    EXPECT_EQ(g_menuTable[4].items[2].submenu, 5);
    EXPECT_EQ(top[11].submenu, 6);

    // Bitmap sizes come from the bitmap objects of the library's resources.
    struct Expected {
        int menu, item, width, height;
        char vertical, horizontal;
    };
    const Expected bitmaps[] = {
        {0, 0, 16, 16, 'M', 'L'}, // LINE16
        {0, 1, 24, 24, 'M', 'L'}, // CIRCLE24, placement carried over
        {0, 4, 24, 24, 'B', 'R'}, // CIRCLE24 <BR>
        {1, 0, 48, 16, 'T', 'C'}, // WIDE <TC>
        {0, 7, 64, 24, 'M', 'C'}, // LOGO <MC>
        {0, 9, 16, 32, 'T', 'L'}, // TALL <TL>, second package
        {4, 0, 16, 16, 'B', 'C'}, // LINE16 <C>
        {6, 3, 24, 24, 'M', 'L'}, // CIRCLE24 <ML>, third package
    };
    for (const Expected& e : bitmaps) {
        const MenuItem& item = g_menuTable[e.menu].items[e.item];
        EXPECT_NE(item.bitmap, nullptr) << e.menu << "/" << e.item;
        EXPECT_EQ(item.bitmapWidth, e.width) << e.menu << "/" << e.item;
        EXPECT_EQ(item.bitmapHeight, e.height) << e.menu << "/" << e.item;
        EXPECT_EQ(item.placement.vertical, e.vertical) << e.menu << "/" << e.item;
        EXPECT_EQ(item.placement.horizontal, e.horizontal) << e.menu << "/" << e.item;
    }
    EXPECT_EQ(top[2].bitmap, nullptr);

    EXPECT_EQ(top[0].columns, 2);
    EXPECT_EQ(g_menuTable[1].items[0].columns, 3);
    EXPECT_EQ(g_menuTable[1].items[0].span, 2);
    EXPECT_EQ(top[2].centred, 1);
    EXPECT_EQ(top[2].emphasised, 1);
    EXPECT_EQ(top[2].command, "\x1b\x1b"
                              "DTEXT\n");
    EXPECT_EQ(top[2].alternate, "\x1b\x1bMTEXT\n");
    EXPECT_EQ(top[3].isStatic, 1);
    EXPECT_EQ(top[6].command, "POINT");
    EXPECT_EQ(g_menuTable[3].items[0].command, "EXEC notepad.exe\n");
    EXPECT_EQ(g_menuTable[3].items[3].isStatic, 1);
    EXPECT_EQ(g_menuTable[3].items[4].dialogKind, 1);
    EXPECT_EQ(g_menuTable[6].items[0].dialogKind, 2);
    EXPECT_EQ(g_menuTable[6].items[2].command, "\x1b\x1b表\n");
    EXPECT_NE(g_menuTable[3].items[2].libraryFunction, nullptr);

    // The "DLL:" function is the library's export and leaves its trace.
    LibraryFunction trace = g_menuTable[3].items[1].libraryFunction;
    ASSERT_NE(trace, nullptr);
    EXPECT_EQ(trace, reinterpret_cast<LibraryFunction>(
                         GetProcAddress(LibraryHandle("VXDEMO"), "DemoTrace")));
    EXPECT_EQ(g_menuTable[3].items[1].command, "");
    trace();
    trace();
    EXPECT_EQ(ReadTextFile(dir + "\\VXDEMO.log"), "DemoTrace\r\nDemoTrace\r\n");
}

TEST_F(MenuLoaderTest, MissingBitmapOrFunctionIsNoError) {
    WriteTextFile(dir + "\\VXDEMO.MNU", "[T]\r\n[a^NOSUCH^]A\r\n[b]DLL:NoSuchFunction\r\n"
                                        "[c^LOGO^]\r\n[d^logo^]\r\n");
    WriteConfig(Registration("VXDEMO.MNU", "x", ""));
    ASSERT_EQ(LoadMenus(ini.c_str(), "VXMENU"), 0);
    const std::vector<MenuItem>& items = g_menuTable[0].items;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].bitmap, nullptr);
    EXPECT_EQ(items[0].bitmapWidth, 0);
    EXPECT_EQ(items[1].libraryFunction, nullptr);
    EXPECT_EQ(items[2].bitmapWidth, 64);
    EXPECT_EQ(items[3].bitmapWidth, 64); // resource names ignore case
}

TEST_F(MenuLoaderTest, FreeDeletesEveryBitmapAndReleasesEveryLibrary) {
    WriteConfig(Registration("VXDEMO.MNU", "a", "") + Registration("VXDRAW.MNU", "b", ""));
    ASSERT_EQ(LoadMenus(ini.c_str(), "VXMENU"), 0);
    std::set<HGDIOBJ> bitmaps;
    int references = 0;
    for (const MenuRecord& menu : g_menuTable) {
        for (const MenuItem& item : menu.items) {
            if (item.bitmap != nullptr) {
                references += 1;
                bitmaps.insert(static_cast<HGDIOBJ>(item.bitmap));
                EXPECT_EQ(GetObjectType(item.bitmap), static_cast<DWORD>(OBJ_BITMAP));
            }
        }
    }
    // Items naming the same bitmap of the same library share one object.
    EXPECT_EQ(references, 8);
    ASSERT_EQ(bitmaps.size(), 6u);
    FreeMenus();
    FreeMenus();
    EXPECT_EQ(MenuCount(), 0);
    EXPECT_EQ(PackageCount(), 0);
    for (HGDIOBJ bitmap : bitmaps) {
        EXPECT_EQ(GetObjectType(bitmap), 0u) << "bitmap not deleted";
    }
    EXPECT_EQ(LibraryHandle("VXDEMO"), nullptr);
    EXPECT_EQ(LibraryHandle("VXDRAW"), nullptr);
    // The loader runs again after the free.
    ASSERT_EQ(LoadMenus(ini.c_str(), "VXMENU"), 0);
    EXPECT_EQ(MenuCount(), 6);
}

TEST_F(MenuLoaderTest, MissingLibraryOrMenuFileFailsAndReleasesTheOthers) {
    ASSERT_TRUE(DeleteFileA((dir + "\\VXDRAW.DLL").c_str()));
    WriteConfig(Registration("VXDEMO.MNU", "a", "") + Registration("VXDRAW.MNU", "b", ""));
    EXPECT_NE(LoadMenus(ini.c_str(), "VXMENU"), 0);
    EXPECT_EQ(MenuCount(), 0);
    EXPECT_EQ(PackageCount(), 0);
    EXPECT_EQ(LibraryHandle("VXDEMO"), nullptr);

    WriteConfig(Registration("VXDEMO.MNU", "a", "") + Registration("NONE.MNU", "b", ""));
    EXPECT_NE(LoadMenus(ini.c_str(), "VXMENU"), 0);
    EXPECT_EQ(PackageCount(), 0);
    EXPECT_EQ(LibraryHandle("VXDEMO"), nullptr);

    EXPECT_NE(LoadMenus((dir + "\\none.ini").c_str(), "VXMENU"), 0);
}

TEST_F(MenuLoaderTest, MenuFileOpenForWritingElsewhereFails) {
    WriteConfig(Registration("VXDEMO.MNU", "a", ""));
    HANDLE writer = CreateFileA((dir + "\\VXDEMO.MNU").c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_NE(LoadMenus(ini.c_str(), "VXMENU"), 0);
    EXPECT_EQ(LibraryHandle("VXDEMO"), nullptr);
    CloseHandle(writer);
    EXPECT_EQ(LoadMenus(ini.c_str(), "VXMENU"), 0);
}

} // namespace
